// The checks of Eig and Svd. Eigenvalues are matched to the double ones
// (geev or syevd without vectors) nearest first; a symmetric matrix's move
// at most ‖E‖ (Weyl), so their bound is n·eps·‖A‖; a general matrix's can
// move by much more than its condition says when they are ill-conditioned,
// so theirs is 1e-6·‖A‖: the check finds answers that are far off, not a
// lost last digit. Singular values are compared sorted (Weyl again), and
// the factors by U*S*V = A with U and V orthogonal.
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
#include "linalg/eigenvalues.h"
#include "linalg/hermitian.h"
#include "linalg/multiply.h"
#include "linalg/norms.h"
#include "linalg/singular_values.h"

namespace quorvix::checks {

namespace {

constexpr double kNonSymmetricSlack = 1e-6;

std::optional<std::string> SingularValuesCheck(const RealMatrix& a, const RealMatrix& s, Operand which) {
    const std::vector<double> exact = linalg::SingularValues(a);
    std::vector<double> shown;
    for (std::int32_t k = 0; k < std::min(s.Rows(), s.Cols()); ++k) shown.push_back(std::fabs(s(k, k)));
    std::sort(shown.begin(), shown.end(), std::greater<>());
    if (exact.empty() || shown.size() != exact.size()) return std::nullopt;
    const double bound = std::fmax(32.0 * std::max(a.Rows(), a.Cols()) * kEps, kSmallestReported) * exact.front();
    for (std::size_t k = 0; k < exact.size(); ++k) {
        if (!(std::fabs(shown[k] - exact[k]) > bound)) continue;
        const double condition = exact.back() > 0 ? exact.front() / exact.back() : INFINITY;
        return CheckLine(CheckNumber(exact[k]) + " for singular value " + std::to_string(k + 1) + " of this matrix",
                         condition, kRoundingRule, WithOperand("scale the matrix or use Sv(A)", which));
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> CheckEigenvalues(const CalcState& s, const Operation& op, const CheckedOutcome& outcome) {
    if (outcome.Result == nullptr) return std::nullopt;
    const auto* eigen = std::get_if<EigenResult>(outcome.Result);
    if (eigen == nullptr || eigen->Unreached != 0) return std::nullopt;
    const Operand which = OperandOf(op);
    const RealMatrix a = ReadCheckedReal(s, which);
    const std::int32_t n = a.Rows();
    if (n == 0 || n != a.Cols() || eigen->Order != n) return std::nullopt;
    std::vector<Complex> exact = linalg::EigenvaluesOnly(a);
    const double slack = linalg::IsHermitian(a) ? 32.0 * n * kEps : kNonSymmetricSlack;
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
    if (outcome.Result == nullptr) return std::nullopt;
    const auto* svd = std::get_if<SvdResult>(outcome.Result);
    if (svd == nullptr) return std::nullopt;
    const Operand which = OperandOf(op);
    const RealMatrix a = ReadCheckedReal(s, which);
    const std::int32_t m = a.Rows(), n = a.Cols();
    if (a.Empty() || svd->Rows != m || svd->Cols != n) return std::nullopt;
    const RealMatrix u = FromResult<double>(svd->U, m, m), sigma = FromResult<double>(svd->S, m, n),
                     v = FromResult<double>(svd->V, n, n);
    const std::string advice = WithOperand("scale the matrix or use Sv(A)", which);
    if (auto line = SingularValuesCheck(a, sigma, which)) return line;
    const long double bound = 32.0L * std::max(m, n) * kEps;
    const long double norm = linalg::FrobeniusNormExtended(a);
    const RealMatrix product = linalg::Multiply(linalg::Multiply(u, sigma), v);
    if (auto line = ResidualLine(DifferenceNorm(product, a), bound * norm, norm, "U*S*V - A", advice)) return line;
    const long double um = std::sqrt(static_cast<long double>(m)), vn = std::sqrt(static_cast<long double>(n));
    if (auto line = ResidualLine(DifferenceNorm(linalg::Multiply(Transposed(u), u), RealMatrix::Identity(m)),
                                 bound * um, um, "U'*U - I", advice, "I"))
        return line;
    return ResidualLine(DifferenceNorm(linalg::Multiply(v, Transposed(v)), RealMatrix::Identity(n)), bound * vn, vn,
                        "V*V' - I", advice, "I");
}

}  // namespace quorvix::checks
