// The check of Det. The double determinant comes from LU with partial
// pivoting; it is trusted where n·eps·cond is small, or where the LU of A
// and the LU of A' (two different roundings) agree to 1e-8: an exactly
// computed determinant of an ill-conditioned matrix (Pascal's, whose
// determinant is 1) passes the second test, the noise of a singular one
// fails both. Nothing is said where neither holds.
#include <cmath>
#include <optional>
#include <string>
#include <variant>

#include "commands/checks/check_families.h"
#include "commands/checks/check_support.h"
#include "linalg/determinant.h"

namespace quorvix::checks {

namespace {

constexpr double kAgreement = 1e-8;

template <typename T>
Complex DeterminantValue(const Matrix<T>& a, double* rcond) {
    const linalg::DeterminantResult<T> d = linalg::Determinant(a);
    if (rcond != nullptr) *rcond = d.RCond;
    const Complex m(d.Mantissa);
    const int e = static_cast<int>(std::fmax(-100000.0, std::fmin(100000.0, static_cast<double>(d.Exponent))));
    return {std::ldexp(m.real(), e), std::ldexp(m.imag(), e)};
}

template <typename T>
std::optional<std::string> DeterminantCheck(const Matrix<T>& a, Complex shown, Operand which) {
    const std::int32_t n = a.Rows();
    if (n == 0 || n != a.Cols()) return std::nullopt;
    double rcond = 0;
    const Complex exact = DeterminantValue(a, &rcond);
    if (exact == Complex(0) || !std::isfinite(std::abs(exact))) return std::nullopt;
    const double condition = 1.0 / rcond;
    const double conditionBound = 32.0 * n * kEps * condition;
    const Complex other = DeterminantValue(Transposed(a), nullptr);
    const double agreement = std::abs(other - exact) / std::abs(exact);
    double bound = 0;
    if (conditionBound < kUndecided)
        bound = conditionBound;
    else if (agreement < kAgreement)
        bound = 100.0 * agreement;
    else
        return std::nullopt;
    bound = std::fmax(bound, kSmallestReported);
    if (!(std::abs(shown - exact) > bound * std::abs(exact))) return std::nullopt;
    // A 0 of a nonsingular matrix comes from the block threshold unless the
    // determinant itself is small enough for the rounding to take it.
    const char* rule = shown == Complex(0) && std::abs(exact) > 1e-12 ? kBlockRule : kRoundingRule;
    return CheckLine(CheckNumber(exact) + " for this determinant",
                     rcond > 0 ? std::optional<double>(condition) : std::nullopt, rule,
                     WithOperand("scale the matrix or use PLU(A)", which));
}

}  // namespace

std::optional<std::string> CheckDeterminant(const CalcState& s, const Operation& op, const CheckedOutcome& outcome) {
    if (outcome.Result == nullptr) return std::nullopt;
    const auto* value = std::get_if<ScalarResult>(outcome.Result);
    if (value == nullptr) return std::nullopt;
    const Operand which = OperandOf(op);
    const Complex shown = ScalarValue(value->Value);
    return std::visit([&](const auto& m) { return DeterminantCheck(m, shown, which); }, ReadChecked(s, which));
}

}  // namespace quorvix::checks
