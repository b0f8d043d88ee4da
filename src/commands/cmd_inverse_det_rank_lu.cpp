// The commands whose work lies in one inverse or factorization routine of the
// library: inv, Det, Rank and LU, each for Matrix A and Matrix B.
// Failures come from their own checks and from the results of MatInverse and
// MatLU.
#include <cstddef>
#include <string>
#include <utility>

#include "commands/command_frame.h"
#include "commands/handlers.h"

namespace quorvix {

// inv: the Gauss-Jordan inverse of a square operand. A matrix that is not
// square has no inverse and is refused: element-wise reciprocals under the
// label "inv(A)=" would pass for one.
void InvertMatrix(CalcState& s, const Operation& op, Operand which) {
    const char* label = op.Label;
    const EditorSize size = BeginCommand(s, which, label);
    if (RefuseUnlessSquare(s, size, label, "the Matrix must be square!")) return;

    MatrixResult result;
    // The split reader: real and imaginary parts as doubles, row-major, read
    // straight into the two arrays (an element the text does not supply is
    // 0 in both).
    const std::int32_t order = size.Rows;
    const std::size_t count = static_cast<std::size_t>(order) * static_cast<std::size_t>(order);
    RCoVecD re(count), im(count);
    ReadingEditor(which, [&] {
        ReadElements(
            EditorOf(s, which), order, order, s.Settings, [&](std::int32_t i, std::int32_t j, const Scalar& v) {
                const std::size_t at =
                    static_cast<std::size_t>(i) * static_cast<std::size_t>(order) + static_cast<std::size_t>(j);
                re[at] = RealPart(v);
                im[at] = ImagPart(v);
            });
    });
    if (MatInverse(order, re, im, result.Matrix)) {
        Refuse(s, std::string(" Error: ") + label + " has no result!");
        return;
    }
    PrintResult(s, std::move(result));
}

void DeterminantOfMatrix(CalcState& s, const Operation& op, Operand which) {
    const char* label = op.Label;
    const EditorSize size = BeginCommand(s, which, label);
    if (RefuseUnlessSquare(s, size, label, "the Matrix must be square!")) return;
    // An empty editor passes the squareness check but has no determinant.
    if (size.Rows == 0) {
        Refuse(s, std::string(" Error: To Calculate ") + label + ", the Matrix is empty!");
        return;
    }
    RCOMat m = ReadOperand(s, which, size);
    PrintResult(s, ScalarResult{MatDeterminant(m, size.Rows, size.Cols)});
}

void RankOfMatrix(CalcState& s, const Operation& op, Operand which) {
    const EditorSize size = BeginCommand(s, which, op.Label);
    RCOMat m = ReadOperand(s, which, size);
    PrintResult(s, ScalarResult{Scalar::Real(MatRank(m, size.Rows, size.Cols))});
}

// LU: the squareness is decided by MatLU itself, after the reading. Both
// commands of the pair write the same two messages.
void FactorLU(CalcState& s, const Operation& op, Operand which) {
    const EditorSize size = BeginCommand(s, which, op.Label);
    FactorPairResult result{.FirstName = "L", .SecondName = "U", .Rows = size.Rows, .Cols = size.Cols};
    SizeMatrix(result.First, size.Rows, size.Cols);
    SizeMatrix(result.Second, size.Rows, size.Cols);
    RCOMat m = ReadOperand(s, which, size);
    switch (MatLU(m, result.First, result.Second, size.Rows, size.Cols)) {
        case -1: Refuse(s, " Error: To Calculate LU, Matrix must be square!"); return;
        case 0: Refuse(s, " Error:  Calculate LU failed!"); return;
        default: PrintResult(s, std::move(result));
    }
}

}  // namespace quorvix
