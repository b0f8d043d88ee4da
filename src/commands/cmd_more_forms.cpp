// The operations that give one matrix of their operand's kind: Rref (the
// reduced row echelon form, which decides no rank), Expm (the exponential,
// by scaling and squaring with Padé approximants, no condition estimate)
// and ^H (the conjugate transpose, for a real matrix its transpose).
#include "commands/more_handlers.h"
#include "commands/more_operand.h"
#include "linalg/conjugate_transpose.h"
#include "linalg/expm.h"
#include "linalg/rref.h"

namespace quorvix {

void RowEchelonForm(CalcState& s, const Operation& op, Operand which) {
    RunOnOperand(s, op, which, OperandShape::Any,
                 [&s](const auto& m) { PrintResult(s, MatrixResult{ToResultMatrix(linalg::Rref(m))}); });
}

void MatrixExponential(CalcState& s, const Operation& op, Operand which) {
    RunOnOperand(s, op, which, OperandShape::Square,
                 [&s](const auto& m) { PrintResult(s, MatrixResult{ToResultMatrix(linalg::Expm(m))}); });
}

void ConjugateTransposeOf(CalcState& s, const Operation& op, Operand which) {
    RunOnOperand(s, op, which, OperandShape::Any,
                 [&s](const auto& m) { PrintResult(s, MatrixResult{ToResultMatrix(linalg::ConjugateTranspose(m))}); });
}

}  // namespace quorvix
