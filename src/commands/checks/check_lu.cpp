// The check of LU (Doolittle, no pivoting). A result is judged by L*U = A
// against n·eps·‖L‖·‖U‖, the bound of an elimination without pivoting; a
// refusal ("Calculate LU failed!", "Division by zero") by the same
// elimination in double: where it meets no pivot below 1000·n·eps·‖A‖ the
// factors exist and the line says so.
#include <cmath>
#include <optional>
#include <string>
#include <variant>

#include "commands/checks/check_factors.h"
#include "commands/checks/check_families.h"
#include "commands/checks/check_support.h"
#include "linalg/lu_factor.h"
#include "linalg/multiply.h"
#include "linalg/norms.h"

namespace quorvix::checks {

namespace {

template <typename T>
std::optional<std::string> LUCheck(const Matrix<T>& a, const CheckedOutcome& outcome, Operand which) {
    const std::int32_t n = a.Rows();
    if (n == 0 || n != a.Cols()) return std::nullopt;
    const std::string advice = WithOperand("scale the matrix or use PLU(A)", which);
    const long double norm = linalg::FrobeniusNormExtended(a);
    return FactorPairCheck(
        a, outcome, norm, "LU failed", "L and U", advice, [&](const Matrix<T>& l, const Matrix<T>& u) {
            return TwoFactorLine(a, l, u, linalg::FrobeniusNormExtended(l) * linalg::FrobeniusNormExtended(u), norm,
                                 "L*U - A", advice);
        });
}

}  // namespace

std::optional<std::string> CheckLU(const CalcState& s, const Operation& op, const CheckedOutcome& outcome) {
    const Operand which = OperandOf(op);
    return std::visit([&](const auto& m) { return LUCheck(m, outcome, which); }, ReadChecked(s, which));
}

}  // namespace quorvix::checks
