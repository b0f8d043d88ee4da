// The checks of Eig and Svd. Eigenvalues are matched to the double ones
// (geev or syevd without vectors) nearest first; a symmetric matrix's move
// at most ‖E‖ (Weyl), so their bound is n·eps·‖A‖; a general matrix's can
// move by much more than its condition says when they are ill-conditioned,
// so theirs is 1e-6·‖A‖: the check finds answers that are far off, not a
// lost last digit. Large matrices are judged by invariants (below). The SVD
// is judged by U*S*V = A with U and V orthogonal, which makes S's diagonal
// the singular values; no singular values are computed for it.
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "commands/checks/check_factors.h"
#include "commands/checks/check_families.h"
#include "commands/checks/check_support.h"
#include "linalg/determinant.h"
#include "linalg/eigenvalues.h"
#include "linalg/hermitian.h"
#include "linalg/multiply.h"
#include "linalg/norms.h"

namespace quorvix::checks {

namespace {

constexpr double kNonSymmetricSlack = 1e-6;

// From this order on the eigenvalue driver costs about what Eig itself does,
// so the eigenvalues are judged by invariants instead: their sum (the trace),
// the sum of their squares (the trace of A*A, from the elements) and, where
// the condition lets a double determinant decide, the product of their
// moduli. An answer far off fails one of them as surely, at a cost of O(n^2)
// and one LU.
constexpr std::int32_t kInvariantsFromOrder = 150;

std::optional<std::string> InvariantsCheck(const RealMatrix& a, const EigenResult& eigen, double slack, Operand which) {
    const std::int32_t n = a.Rows();
    const long double norm = linalg::FrobeniusNormExtended(a);
    long double sum = 0, squares = 0, trace = 0, traceSquare = 0;
    for (std::int32_t k = 1; k <= n; ++k) {
        const long double re = EigenPart(eigen.Re, k), im = EigenPart(eigen.Im, k);
        sum += re;
        squares += re * re - im * im;
    }
    for (std::int32_t i = 0; i < n; ++i) {
        trace += a(i, i);
        for (std::int32_t j = 0; j < n; ++j) traceSquare += static_cast<long double>(a(i, j)) * a(j, i);
    }
    const std::string advice = WithOperand("scale the matrix or use Eigvec(A)", which);
    const long double bound1 = std::fmax(slack, kSmallestReported) * n * norm;
    if (std::fabs(sum - trace) > bound1)
        return CheckLine(CheckNumber(static_cast<double>(trace)) + " for the sum of these eigenvalues (the trace)",
                         std::nullopt, kRoundingRule, advice);
    if (std::fabs(squares - traceSquare) > 2 * bound1 * norm)
        return CheckLine(CheckNumber(static_cast<double>(traceSquare)) +
                             " for the sum of the squares of these eigenvalues (the trace of A*A)",
                         std::nullopt, kRoundingRule, advice);
    const linalg::DeterminantResult<double> d = linalg::Determinant(a);
    const double conditionBound = 32.0 * n * kEps / d.RCond;
    if (d.Mantissa == 0.0 || !(conditionBound < kUndecided)) return std::nullopt;
    // log2 |det A| against the sum of log2 |eigenvalue|.
    const long double exact = std::log2(std::fabs(static_cast<long double>(d.Mantissa))) + d.Exponent;
    long double shown = 0;
    for (std::int32_t k = 1; k <= n; ++k) {
        const long double modulus = std::hypot(static_cast<long double>(EigenPart(eigen.Re, k)),
                                               static_cast<long double>(EigenPart(eigen.Im, k)));
        if (modulus == 0)
            return CheckLine("a determinant of 2^" + CheckNumber(static_cast<double>(exact)) +
                                 " for this matrix, which has no eigenvalue 0",
                             1.0 / d.RCond, kRoundingRule, advice);
        shown += std::log2(modulus);
    }
    // A relative change of the determinant by t moves its log2 by about t.
    if (std::fabs(shown - exact) > 2.0L * std::fmax(std::fmax(conditionBound, slack * n), kSmallestReported))
        return CheckLine("2^" + CheckNumber(static_cast<double>(exact)) +
                             " for the product of the moduli of these eigenvalues (|det A|)",
                         1.0 / d.RCond, kRoundingRule, advice);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> CheckEigenvalues(const CalcState& s, const Operation& op, const CheckedOutcome& outcome) {
    const auto* eigen = outcome.ResultAs<EigenResult>();
    if (eigen == nullptr || eigen->Unreached != 0) return std::nullopt;
    const auto [which, a] = ReadCheckedReal(s, op);
    const std::int32_t n = a.Rows();
    if (n == 0 || n != a.Cols() || eigen->Order != n) return std::nullopt;
    const double slack = linalg::IsHermitian(a) ? 32.0 * n * kEps : kNonSymmetricSlack;
    if (n >= kInvariantsFromOrder) return InvariantsCheck(a, *eigen, slack, which);
    std::vector<Complex> exact = linalg::EigenvaluesOnly(a);
    const double bound = std::fmax(slack, kSmallestReported) * static_cast<double>(linalg::FrobeniusNormExtended(a));
    // Each shown eigenvalue takes the nearest double one not yet taken.
    std::vector<bool> taken(exact.size(), false);
    for (std::int32_t k = 1; k <= n; ++k) {
        const Complex shown(EigenPart(eigen->Re, k), EigenPart(eigen->Im, k));
        std::size_t best = 0;
        double distance = INFINITY;
        for (std::size_t j = 0; j < exact.size(); ++j) {
            if (taken[j]) continue;
            const double d = std::abs(exact[j] - shown);
            if (d < distance) {
                distance = d;
                best = j;
            }
        }
        if (!std::isfinite(distance)) return std::nullopt;
        taken[best] = true;
        if (distance > bound)
            return CheckLine(CheckNumber(exact[best]) + " for eigenvalue " + std::to_string(k) + " of this matrix",
                             std::nullopt, kRoundingRule, WithOperand("scale the matrix or use Eigvec(A)", which));
    }
    return std::nullopt;
}

std::optional<std::string> CheckSVD(const CalcState& s, const Operation& op, const CheckedOutcome& outcome) {
    const auto* svd = outcome.ResultAs<SvdResult>();
    if (svd == nullptr) return std::nullopt;
    const auto [which, a] = ReadCheckedReal(s, op);
    const std::int32_t m = a.Rows(), n = a.Cols();
    if (a.Empty() || svd->Rows != m || svd->Cols != n) return std::nullopt;
    const RealMatrix u = FromResult<double>(svd->U, m, m), sigma = FromResult<double>(svd->S, m, n),
                     v = FromResult<double>(svd->V, n, n);
    const std::string advice = WithOperand("scale the matrix or use Sv(A)", which);
    const long double bound = 32.0L * std::max(m, n) * kEps;
    const long double norm = linalg::FrobeniusNormExtended(a);
    // U*S by columns: S is diagonal, or upper bidiagonal where the iteration
    // gave up (the notice says so; U*S*V = A holds all the same).
    RealMatrix us(m, n);
    for (std::int32_t j = 0; j < n; ++j)
        for (std::int32_t k = std::max(j - 1, 0); k <= j && k < m; ++k)
            for (std::int32_t i = 0; i < m; ++i) us(i, j) += u(i, k) * sigma(k, j);
    const RealMatrix x = Probes<double>(m), y = Probes<double>(n);
    if (auto line = ResidualLine(ProbedNorm(linalg::Multiply(us, linalg::Multiply(v, y)), linalg::Multiply(a, y)),
                                 bound * norm, norm, "U*S*V - A", advice))
        return line;
    const long double um = std::sqrt(static_cast<long double>(m)), vn = std::sqrt(static_cast<long double>(n));
    if (auto line = ResidualLine(ProbedNorm(linalg::Multiply(Transposed(u), linalg::Multiply(u, x)), x), bound * um, um,
                                 "U'*U - I", advice, "I"))
        return line;
    return ResidualLine(ProbedNorm(linalg::Multiply(v, linalg::Multiply(Transposed(v), y)), y), bound * vn, vn,
                        "V*V' - I", advice, "I");
}

}  // namespace quorvix::checks
