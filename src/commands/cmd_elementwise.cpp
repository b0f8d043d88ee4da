// Element-wise product and quotient, and the right division A/B = A*inv(B).
#include <utility>

#include "commands/command_frame.h"
#include "commands/handlers.h"

namespace quorvix {

namespace {

// Stops reading B at the first zero element of A./B.
struct ZeroDivisor {};

}  // namespace

void MultiplyElementwise(CalcState& s, const Operation& op) {
    const PairSize size = BeginPairCommand(s, op.Label);
    if (size.A != size.B) {
        // The refusal of A.*B ends with a line holding one blank, not an empty line.
        Refuse(s, " Error: To Calculate A.*B, the two Matrixs must be same dimensions!", " ");
        return;
    }
    const RCOMat a = ReadOperand(s, Operand::A, size.A);
    MatrixResult result;
    SizeMatrix(result.Matrix, size.A.Rows, size.A.Cols);
    // Each product is formed as its element of B is read; elements B's text
    // does not supply stay zero.
    ReadingEditor(Operand::B, [&] {
        ReadElements(s.MatrixB, size.B.Rows, size.B.Cols, s.Settings,
                     [&](std::int32_t i, std::int32_t j, const Scalar& b) { result.Matrix[i][j] = a[i][j] * b; });
    });
    PrintResult(s, std::move(result));
}

void DivideElementwise(CalcState& s, const Operation& op) {
    const PairSize size = BeginPairCommand(s, op.Label);
    if (size.A != size.B) {
        Refuse(s, " Error: To Calculate A./B, the two Matrixs must be same dimensions!");
        return;
    }
    const RCOMat a = ReadOperand(s, Operand::A, size.A);
    MatrixResult result;
    SizeMatrix(result.Matrix, size.A.Rows, size.A.Cols);
    // B is tested element by element as it is read: the first zero drops the
    // quotients already formed. Elements B's text does not supply give 0.
    try {
        ReadingEditor(Operand::B, [&] {
            ReadElements(s.MatrixB, size.B.Rows, size.B.Cols, s.Settings,
                         [&](std::int32_t i, std::int32_t j, const Scalar& b) {
                             if (b == Scalar::Integer(0)) throw ZeroDivisor{};
                             result.Matrix[i][j] = a[i][j] / b;
                         });
        });
    } catch (const ZeroDivisor&) {
        Refuse(s, " Error: To Calculate A./B, the Matrix B without 0!");
        return;
    }
    PrintResult(s, std::move(result));
}

void DivideMatrices(CalcState& s, const Operation& op) {
    const PairSize size = BeginPairCommand(s, op.Label);
    if (size.B.Rows != size.A.Cols || size.B.Rows != size.B.Cols) {
        Refuse(s, " Error: To Calculate A/B, B Should be square, and A(Col)=B(Row)!");
        return;
    }
    const RCOMat a = ReadOperand(s, Operand::A, size.A);
    RCOMat b = ReadOperand(s, Operand::B, size.B);
    RCOMat inverse;
    SizeMatrix(inverse, size.B.Rows, size.B.Cols);
    if (MatInvertLU(b, inverse) == MatStatus::Singular) {
        // The inverse does not exist: say so rather than print a product
        // built from a matrix the inversion never wrote.
        Refuse(s, " Error: To Calculate A/B, Matrix B is singular!");
        return;
    }
    MatrixResult result;
    SizeMatrix(result.Matrix, size.A.Rows, size.B.Cols);
    MatMultiply(a, inverse, result.Matrix);
    PrintResult(s, std::move(result));
}

}  // namespace quorvix
