// The commands that show an operand or hand both operands to one routine of
// the matrix library: A, B, A+B, A-B, the logical operations, A*B, the
// transposes and the traces.
#include <string>
#include <utility>

#include "commands/command_frame.h"
#include "commands/handlers.h"

namespace quorvix {

namespace {

using PairRoutine = void (*)(const RCOMat&, const RCOMat&, RCOMat&);

// A+B and its same-size twins: read A and B, combine them with `routine`.
void SameSizePair(CalcState& s, const char* label, PairRoutine routine, bool negateB) {
    const PairSize size = BeginPairCommand(s, label);
    if (size.A != size.B) {
        Refuse(s, std::string(" Error: To Calculate ") + label + ", the two Matrice must be same dimensions!");
        return;
    }
    const RCOMat a = ReadOperand(s, Operand::A, size.A);
    RCOMat b = ReadOperand(s, Operand::B, size.B);
    if (negateB) {
        // A-B is A plus B with every element negated as it is read.
        for (RCOVec& row : b)
            for (Scalar& v : row)
                if (!v.IsEmpty()) v = -v;
    }
    MatrixResult result;
    SizeMatrix(result.Matrix, size.A.Rows, size.A.Cols);
    routine(a, b, result.Matrix);
    PrintResult(s, std::move(result));
}

}  // namespace

void ShowMatrix(CalcState& s, Operand which) {
    const EditorSize size = BeginCommand(s, which, OperandName(which));
    PrintResult(s, MatrixResult{ReadOperand(s, which, size)});
}

void AddMatrices(CalcState& s) { SameSizePair(s, "A+B", MatAdd, false); }
void SubtractMatrices(CalcState& s) { SameSizePair(s, "A-B", MatAdd, true); }
void AndMatrices(CalcState& s) { SameSizePair(s, "A&B", MatAnd, false); }
void OrMatrices(CalcState& s) { SameSizePair(s, "A|B", MatOr, false); }
void XorMatrices(CalcState& s) { SameSizePair(s, "A#B", MatXor, false); }

void MultiplyMatrices(CalcState& s) {
    const PairSize size = BeginPairCommand(s, "A*B");
    if (size.A.Cols != size.B.Rows) {
        Refuse(s, " Error: To Calculate A*B, A(Col)=B(Row)!");
        return;
    }
    const RCOMat a = ReadOperand(s, Operand::A, size.A);
    const RCOMat b = ReadOperand(s, Operand::B, size.B);
    MatrixResult result;
    SizeMatrix(result.Matrix, size.A.Rows, size.B.Cols);
    MatMultiply(a, b, result.Matrix);
    PrintResult(s, std::move(result));
}

void TransposeMatrix(CalcState& s, Operand which) {
    const EditorSize size = BeginCommand(s, which, Named(which, "A'", "B'"));
    const RCOMat m = ReadOperand(s, which, size);
    MatrixResult result;
    SizeMatrix(result.Matrix, size.Cols, size.Rows);
    MatTranspose(m, result.Matrix);
    PrintResult(s, std::move(result));
}

void TraceOfMatrix(CalcState& s, Operand which) {
    const EditorSize size = BeginCommand(s, which, Named(which, "Trace(A)", "Trace(B)"));
    const RCOMat m = ReadOperand(s, which, size);
    ScalarResult result;
    MatTrace(m, result.Value);
    PrintResult(s, std::move(result));
}

}  // namespace quorvix
