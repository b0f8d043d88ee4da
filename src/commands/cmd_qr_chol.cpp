// The QR and Cholesky commands: QR(A), QR(B), Chol(A), Chol(B).
#include <optional>
#include <utility>

#include "commands/command_frame.h"
#include "commands/handlers.h"
#include "core/mat_ldl.h"

namespace quorvix {

// Q*A = R of a real matrix with at least as many rows as columns.
void FactorQR(CalcState& s, const Operation& op, Operand which) {
    const EditorSize size = BeginCommand(s, which, op.Label);
    if (size.Rows < size.Cols) {
        Refuse(s, " Error: To Calculate QR, Row>=Col!");
        return;
    }
    std::optional<RCOMat> operand = ReadRealOperand(s, which, size);
    if (!operand) return;
    FactorPairResult result{
        .FirstName = "Q", .SecondName = "R", .Rows = size.Rows, .Cols = size.Cols, .SecondRealOnly = true};
    SizeMatrix(result.First, size.Rows, size.Rows);
    result.Second = std::move(*operand);
    MatQR(result.Second, size.Rows, size.Cols, result.First);  // the operand becomes R
    PrintResult(s, std::move(result));
}

// A = L*D*L' of a square matrix, complex elements allowed.
void FactorCholesky(CalcState& s, const Operation& op, Operand which) {
    const EditorSize size = BeginCommand(s, which, op.Label);
    if (size.Rows != size.Cols) {
        Refuse(s, " Error: To Calculate Cholesky, Row=Col!");
        return;
    }
    FactorPairResult result{.FirstName = "L", .SecondName = "D", .Rows = size.Rows, .Cols = size.Cols};
    SizeMatrix(result.First, size.Rows, size.Rows);
    SizeMatrix(result.Second, size.Rows, size.Rows);
    RCOMat m = ReadOperand(s, which, size);
    if (!MatLDL(m, result.First, result.Second)) {
        Refuse(s, " No Cholesky decomposition!");
        return;
    }
    PrintResult(s, std::move(result));
}

}  // namespace quorvix
