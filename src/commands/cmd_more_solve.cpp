// A\B: X with A·X = B, by LU with partial pivoting for a square A without an
// exactly zero pivot, otherwise the least-squares solution of minimum norm
// (linalg::Solve). Not A·inv(B) nor inv(A)·B: no inverse is formed. Both
// operands are read as the calculator reads them, A first; when either has a
// complex element, both are solved as complex.
#include <algorithm>
#include <string>
#include <utility>

#include "commands/more_handlers.h"
#include "commands/more_operand.h"
#include "linalg/blas_threads.h"
#include "linalg/residuals.h"
#include "linalg/solve.h"

namespace quorvix {

namespace {

template <typename T>
void SolveAndPrint(CalcState& s, const linalg::Matrix<T>& a, const linalg::Matrix<T>& b) {
    const linalg::SolveResult<T> r = linalg::Solve(a, b);
    const double residual = linalg::SolveResidual(a, r.X, b);
    PrintResult(s, FactorListResult{{{"X", ToResultMatrix(r.X)}}});
    AppendCheckLine(s, residual);
    AppendSingularNotice(s, "A", r.RCond);
}

}  // namespace

void SolveLinearSystem(CalcState& s, const Operation& op) {
    const std::string label = op.Label;
    const PairSize size = BeginPairCommand(s, label);
    if (size.A.Rows != size.B.Rows) {
        Refuse(s, " Error: To Calculate " + label + ", A(Row)=B(Row)!");
        return;
    }
    if (size.A.Rows == 0) {
        RefuseEmptyOperand(s, label);
        return;
    }
    const linalg::BlasThreadScope threads(std::max({size.A.Rows, size.A.Cols, size.B.Cols}));
    const LinalgMatrix a = ReadLinalgOperand(s, Operand::A, size.A);
    const LinalgMatrix b = ReadLinalgOperand(s, Operand::B, size.B);
    if (IsComplexOperand(a) || IsComplexOperand(b)) {
        SolveAndPrint(s, AsComplex(a), AsComplex(b));
    } else {
        SolveAndPrint(s, std::get<linalg::RealMatrix>(a), std::get<linalg::RealMatrix>(b));
    }
}

}  // namespace quorvix
