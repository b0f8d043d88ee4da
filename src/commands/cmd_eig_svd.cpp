// The eigenvalue and singular value commands: Eig(A), Eig(B), Svd(A), Svd(B).
//
// Both routines need at least one element, so an empty editor is refused with
// a message of its own. Every eigenvalue found is printed, a zero one too.
// When the eigenvalue iteration gives up, the values it found are printed and
// a notice says that some are missing; when the singular value iteration
// gives up, U, S and V are printed as they stand (still A = U*S*V, with S
// bidiagonal) and a notice says so.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/command_frame.h"
#include "commands/handlers.h"
#include "textio/matrix_reader.h"

namespace quorvix {

namespace {

constexpr const char* kEigenIncomplete = " Notice: Not all eigenvalues were found!";
constexpr const char* kSvdIncomplete = " Notice: The singular value decomposition did not converge!";
constexpr long double kSvdTolerance = 1e-15L;

}  // namespace

void EigenvaluesOfMatrix(CalcState& s, const Operation& op, Operand which) {
    const std::string label = op.Label;
    const EditorSize size = BeginCommand(s, which, label);
    if (RefuseUnlessSquare(s, size, label, "Row=Col!")) return;
    const std::int32_t n = size.Rows;
    if (n == 0) {
        Refuse(s, " Error: To Calculate " + label + ", the Matrix is empty!");
        return;
    }

    // The routines work on an (n+1) x (n+1) matrix indexed from 1; element
    // [i][j] of the operand goes to [i+1][j+1].
    const std::size_t order = static_cast<std::size_t>(n) + 1;
    matrx2 work(order, std::vector<Scalar>(order));
    const bool real = ReadingEditor(which, [&] {
        return ReadRealElements(EditorOf(s, which), n, n, s.Settings.DecimalMark,
                                [&work](std::int32_t i, std::int32_t j, const Scalar& v) {
                                    work[static_cast<std::size_t>(i) + 1][static_cast<std::size_t>(j) + 1] = v;
                                });
    });
    if (!real) {
        RefuseComplexInput(s);
        return;
    }

    EigenResult result;
    result.Order = n;
    result.Re.assign(order, 0.0);
    result.Im.assign(order, 0.0);
    MatBalance(work, n);
    MatHessenberg(work, n);
    result.Unreached = MatEigenvalues(work, n, result.Re, result.Im);
    const bool complete = result.Unreached == 0;
    PrintResult(s, std::move(result));
    if (!complete) AppendNotice(s, kEigenIncomplete);
}

void FactorSVD(CalcState& s, const Operation& op, Operand which) {
    const std::string label = op.Label;
    const EditorSize size = BeginCommand(s, which, label);
    if (size.Rows == 0 || size.Cols == 0) {
        Refuse(s, " Error: To Calculate " + label + ", the Matrix is empty!");
        return;
    }
    std::optional<RCOMat> operand = ReadRealOperand(s, which, size);
    if (!operand) return;
    SvdResult result;
    result.Rows = size.Rows;
    result.Cols = size.Cols;
    result.S = std::move(*operand);
    SizeMatrix(result.U, size.Rows, size.Rows);
    SizeMatrix(result.V, size.Cols, size.Cols);
    // The flag is not needed to print: an unconverged S is printed as it stands.
    const std::int32_t converged = MatSVD(result.S, result.U, result.V, kSvdTolerance, size.Rows, size.Cols);
    PrintResult(s, std::move(result));
    if (converged == 0) AppendNotice(s, kSvdIncomplete);
}

}  // namespace quorvix
