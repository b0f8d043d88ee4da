#pragma once
// What the factorization checks share: the residual of a product of factors
// against the matrix it must give, and the line that reports one too large.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "commands/checks/check_support.h"
#include "commands/checks/result_checks.h"
#include "linalg/lu_factor.h"
#include "linalg/multiply.h"

namespace quorvix::checks {

// A product of factors whose distance from the matrix it must equal is
// `residual` (Frobenius norm), where the double computation's rounding
// explains `bound`: a line when it is more, naming the difference
// `identity` ("L*U - A"); |A| is `norm`.
// Four fixed pseudo-random Gaussian columns of `rows` elements. For any
// matrix M, ‖M·X‖_F / 2 estimates ‖M‖_F (its square's mean is ‖M‖_F²): a
// residual of factors is formed on these probes in O(n²) instead of O(n³),
// and a fault in the factors shows in it all but surely (a product with
// far less than a tenth of ‖M‖ has a chance below 1e-3).
template <typename T>
Matrix<T> Probes(std::int32_t rows);
inline constexpr long double kProbeCount = 4.0L;
// ‖P‖_F / sqrt(probe count): the estimate of ‖M‖_F from P = M·X.
template <typename T>
long double ProbedNorm(const Matrix<T>& p, const Matrix<T>& q);

// `normName` names what `norm` measures ("A", "I").
std::optional<std::string> ResidualLine(long double residual, long double bound, long double norm, const char* identity,
                                        const std::string& advice, const char* normName = "A");

// The residual of left·right against the n x n matrix `a` on the probes,
// where the rounding of the double factorization explains 32·n·eps times
// `factorNorms` (the product of the factors' norms): the line of
// ResidualLine, or nothing.
template <typename T>
std::optional<std::string> TwoFactorLine(const Matrix<T>& a, const Matrix<T>& left, const Matrix<T>& right,
                                         long double factorNorms, long double norm, const char* identity,
                                         const std::string& advice) {
    const std::int32_t n = a.Rows();
    const Matrix<T> x = Probes<T>(n);
    const long double residual = ProbedNorm(linalg::Multiply(left, linalg::Multiply(right, x)), linalg::Multiply(a, x));
    return ResidualLine(residual, 32.0L * n * kEps * factorNorms, norm, identity, advice);
}

// The smallest pivot modulus of Gaussian elimination without pivoting, in
// double (for a symmetric or Hermitian A these are the pivots of L*D*L' as
// well); 0 when one is exactly 0. O(n^3/3), for refusals only.
template <typename T>
double SmallestPivot(Matrix<T> a) {
    const std::int32_t n = a.Rows();
    double smallest = INFINITY;
    for (std::int32_t k = 0; k < n; ++k) {
        const T pivot = a(k, k);
        smallest = std::fmin(smallest, std::abs(pivot));
        if (pivot == T(0)) return 0.0;
        for (std::int32_t i = k + 1; i < n; ++i) a(i, k) /= pivot;
        for (std::int32_t j = k + 1; j < n; ++j) {
            const T u = a(k, j);
            if (u == T(0)) continue;
            T* column = a.Column(j);
            const T* l = a.Column(k);
            for (std::int32_t i = k + 1; i < n; ++i) column[i] -= l[i] * u;
        }
    }
    return smallest;
}

// After a refusal of LU or Chol whose message holds `refusal`, or their
// "Division by zero": a line when the elimination in double meets no pivot
// below 1000·n·eps·‖A‖ (`norm`), so that the factors (`factors`, "L and U")
// exist; nothing otherwise.
template <typename T>
std::optional<std::string> RefusedFactorsLine(const Matrix<T>& a, long double norm, const CheckedOutcome& outcome,
                                              const char* refusal, const char* factors, const std::string& advice) {
    const char* rule = nullptr;
    if (outcome.Error == kComplexDivisionMessage)
        rule = kDivisionRule;
    else if (outcome.Error.empty() && outcome.Refusal.find(refusal) != std::string::npos)
        rule = kRoundingStop;
    if (rule == nullptr) return std::nullopt;
    const double pivot = SmallestPivot(a);
    if (!(pivot > 1000.0L * a.Rows() * kEps * norm) || !std::isfinite(pivot)) return std::nullopt;
    const double rcond = linalg::RCond1(a);
    return CheckLine(std::string(factors) + " for this matrix, its smallest pivot " + CheckNumber(pivot),
                     rcond > 0 ? std::optional<double>(1.0 / rcond) : std::nullopt, rule, advice);
}

// The check of a factorization of the n x n matrix `a` (‖a‖ = `norm`) into
// two factors: `line(F, G)` on the factors as doubles when the command
// printed them; after a refusal, RefusedFactorsLine with `refusal` and
// `factors`; nothing after another kind of result.
template <typename T, typename Line>
std::optional<std::string> FactorPairCheck(const Matrix<T>& a, const CheckedOutcome& outcome, long double norm,
                                           const char* refusal, const char* factors, const std::string& advice,
                                           Line line) {
    if (outcome.Result == nullptr) return RefusedFactorsLine(a, norm, outcome, refusal, factors, advice);
    const auto* f = outcome.ResultAs<FactorPairResult>();
    if (f == nullptr) return std::nullopt;
    const std::int32_t n = a.Rows();
    return line(FromResult<T>(f->First, n, n), FromResult<T>(f->Second, n, n));
}

}  // namespace quorvix::checks
