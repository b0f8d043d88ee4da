#pragma once
// The 43 operation handlers, named after their buttons on the form. Each runs
// one whole command on the state: measure, label, check, read, compute, print.
#include "commands/calc_state.h"

namespace quorvix {

// Shown operands and the element-wise and product commands.
void SpeedButton11Click(CalcState& s);  // A
void SpeedButton12Click(CalcState& s);  // B
void SpeedButton13Click(CalcState& s);  // A+B
void SpeedButton9Click(CalcState& s);   // A-B
void SpeedButton21Click(CalcState& s);  // A&B
void SpeedButton22Click(CalcState& s);  // A|B
void SpeedButton23Click(CalcState& s);  // A#B
void SpeedButton39Click(CalcState& s);  // A*B
void SpeedButton14Click(CalcState& s);  // A'
void SpeedButton15Click(CalcState& s);  // B'
void SpeedButton24Click(CalcState& s);  // Trace(A)
void SpeedButton25Click(CalcState& s);  // Trace(B)

// Computed in the command layer.
void SpeedButton46Click(CalcState& s);  // A.*B
void SpeedButton52Click(CalcState& s);  // A./B
void SpeedButton49Click(CalcState& s);  // A/B
void SpeedButton16Click(CalcState& s);  // A*x
void SpeedButton17Click(CalcState& s);  // B*x
void SpeedButton27Click(CalcState& s);  // A^x
void SpeedButton44Click(CalcState& s);  // B^x
void SpeedButton40Click(CalcState& s);  // Max(A)
void SpeedButton45Click(CalcState& s);  // Max(B)
void SpeedButton47Click(CalcState& s);  // Min(A)
void SpeedButton48Click(CalcState& s);  // Min(B)
void SpeedButton50Click(CalcState& s);  // Norm(A)
void SpeedButton51Click(CalcState& s);  // Norm(B)
void SpeedButton19Click(CalcState& s);  // Dim(A)
void SpeedButton20Click(CalcState& s);  // Dim(B)

// Inverse, determinant, rank and LU.
void SpeedButton18Click(CalcState& s);  // inv(A)
void SpeedButton38Click(CalcState& s);  // inv(B)
void SpeedButton32Click(CalcState& s);  // Det(A)
void SpeedButton37Click(CalcState& s);  // Det(B)
void SpeedButton34Click(CalcState& s);  // Rank(A)
void SpeedButton35Click(CalcState& s);  // Rank(B)
void SpeedButton29Click(CalcState& s);  // LU(A)
void SpeedButton30Click(CalcState& s);  // LU(B)

// QR, Cholesky, eigenvalues and SVD.
void SpeedButton26Click(CalcState& s);  // QR(A)
void SpeedButton28Click(CalcState& s);  // QR(B)
void SpeedButton31Click(CalcState& s);  // Chol(A)
void SpeedButton36Click(CalcState& s);  // Chol(B)
void SpeedButton33Click(CalcState& s);  // Eig(A)
void SpeedButton43Click(CalcState& s);  // Eig(B)
void SpeedButton41Click(CalcState& s);  // Svd(A)
void SpeedButton42Click(CalcState& s);  // Svd(B)

}  // namespace quorvix
