// The operations on the singular values: Sv (the values, descending), Pinv
// (the Moore-Penrose pseudo-inverse), Cond (s1 / s_min) and Null (an
// orthonormal basis of the null space). Pinv and Null take a singular value
// at most max(m, n)·eps·s1 as 0; none of them lets the user choose another
// tolerance.
#include <string>

#include "commands/more_handlers.h"
#include "commands/more_operand.h"
#include "linalg/cond.h"
#include "linalg/null_space.h"
#include "linalg/pinv.h"
#include "linalg/residuals.h"
#include "linalg/singular_values.h"

namespace quorvix {

void SingularValuesOfMatrix(CalcState& s, const Operation& op, Operand which) {
    RunOnOperand(s, op, which, OperandShape::Any,
                 [&s](const auto& m) { PrintResult(s, MatrixResult{ToResultColumn(linalg::SingularValues(m))}); });
}

void PseudoInverse(CalcState& s, const Operation& op, Operand which) {
    RunOnOperand(s, op, which, OperandShape::Any, [&s, which](const auto& m) {
        const auto p = linalg::Pinv(m);
        const double residual = linalg::PinvResidual(m, p.X);
        PrintResult(s, MatrixResult{ToResultMatrix(p.X)});
        AppendCheckLine(s, residual);
        AppendSingularNotice(s, OperandName(which), p.RCond);
    });
}

void ConditionNumber(CalcState& s, const Operation& op, Operand which) {
    RunOnOperand(s, op, which, OperandShape::Any, [&s, &op, which](const auto& m) {
        const linalg::CondResult c = linalg::Cond(m);
        if (c.Singular) {
            Refuse(s, std::string(" Error: To Calculate ") + op.Label + ", the Matrix is singular!");
            return;
        }
        PrintResult(s, ScalarResult{Scalar::Real(c.Value)});
        AppendSingularNotice(s, OperandName(which), c.RCond);
    });
}

void NullSpaceBasis(CalcState& s, const Operation& op, Operand which) {
    RunOnOperand(s, op, which, OperandShape::Any, [&s, &op](const auto& m) {
        const auto basis = linalg::NullSpace(m);
        // Only the zero vector: an answer, not a refusal, but no matrix to
        // print or keep.
        if (basis.Cols() == 0) {
            AppendNotice(s, std::string(" Notice: ") + op.Label + " is only the zero vector.");
            return;
        }
        PrintResult(s, MatrixResult{ToResultMatrix(basis)});
    });
}

}  // namespace quorvix
