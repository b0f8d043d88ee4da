// The QR and Cholesky commands: QR(A), QR(B), Chol(A), Chol(B).
#include "commands/command_frame.h"
#include "commands/handlers.h"
#include "core/mat_ldl.h"

namespace quorvix {

namespace {

// Q*A = R of a real matrix with at least as many rows as columns.
void QROf(CalcState& s, Operand which, const char* label) {
    s.Result.ResultKind = rkQR;
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, label);
    if (size.Rows < size.Cols) {
        Refuse(s, " Error: To Calculate QR, Row>=Col!");
        return;
    }
    const std::int32_t m = size.Rows;
    const std::int32_t n = size.Cols;
    s.Result.ResultRows = m;
    s.Result.ResultCols = n;
    SizeMatrix(s.Result.ResultFactor1, m, m);
    if (!ReadRealOperand(s, which, size, s.Result.ResultFactor2)) return;
    MatQR(s.Result.ResultFactor2, m, n, s.Result.ResultFactor1);  // R stays in factor 2, Q goes to factor 1
    PrintResult(s);
}

// A = L*D*L' of a square matrix, complex elements allowed.
void CholeskyOf(CalcState& s, Operand which, const char* label) {
    s.Result.ResultKind = rkLDL;
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, label);
    if (size.Rows != size.Cols) {
        Refuse(s, " Error: To Calculate Cholesky, Row=Col!");
        return;
    }
    const std::int32_t n = size.Rows;
    s.Result.ResultRows = n;
    s.Result.ResultCols = n;
    SizeMatrix(s.Result.ResultFactor1, n, n);
    SizeMatrix(s.Result.ResultFactor2, n, n);
    ReadOperand(s, which, size, s.Result.ResultMatrix);
    if (!MatLDL(s.Result.ResultMatrix, s.Result.ResultFactor1, s.Result.ResultFactor2)) {
        Refuse(s, " No Cholesky decomposition!");
        return;
    }
    PrintResult(s);
}

}  // namespace

void SpeedButton26Click(CalcState& s) { QROf(s, Operand::A, "QR(A)"); }
void SpeedButton28Click(CalcState& s) { QROf(s, Operand::B, "QR(B)"); }
void SpeedButton31Click(CalcState& s) { CholeskyOf(s, Operand::A, "Chol(A)"); }
void SpeedButton36Click(CalcState& s) { CholeskyOf(s, Operand::B, "Chol(B)"); }

}  // namespace quorvix
