// Element-wise product and quotient, and the right division A/B = A*inv(B).
#include "commands/command_frame.h"
#include "commands/handlers.h"

namespace quorvix {

namespace {

// Stops reading B at the first zero element of A./B.
struct ZeroDivisor {};

// Sizes WorkA, WorkB and ResultMatrix and reads A; false when the sizes differ
// (the command's message has been written).
bool PrepareElementwise(CalcState& s, const char* label, const char* message, const char* emptyLine,
                        EditorSize& size) {
    s.Result.ResultKind = rkMatrix;
    const EditorSize a = MeasureEditor(s, Operand::A);
    const EditorSize b = MeasureEditor(s, Operand::B);
    AppendLabel(s, label);
    if (a != b) {
        s.Panel.AddLine(message);
        s.Panel.AddLine(emptyLine);
        return false;
    }
    size = a;
    s.Result.ResultRows = a.Rows;
    s.Result.ResultCols = a.Cols;
    SizeMatrix(s.Result.WorkB, a.Rows, a.Cols);
    SizeMatrix(s.Result.ResultMatrix, a.Rows, a.Cols);
    ReadOperand(s, Operand::A, a, s.Result.WorkA);
    return true;
}

}  // namespace

void SpeedButton46Click(CalcState& s) {
    EditorSize size;
    // The refusal of A.*B ends with a line holding one blank, not an empty line.
    if (!PrepareElementwise(s, "A.*B", " Error: To Calculate A.*B, the two Matrixs must be same dimensions!", " ",
                            size))
        return;
    ResultState& r = s.Result;
    ReadElements(s.MatrixB, size.Rows, size.Cols, s.Settings, [&r](std::int32_t i, std::int32_t j, const Scalar& v) {
        r.WorkB[i][j] = v;
        r.ResultMatrix[i][j] = r.WorkA[i][j] * r.WorkB[i][j];
    });
    PrintResult(s);
}

void SpeedButton52Click(CalcState& s) {
    EditorSize size;
    if (!PrepareElementwise(s, "A./B", " Error: To Calculate A./B, the two Matrixs must be same dimensions!", "", size))
        return;
    ResultState& r = s.Result;
    try {
        ReadElements(s.MatrixB, size.Rows, size.Cols, s.Settings,
                     [&r](std::int32_t i, std::int32_t j, const Scalar& v) {
                         r.WorkB[i][j] = v;
                         if (r.WorkB[i][j] == Scalar::Integer(0)) throw ZeroDivisor{};
                         r.ResultMatrix[i][j] = r.WorkA[i][j] / r.WorkB[i][j];
                     });
    } catch (const ZeroDivisor&) {
        Refuse(s, " Error: To Calculate A./B, the Matrix B without 0!");
        return;
    }
    PrintResult(s);
}

void SpeedButton49Click(CalcState& s) {
    s.Result.ResultKind = rkMatrix;
    const EditorSize a = MeasureEditor(s, Operand::A);
    const EditorSize b = MeasureEditor(s, Operand::B);
    AppendLabel(s, "A/B");
    if (b.Rows != a.Cols || b.Rows != b.Cols) {
        Refuse(s, " Error: To Calculate A/B, B Should be square, and A(Col)=B(Row)!");
        return;
    }
    s.Result.ResultRows = a.Rows;
    s.Result.ResultCols = a.Cols;
    SizeMatrix(s.WorkT, b.Rows, b.Cols);
    SizeMatrix(s.Result.ResultMatrix, a.Rows, b.Cols);
    ReadOperand(s, Operand::A, a, s.Result.WorkA);
    ReadOperand(s, Operand::B, b, s.Result.WorkB);
    MatInvertLU(s.Result.WorkB, s.WorkT);
    if (MatError == kMatSingular) {
        // The inverse does not exist: say so rather than print a product
        // built from a matrix the inversion never wrote.
        Refuse(s, " Error: To Calculate A/B, Matrix B is singular!");
        return;
    }
    MatMultiply(s.Result.WorkA, s.WorkT, s.Result.ResultMatrix);
    PrintResult(s);
}

}  // namespace quorvix
