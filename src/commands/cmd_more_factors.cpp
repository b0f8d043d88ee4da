// PLU and Eigvec: P·A = L·U with partial pivoting (linalg::PLU), and the
// eigenvalues D with the eigenvectors V, A·V = V·D (linalg::Eigvec, whose
// columns of V have unit 2-norm and their component of largest modulus real
// and positive). Each result is followed by its relative residual. Neither
// says how well conditioned the factors or the eigenvalues are.
#include "commands/more_handlers.h"
#include "commands/more_operand.h"
#include "linalg/eigvec.h"
#include "linalg/plu.h"
#include "linalg/residuals.h"

namespace quorvix {

void FactorPLU(CalcState& s, const Operation& op, Operand which) {
    RunOnOperand(s, op, which, OperandShape::Any, [&s](const auto& m) {
        const auto f = linalg::PLU(m);
        const double residual = linalg::PLUResidual(m, f.P, f.L, f.U);
        PrintResult(
            s, FactorListResult{{{"L", ToResultMatrix(f.L)}, {"U", ToResultMatrix(f.U)}, {"P", ToResultMatrix(f.P)}}});
        AppendCheckLine(s, residual);
    });
}

void EigenvectorsOfMatrix(CalcState& s, const Operation& op, Operand which) {
    RunOnOperand(s, op, which, OperandShape::Square, [&s](const auto& m) {
        const linalg::EigvecResult e = linalg::Eigvec(m);
        const double residual = linalg::EigvecResidual(m, e.D, e.V);
        PrintResult(s, FactorListResult{{{"D", ToResultMatrix(e.D)}, {"V", ToResultMatrix(e.V)}}});
        AppendCheckLine(s, residual);
    });
}

}  // namespace quorvix
