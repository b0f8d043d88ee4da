// The operations that give one matrix of their operand's kind: Rref (the
// reduced row echelon form, which decides no rank), Expm (the exponential,
// by scaling and squaring with Padé approximants, no condition estimate)
// and ^H (the conjugate transpose, for a real matrix its transpose).
#include <algorithm>
#include <string>
#include <utility>

#include "commands/more_handlers.h"
#include "commands/more_operand.h"
#include "linalg/blas_threads.h"
#include "linalg/conjugate_transpose.h"
#include "linalg/expm.h"
#include "linalg/rref.h"

namespace quorvix {

namespace {

// Reads the operand, refusing an empty editor (and, when `square`, one that
// is not square, as the 43 do before they read), and prints what `compute`
// makes of it.
template <typename Compute>
void PrintMatrixOf(CalcState& s, const Operation& op, Operand which, bool square, Compute compute) {
    const std::string label = op.Label;
    const EditorSize size = BeginCommand(s, which, label);
    if (square && size.Rows != size.Cols) {
        Refuse(s, " Error: To Calculate " + label + ", Row=Col!");
        return;
    }
    if (size.Rows == 0) {
        RefuseEmptyOperand(s, label);
        return;
    }
    const linalg::BlasThreadScope threads(std::max(size.Rows, size.Cols));
    const LinalgMatrix a = ReadLinalgOperand(s, which, size);
    std::visit([&](const auto& m) { PrintResult(s, MatrixResult{ToResultMatrix(compute(m))}); }, a);
}

}  // namespace

void RowEchelonForm(CalcState& s, const Operation& op, Operand which) {
    PrintMatrixOf(s, op, which, false, [](const auto& m) { return linalg::Rref(m); });
}

void MatrixExponential(CalcState& s, const Operation& op, Operand which) {
    PrintMatrixOf(s, op, which, true, [](const auto& m) { return linalg::Expm(m); });
}

void ConjugateTransposeOf(CalcState& s, const Operation& op, Operand which) {
    PrintMatrixOf(s, op, which, false, [](const auto& m) { return linalg::ConjugateTranspose(m); });
}

}  // namespace quorvix
