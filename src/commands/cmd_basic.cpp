// The commands that show an operand or combine both operands element by
// element or by one routine of the matrix library: A, B, A+B, A-B, the
// logical operations, A*B, the transposes and the traces.
#include <cstdint>
#include <exception>
#include <mutex>
#include <string>
#include <utility>

#include "commands/command_frame.h"
#include "commands/handlers.h"
#include "core/cancel.h"

namespace quorvix {

namespace {

// One element of A+B or of a logical operation, written over A's element.
using Combine = void (*)(Scalar& a, const Scalar& b);

void AddElement(Scalar& a, const Scalar& b) {
    Scalar sum = a;
    sum += b;
    a = sum;
}

// The logical operations test each element against the integer 0 (the
// complex tolerance included) and keep only 1 or 0.
bool NonZero(const Scalar& v) { return v != Scalar::Integer(0); }
void AndElement(Scalar& a, const Scalar& b) { a = Scalar::Integer(NonZero(a) && NonZero(b) ? 1 : 0); }
void OrElement(Scalar& a, const Scalar& b) { a = Scalar::Integer(NonZero(a) || NonZero(b) ? 1 : 0); }
void XorElement(Scalar& a, const Scalar& b) { a = Scalar::Integer(NonZero(a) != NonZero(b) ? 1 : 0); }

// The first element, in row-major order, whose combination raised an error,
// and that error. Rows are combined on all threads, so it is kept under a lock.
class FirstFault {
public:
    void Offer(std::int64_t at, std::exception_ptr error) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (at < at_) {
            at_ = at;
            error_ = std::move(error);
        }
    }
    // True when an element before `at` has raised already: nothing from
    // `at` on can be the first.
    bool Before(std::int64_t at) {
        std::lock_guard<std::mutex> lock(mutex_);
        return at_ < at;
    }
    void RaiseIfAny() {
        if (error_) std::rethrow_exception(error_);
    }

private:
    std::mutex mutex_;
    std::int64_t at_ = INT64_MAX;
    std::exception_ptr error_;
};

// A+B and its same-size twins: the elements of A and B combined one by one
// in row-major order. A is read whole into the result and each row of B is
// combined into it as soon as it is read, so B never stands as a matrix of
// its own. The plain order reads all of B before the first element is
// combined: an error of the combination (an overflowing sum) is kept until B
// is read through, and a token of B that cannot be read, even one after it,
// is the error the command raises.
void SameSizePair(CalcState& s, const Operation& op, Combine combine, bool negateB) {
    const PairSize size = BeginPairCommand(s, op.Label);
    if (size.A != size.B) {
        Refuse(s, std::string(" Error: To Calculate ") + op.Label + ", the two Matrice must be same dimensions!");
        return;
    }
    MatrixResult result{ReadOperand(s, Operand::A, size.A)};
    std::int32_t rows = 0, cols = 0;
    MatSize(result.Matrix, rows, cols);
    FirstFault fault;
    ReadingEditor(Operand::B, [&] {
        ReadMatrixRows(s.MatrixB, size.B.Rows, size.B.Cols, s.Settings, [&](std::int32_t i, RCOVec& rowB) {
            // A-B is A plus B with every element negated as it is read.
            if (negateB)
                for (Scalar& v : rowB)
                    if (!v.IsEmpty()) v = -v;
            const std::int64_t rowStart = static_cast<std::int64_t>(i) * cols;
            if (fault.Before(rowStart)) return;
            CheckCancelled();
            RCOVec& row = result.Matrix[static_cast<std::size_t>(i)];
            for (std::size_t j = 0; j < row.size(); ++j) {
                try {
                    combine(row[j], rowB[j]);
                } catch (const CalcError&) {
                    fault.Offer(rowStart + static_cast<std::int64_t>(j), std::current_exception());
                    return;
                }
            }
        });
    });
    fault.RaiseIfAny();
    PrintResult(s, std::move(result));
}

}  // namespace

void ShowMatrix(CalcState& s, const Operation& op, Operand which) {
    const EditorSize size = BeginCommand(s, which, op.Label);
    PrintResult(s, MatrixResult{ReadOperand(s, which, size)});
}

void AddMatrices(CalcState& s, const Operation& op) { SameSizePair(s, op, AddElement, false); }
void SubtractMatrices(CalcState& s, const Operation& op) { SameSizePair(s, op, AddElement, true); }
void AndMatrices(CalcState& s, const Operation& op) { SameSizePair(s, op, AndElement, false); }
void OrMatrices(CalcState& s, const Operation& op) { SameSizePair(s, op, OrElement, false); }
void XorMatrices(CalcState& s, const Operation& op) { SameSizePair(s, op, XorElement, false); }

void MultiplyMatrices(CalcState& s, const Operation& op) {
    const PairSize size = BeginPairCommand(s, op.Label);
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

// Each element is read straight into its transposed place: the transpose is
// never held as the read matrix and a copy.
void TransposeMatrix(CalcState& s, const Operation& op, Operand which) {
    const EditorSize size = BeginCommand(s, which, op.Label);
    MatrixResult result;
    SizeMatrix(result.Matrix, size.Cols, size.Rows);
    ReadingEditor(which, [&] {
        ReadElements(EditorOf(s, which), size.Rows, size.Cols, s.Settings,
                     [&](std::int32_t i, std::int32_t j, const Scalar& v) {
                         result.Matrix[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)] = v;
                     });
    });
    PrintResult(s, std::move(result));
}

void TraceOfMatrix(CalcState& s, const Operation& op, Operand which) {
    const EditorSize size = BeginCommand(s, which, op.Label);
    const RCOMat m = ReadOperand(s, which, size);
    ScalarResult result;
    MatTrace(m, result.Value);
    PrintResult(s, std::move(result));
}

}  // namespace quorvix
