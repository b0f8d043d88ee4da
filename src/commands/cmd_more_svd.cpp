// The operations on the singular values: Sv (the values, descending), Pinv
// (the Moore-Penrose pseudo-inverse), Cond (s1 / s_min) and Null (an
// orthonormal basis of the null space). Pinv and Null take a singular value
// at most max(m, n)·eps·s1 as 0; none of them lets the user choose another
// tolerance.
#include <algorithm>
#include <optional>
#include <string>
#include <variant>

#include "commands/more_handlers.h"
#include "commands/more_operand.h"
#include "linalg/blas_threads.h"
#include "linalg/cond.h"
#include "linalg/null_space.h"
#include "linalg/pinv.h"
#include "linalg/residuals.h"
#include "linalg/singular_values.h"

namespace quorvix {

namespace {

// The command's start: the label, then the refusal of an empty editor;
// nothing when refused.
std::optional<LinalgMatrix> BeginOnOperand(CalcState& s, Operand which, const std::string& label) {
    const EditorSize size = BeginCommand(s, which, label);
    if (size.Rows == 0) {
        RefuseEmptyOperand(s, label);
        return std::nullopt;
    }
    return ReadLinalgOperand(s, which, size);
}

std::int32_t LargestDimension(const LinalgMatrix& a) {
    return std::visit([](const auto& m) { return std::max(m.Rows(), m.Cols()); }, a);
}

}  // namespace

void SingularValuesOfMatrix(CalcState& s, const Operation& op, Operand which) {
    const std::optional<LinalgMatrix> a = BeginOnOperand(s, which, op.Label);
    if (!a) return;
    const linalg::BlasThreadScope threads(LargestDimension(*a));
    std::visit([&s](const auto& m) { PrintResult(s, MatrixResult{ToResultColumn(linalg::SingularValues(m))}); }, *a);
}

void PseudoInverse(CalcState& s, const Operation& op, Operand which) {
    const std::optional<LinalgMatrix> a = BeginOnOperand(s, which, op.Label);
    if (!a) return;
    const linalg::BlasThreadScope threads(LargestDimension(*a));
    std::visit(
        [&](const auto& m) {
            const auto p = linalg::Pinv(m);
            const double residual = linalg::PinvResidual(m, p.X);
            PrintResult(s, MatrixResult{ToResultMatrix(p.X)});
            AppendCheckLine(s, residual);
            AppendSingularNotice(s, OperandName(which), p.RCond);
        },
        *a);
}

void ConditionNumber(CalcState& s, const Operation& op, Operand which) {
    const std::string label = op.Label;
    const std::optional<LinalgMatrix> a = BeginOnOperand(s, which, label);
    if (!a) return;
    const linalg::BlasThreadScope threads(LargestDimension(*a));
    const linalg::CondResult c = std::visit([](const auto& m) { return linalg::Cond(m); }, *a);
    if (c.Singular) {
        Refuse(s, " Error: To Calculate " + label + ", the Matrix is singular!");
        return;
    }
    PrintResult(s, ScalarResult{Scalar::Real(c.Value)});
    AppendSingularNotice(s, OperandName(which), c.RCond);
}

void NullSpaceBasis(CalcState& s, const Operation& op, Operand which) {
    const std::string label = op.Label;
    const std::optional<LinalgMatrix> a = BeginOnOperand(s, which, label);
    if (!a) return;
    const linalg::BlasThreadScope threads(LargestDimension(*a));
    std::visit(
        [&](const auto& m) {
            const auto basis = linalg::NullSpace(m);
            // Only the zero vector: an answer, not a refusal, but no matrix
            // to print or keep.
            if (basis.Cols() == 0) {
                AppendNotice(s, " Notice: " + label + " is only the zero vector.");
                return;
            }
            PrintResult(s, MatrixResult{ToResultMatrix(basis)});
        },
        *a);
}

}  // namespace quorvix
