// The check of Det. The double determinant comes from LU with partial
// pivoting; it is trusted where n·eps·cond is small, or where a second
// elimination, of A with its rows scaled by factors that are not powers of
// two (other pivots, other roundings), agrees with it: to 1e-8 to judge a
// determinant the design printed, to 1e-2 to say that one it printed as 0 is
// not 0. The determinant of an ill-conditioned matrix that elimination gets
// nearly right (Pascal's, which is 1) passes the second test, the rounding
// noise of a singular matrix fails both. Nothing is said where neither holds.
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
constexpr double kNonZeroAgreement = 1e-2;

// The determinant as a double (an infinity or 0 beyond the double's range),
// divided by `divisor`.
template <typename T>
Complex DeterminantValue(const Matrix<T>& a, double* rcond, long double divisor = 1.0L) {
    const linalg::DeterminantResult<T> d = linalg::Determinant(a);
    if (rcond != nullptr) *rcond = d.RCond;
    const Complex m(d.Mantissa);
    const int e = static_cast<int>(std::fmax(-100000.0, std::fmin(100000.0, static_cast<double>(d.Exponent))));
    return {static_cast<double>(std::ldexp(static_cast<long double>(m.real()), e) / divisor),
            static_cast<double>(std::ldexp(static_cast<long double>(m.imag()), e) / divisor)};
}

// Row i scaled by 1 + ((7 i) mod 13) / 17; the product of the factors.
template <typename T>
Matrix<T> RowsScaled(Matrix<T> a, long double& product) {
    product = 1.0L;
    for (std::int32_t i = 0; i < a.Rows(); ++i) {
        const double f = 1.0 + static_cast<double>((7 * i) % 13) / 17.0;
        product *= f;
        for (std::int32_t j = 0; j < a.Cols(); ++j) a(i, j) *= f;
    }
    return a;
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
    double bound = conditionBound;
    if (!(conditionBound < kUndecided)) {
        long double product = 1.0L;
        const Matrix<T> scaled = RowsScaled(a, product);
        const Complex other = DeterminantValue(scaled, nullptr, product);
        const double agreement = std::abs(other - exact) / std::abs(exact);
        if (!(agreement < (shown == Complex(0) ? kNonZeroAgreement : kAgreement))) return std::nullopt;
        bound = 100.0 * agreement;
    }
    bound = std::fmax(bound, kSmallestReported);
    if (!(std::abs(shown - exact) > bound * std::abs(exact))) return std::nullopt;
    // A 0 of a nonsingular matrix comes from the block threshold unless the
    // determinant itself is small enough for the rounding to take it.
    const char* rule = shown == Complex(0) && std::abs(exact) > 1e-12 ? kBlockRule : kRoundingRule;
    return CheckLine(CheckNumberBeside(exact, shown) + " for this determinant",
                     rcond > 0 ? std::optional<double>(condition) : std::nullopt, rule,
                     WithOperand("scale the matrix or use PLU(A)", which));
}

}  // namespace

std::optional<std::string> CheckDeterminant(const CalcState& s, const Operation& op, const CheckedOutcome& outcome) {
    const auto* value = outcome.ResultAs<ScalarResult>();
    if (value == nullptr) return std::nullopt;
    const Operand which = OperandOf(op);
    const Complex shown = ScalarValue(value->Value);
    return std::visit([&](const auto& m) { return DeterminantCheck(m, shown, which); }, ReadChecked(s, which));
}

}  // namespace quorvix::checks
