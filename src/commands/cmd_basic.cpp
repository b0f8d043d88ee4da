// The commands that show an operand or hand both operands to one routine of
// the matrix library: A, B, A+B, A-B, the logical operations, A*B, the
// transposes and the traces.
#include "commands/command_frame.h"
#include "commands/handlers.h"

namespace quorvix {

namespace {

void ShowOperand(CalcState& s, Operand which, const char* label) {
    s.Result.ResultKind = rkMatrix;
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, label);
    s.Result.ResultRows = size.Rows;
    s.Result.ResultCols = size.Cols;
    ReadOperand(s, which, size, s.Result.ResultMatrix);
    PrintResult(s);
}

using PairRoutine = void (*)(const RCOMat&, const RCOMat&, RCOMat&);

// A+B and its same-size twins: read A and B, combine them with `routine`.
void SameSizePair(CalcState& s, const char* label, const char* message, PairRoutine routine, bool negateB) {
    s.Result.ResultKind = rkMatrix;
    const EditorSize a = MeasureEditor(s, Operand::A);
    const EditorSize b = MeasureEditor(s, Operand::B);
    AppendLabel(s, label);
    if (a != b) {
        Refuse(s, message);
        return;
    }
    s.Result.ResultRows = a.Rows;
    s.Result.ResultCols = a.Cols;
    ReadOperand(s, Operand::A, a, s.Result.WorkA);
    if (negateB) {
        // A-B: every element of B is negated right after it is read.
        SizeMatrix(s.Result.WorkB, b.Rows, b.Cols);
        RCOMat& workB = s.Result.WorkB;
        ReadElements(s.MatrixB, b.Rows, b.Cols, s.Settings,
                     [&workB](std::int32_t i, std::int32_t j, const Scalar& v) { workB[i][j] = -v; });
    } else {
        ReadOperand(s, Operand::B, b, s.Result.WorkB);
    }
    SizeMatrix(s.Result.ResultMatrix, a.Rows, a.Cols);
    routine(s.Result.WorkA, s.Result.WorkB, s.Result.ResultMatrix);
    PrintResult(s);
}

void TransposeOperand(CalcState& s, Operand which, const char* label) {
    s.Result.ResultKind = rkMatrix;
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, label);
    s.Result.ResultRows = size.Cols;
    s.Result.ResultCols = size.Rows;
    ReadOperand(s, which, size, s.WorkT);
    SizeMatrix(s.Result.ResultMatrix, size.Cols, size.Rows);
    MatTranspose(s.WorkT, s.Result.ResultMatrix);
    PrintResult(s);
}

void TraceOperand(CalcState& s, Operand which, const char* label) {
    s.Result.ResultKind = rkScalar;
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, label);
    ReadOperand(s, which, size, s.Result.ResultMatrix);
    MatTrace(s.Result.ResultMatrix, s.Result.ResultScalar);
    PrintResult(s);
}

}  // namespace

void SpeedButton11Click(CalcState& s) { ShowOperand(s, Operand::A, "A"); }
void SpeedButton12Click(CalcState& s) { ShowOperand(s, Operand::B, "B"); }

void SpeedButton13Click(CalcState& s) {
    SameSizePair(s, "A+B", " Error: To Calculate A+B, the two Matrice must be same dimensions!", MatAdd, false);
}

void SpeedButton9Click(CalcState& s) {
    SameSizePair(s, "A-B", " Error: To Calculate A-B, the two Matrice must be same dimensions!", MatAdd, true);
}

void SpeedButton21Click(CalcState& s) {
    SameSizePair(s, "A&B", " Error: To Calculate A&B, the two Matrice must be same dimensions!", MatAnd, false);
}

void SpeedButton22Click(CalcState& s) {
    SameSizePair(s, "A|B", " Error: To Calculate A|B, the two Matrice must be same dimensions!", MatOr, false);
}

void SpeedButton23Click(CalcState& s) {
    SameSizePair(s, "A#B", " Error: To Calculate A#B, the two Matrice must be same dimensions!", MatXor, false);
}

void SpeedButton39Click(CalcState& s) {
    s.Result.ResultKind = rkMatrix;
    const EditorSize a = MeasureEditor(s, Operand::A);
    const EditorSize b = MeasureEditor(s, Operand::B);
    AppendLabel(s, "A*B");
    if (a.Cols != b.Rows) {
        Refuse(s, " Error: To Calculate A*B, A(Col)=B(Row)!");
        return;
    }
    s.Result.ResultRows = a.Rows;
    s.Result.ResultCols = b.Cols;
    ReadOperand(s, Operand::A, a, s.Result.WorkA);
    ReadOperand(s, Operand::B, b, s.Result.WorkB);
    SizeMatrix(s.Result.ResultMatrix, a.Rows, b.Cols);
    MatMultiply(s.Result.WorkA, s.Result.WorkB, s.Result.ResultMatrix);
    PrintResult(s);
}

void SpeedButton14Click(CalcState& s) { TransposeOperand(s, Operand::A, "A'"); }
void SpeedButton15Click(CalcState& s) { TransposeOperand(s, Operand::B, "B'"); }
void SpeedButton24Click(CalcState& s) { TraceOperand(s, Operand::A, "Trace(A)"); }
void SpeedButton25Click(CalcState& s) { TraceOperand(s, Operand::B, "Trace(B)"); }

}  // namespace quorvix
