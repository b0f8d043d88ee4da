#pragma once
// The operations beyond the 43, in double precision on LAPACK (src/linalg).
// Each reads its editors with the calculator's reader, refuses an empty
// editor and shapes that do not fit with a message line as the 43 do, and
// prints and keeps its result; those whose answer can be checked
// (A\B, PLU, Eigvec, Pinv) write the relative residual on a "   check:"
// line, and those that a nearly singular matrix makes doubtful (A\B, Pinv,
// Cond) say so in a notice.
#include "commands/calc_state.h"
#include "commands/command_frame.h"
#include "commands/operation_table.h"

namespace quorvix {

void SolveLinearSystem(CalcState& s, const Operation& op);                      // A\B
void FactorPLU(CalcState& s, const Operation& op, Operand which);               // PLU(A), PLU(B)
void EigenvectorsOfMatrix(CalcState& s, const Operation& op, Operand which);    // Eigvec(A), Eigvec(B)
void SingularValuesOfMatrix(CalcState& s, const Operation& op, Operand which);  // Sv(A), Sv(B)
void PseudoInverse(CalcState& s, const Operation& op, Operand which);           // Pinv(A), Pinv(B)
void ConditionNumber(CalcState& s, const Operation& op, Operand which);         // Cond(A), Cond(B)
void NullSpaceBasis(CalcState& s, const Operation& op, Operand which);          // Null(A), Null(B)
void RowEchelonForm(CalcState& s, const Operation& op, Operand which);          // Rref(A), Rref(B)
void MatrixExponential(CalcState& s, const Operation& op, Operand which);       // Expm(A), Expm(B)
void ConjugateTransposeOf(CalcState& s, const Operation& op, Operand which);    // A^H, B^H

}  // namespace quorvix
