#pragma once
// The 43 operation commands. Each runs one whole command on the state:
// measure, label, check, read, compute, print. The operation table joins
// them to their buttons, labels and step words.
#include "commands/calc_state.h"
#include "commands/command_frame.h"

namespace quorvix {

// Showing an operand, and the commands that hand both operands to one routine.
void ShowMatrix(CalcState& s, Operand which);       // A, B
void AddMatrices(CalcState& s);                     // A+B
void SubtractMatrices(CalcState& s);                // A-B
void AndMatrices(CalcState& s);                     // A&B
void OrMatrices(CalcState& s);                      // A|B
void XorMatrices(CalcState& s);                     // A#B
void MultiplyMatrices(CalcState& s);                // A*B
void TransposeMatrix(CalcState& s, Operand which);  // A', B'
void TraceOfMatrix(CalcState& s, Operand which);    // Trace(A), Trace(B)

// Computed in the command layer.
void MultiplyElementwise(CalcState& s);               // A.*B
void DivideElementwise(CalcState& s);                 // A./B
void DivideMatrices(CalcState& s);                    // A/B = A*inv(B)
void ScaleMatrix(CalcState& s, Operand which);        // A*x, B*x
void PowerOfMatrix(CalcState& s, Operand which);      // A^x, B^x
void LargestComponent(CalcState& s, Operand which);   // Max(A), Max(B)
void SmallestComponent(CalcState& s, Operand which);  // Min(A), Min(B)
void NormOfMatrix(CalcState& s, Operand which);       // Norm(A), Norm(B)
void DimensionOfMatrix(CalcState& s, Operand which);  // Dim(A), Dim(B)

// Inverse, determinant, rank and LU.
void InvertMatrix(CalcState& s, Operand which);         // inv(A), inv(B)
void DeterminantOfMatrix(CalcState& s, Operand which);  // Det(A), Det(B)
void RankOfMatrix(CalcState& s, Operand which);         // Rank(A), Rank(B)
void FactorLU(CalcState& s, Operand which);             // LU(A), LU(B)

// QR, Cholesky, eigenvalues and the singular value decomposition.
void FactorQR(CalcState& s, Operand which);             // QR(A), QR(B)
void FactorCholesky(CalcState& s, Operand which);       // Chol(A), Chol(B)
void EigenvaluesOfMatrix(CalcState& s, Operand which);  // Eig(A), Eig(B)
void FactorSVD(CalcState& s, Operand which);            // Svd(A), Svd(B)

}  // namespace quorvix
