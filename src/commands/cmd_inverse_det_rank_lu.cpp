// The commands whose work lies in one inverse or factorization routine of the
// library: inv, Det, Rank and LU, each for Matrix A and Matrix B.
// They do not read the library status: failures come from their own checks
// and from the results of MatInverse and MatLU.
#include <cstddef>
#include <string>

#include "commands/command_frame.h"
#include "commands/handlers.h"

namespace quorvix {
namespace {

// The texts of one command of a pair: its label and the messages naming its operand.
struct Names {
    Operand which;
    const char* label;
    const char* message;
    const char* secondMessage = nullptr;
};

// inv: the Gauss-Jordan inverse of a square operand; a non-square operand
// gets the element-wise reciprocal, without a message.
void InverseCommand(CalcState& s, const Names& n) {
    ResultState& r = s.Result;
    r.ResultKind = rkMatrix;
    const EditorSize size = MeasureEditor(s, n.which);
    AppendLabel(s, n.label);
    r.ResultRows = size.Rows;
    r.ResultCols = size.Cols;
    ReadOperand(s, n.which, size, s.WorkT);

    if (size.Rows == size.Cols) {
        // The split reader: real and imaginary parts as doubles, row-major.
        const std::int32_t order = size.Rows;
        const std::size_t count = static_cast<std::size_t>(order) * static_cast<std::size_t>(order);
        RCoVecD re(count), im(count);
        for (std::int32_t i = 0; i < order; ++i)
            for (std::int32_t j = 0; j < order; ++j) {
                re[static_cast<std::size_t>(i) * order + j] = RealPart(s.WorkT[i][j]);
                im[static_cast<std::size_t>(i) * order + j] = ImagPart(s.WorkT[i][j]);
            }
        if (MatInverse(order, re, im, r.ResultMatrix)) {
            Refuse(s, n.message);
            return;
        }
        PrintResult(s);
        return;
    }

    SizeMatrix(r.ResultMatrix, size.Rows, size.Cols);
    const Scalar zero = Scalar::Integer(0);
    const Scalar one = Scalar::Integer(1);
    for (std::int32_t i = 0; i < size.Rows; ++i)
        for (std::int32_t j = 0; j < size.Cols; ++j) {
            const Scalar& a = s.WorkT[i][j];
            r.ResultMatrix[i][j] = a == zero ? zero : one / a;
        }
    PrintResult(s);
}

void DeterminantCommand(CalcState& s, const Names& n) {
    ResultState& r = s.Result;
    r.ResultKind = rkScalar;
    const EditorSize size = MeasureEditor(s, n.which);
    AppendLabel(s, n.label);
    if (size.Rows != size.Cols) {
        Refuse(s, n.message);
        return;
    }
    // An empty editor passes the squareness check but has no determinant.
    if (size.Rows == 0) {
        Refuse(s, n.secondMessage);
        return;
    }
    r.ResultRows = size.Rows;
    r.ResultCols = size.Cols;
    ReadOperand(s, n.which, size, r.ResultMatrix);
    r.ResultScalar = MatDeterminant(r.ResultMatrix, size.Rows, size.Cols);
    PrintResult(s);
}

void RankCommand(CalcState& s, const Names& n) {
    ResultState& r = s.Result;
    r.ResultKind = rkScalar;
    r.ResultScalar = Scalar::Integer(0);
    const EditorSize size = MeasureEditor(s, n.which);
    AppendLabel(s, n.label);
    r.ResultRows = size.Rows;
    r.ResultCols = size.Cols;
    ReadOperand(s, n.which, size, r.ResultMatrix);
    r.ResultScalar = Scalar::Real(MatRank(r.ResultMatrix, size.Rows, size.Cols));
    PrintResult(s);
}

// LU: the squareness is decided by MatLU itself, after the reading.
void LUCommand(CalcState& s, const Names& n) {
    ResultState& r = s.Result;
    r.ResultKind = rkLU;
    const EditorSize size = MeasureEditor(s, n.which);
    AppendLabel(s, n.label);
    r.ResultRows = size.Rows;
    r.ResultCols = size.Cols;
    SizeMatrix(r.ResultFactor1, size.Rows, size.Cols);
    SizeMatrix(r.ResultFactor2, size.Rows, size.Cols);
    ReadOperand(s, n.which, size, r.ResultMatrix);
    switch (MatLU(r.ResultMatrix, r.ResultFactor1, r.ResultFactor2, size.Rows, size.Cols)) {
        case -1:
            Refuse(s, n.message);
            return;
        case 0:
            Refuse(s, n.secondMessage);
            return;
        default:
            PrintResult(s);
    }
}

constexpr const char* kLUSquareMessage = " Error: To Calculate LU, Matrix must be square!";
constexpr const char* kLUFailedMessage = " Error:  Calculate LU failed!";

}  // namespace

void SpeedButton18Click(CalcState& s) {
    InverseCommand(s, {Operand::A, "inv(A)", " Error: inv(A) has no result!"});
}
void SpeedButton38Click(CalcState& s) {
    InverseCommand(s, {Operand::B, "inv(B)", " Error: inv(B) has no result!"});
}

void SpeedButton32Click(CalcState& s) {
    DeterminantCommand(s, {Operand::A, "Det(A)", " Error: To Calculate Det(A), the Matrix must be square!",
                           " Error: To Calculate Det(A), the Matrix is empty!"});
}
void SpeedButton37Click(CalcState& s) {
    DeterminantCommand(s, {Operand::B, "Det(B)", " Error: To Calculate Det(B), the Matrix must be square!",
                           " Error: To Calculate Det(B), the Matrix is empty!"});
}

void SpeedButton34Click(CalcState& s) { RankCommand(s, {Operand::A, "Rank(A)", nullptr}); }
void SpeedButton35Click(CalcState& s) { RankCommand(s, {Operand::B, "Rank(B)", nullptr}); }

void SpeedButton29Click(CalcState& s) { LUCommand(s, {Operand::A, "LU(A)", kLUSquareMessage, kLUFailedMessage}); }
void SpeedButton30Click(CalcState& s) { LUCommand(s, {Operand::B, "LU(B)", kLUSquareMessage, kLUFailedMessage}); }

}  // namespace quorvix
