// The eigenvalue and singular value commands: Eig(A), Eig(B), Svd(A), Svd(B).
//
// Both routines need at least one element, so an empty editor is refused with
// a message of its own. When the eigenvalue iteration gives up, the values it
// found are printed and a notice says that some are missing; when the
// singular value iteration gives up, U, S and V are printed as they stand
// (still A = U*S*V, with S bidiagonal) and a notice says so.
#include <string>
#include <vector>

#include "commands/command_frame.h"
#include "commands/handlers.h"
#include "textio/matrix_reader.h"

namespace quorvix {

namespace {

constexpr const char* kEigenIncomplete = " Notice: Not all eigenvalues were found!";
constexpr const char* kSvdIncomplete = " Notice: The singular value decomposition did not converge!";
constexpr long double kSvdTolerance = 1e-15L;

void AppendNotice(CalcState& s, const char* notice) {
    s.Panel.AddLine(notice);
    s.Panel.AddLine("");
}

void EigenvaluesOf(CalcState& s, Operand which, const char* label) {
    const std::string name = label;
    s.Result.ResultKind = rkEigen;
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, label);
    if (size.Rows != size.Cols) {
        Refuse(s, " Error: To Calculate " + name + ", Row=Col!");
        return;
    }
    const std::int32_t n = size.Rows;
    if (n == 0) {
        Refuse(s, " Error: To Calculate " + name + ", the Matrix is empty!");
        return;
    }
    s.Result.ResultRows = n;
    s.Result.ResultCols = n;

    // Both twins size everything afresh, so neither depends on the other having run.
    const std::size_t order = static_cast<std::size_t>(n) + 1;
    s.EigenWork.assign(order, std::vector<Scalar>(order));
    s.Result.EigenRe.assign(order, 0.0);
    s.Result.EigenIm.assign(order, 0.0);

    matrx2& work = s.EigenWork;
    const bool read = ReadRealElements(EditorOf(s, which), n, n, s.Settings.DecimalMark, s.Panel,
                                       [&work](std::int32_t i, std::int32_t j, const Scalar& v) {
                                           work[static_cast<std::size_t>(i) + 1][static_cast<std::size_t>(j) + 1] = v;
                                       });
    if (!read) return;

    MatBalance(work, n);
    MatHessenberg(work, n);
    const bool complete = MatEigenvalues(work, n, s.Result.EigenRe, s.Result.EigenIm);
    PrintResult(s);
    if (!complete) AppendNotice(s, kEigenIncomplete);
}

void SingularValuesOf(CalcState& s, Operand which, const char* label) {
    const std::string name = label;
    s.Result.ResultKind = rkSVD;
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, label);
    if (size.Rows == 0 || size.Cols == 0) {
        Refuse(s, " Error: To Calculate " + name + ", the Matrix is empty!");
        return;
    }
    const std::int32_t m = size.Rows;
    const std::int32_t n = size.Cols;
    s.Result.ResultRows = m;
    s.Result.ResultCols = n;
    if (!ReadRealOperand(s, which, size, s.Result.WorkA)) return;
    SizeMatrix(s.Result.ResultFactor1, m, m);
    SizeMatrix(s.Result.ResultFactor2, n, n);
    const std::int32_t converged =
        MatSVD(s.Result.WorkA, s.Result.ResultFactor1, s.Result.ResultFactor2, kSvdTolerance, m, n);
    PrintResult(s);
    if (converged == 0) AppendNotice(s, kSvdIncomplete);
}

}  // namespace

void SpeedButton33Click(CalcState& s) { EigenvaluesOf(s, Operand::A, "Eig(A)"); }
void SpeedButton43Click(CalcState& s) { EigenvaluesOf(s, Operand::B, "Eig(B)"); }
void SpeedButton41Click(CalcState& s) { SingularValuesOf(s, Operand::A, "Svd(A)"); }
void SpeedButton42Click(CalcState& s) { SingularValuesOf(s, Operand::B, "Svd(B)"); }

}  // namespace quorvix
