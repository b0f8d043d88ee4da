#pragma once
// The 43 operation commands. Each runs one whole command on the state:
// measure, label, check, read, compute, print. The operation table joins
// them to their buttons, labels and step words, and hands each its row: the
// result label is the row's Label. A command on one operand also gets from
// the table which operand it is; the commands on both read A, then B.
#include <cstdint>

#include "commands/calc_state.h"
#include "commands/command_frame.h"
#include "commands/operation_table.h"

namespace quorvix {

// Showing an operand, its transpose and its trace; the commands that combine
// A and B element by element as B is read (A+B and its twins, not a library
// routine), and the product.
void ShowMatrix(CalcState& s, const Operation& op, Operand which);       // A, B
void AddMatrices(CalcState& s, const Operation& op);                     // A+B
void SubtractMatrices(CalcState& s, const Operation& op);                // A-B
void AndMatrices(CalcState& s, const Operation& op);                     // A&B
void OrMatrices(CalcState& s, const Operation& op);                      // A|B
void XorMatrices(CalcState& s, const Operation& op);                     // A#B
void MultiplyMatrices(CalcState& s, const Operation& op);                // A*B
void TransposeMatrix(CalcState& s, const Operation& op, Operand which);  // A', B'
void TraceOfMatrix(CalcState& s, const Operation& op, Operand which);    // Trace(A), Trace(B)

// Computed in the command layer.
void MultiplyElementwise(CalcState& s, const Operation& op);               // A.*B
void DivideElementwise(CalcState& s, const Operation& op);                 // A./B
void DivideMatrices(CalcState& s, const Operation& op);                    // A/B = A*inv(B)
void ScaleMatrix(CalcState& s, const Operation& op, Operand which);        // A*x, B*x
void PowerOfMatrix(CalcState& s, const Operation& op, Operand which);      // A^x, B^x
void LargestComponent(CalcState& s, const Operation& op, Operand which);   // Max(A), Max(B)
void SmallestComponent(CalcState& s, const Operation& op, Operand which);  // Min(A), Min(B)
void NormOfMatrix(CalcState& s, const Operation& op, Operand which);       // Norm(A), Norm(B)
void DimensionOfMatrix(CalcState& s, const Operation& op, Operand which);  // Dim(A), Dim(B)
// The exponent A^x or B^x takes from the x box (each reads x its own way).
std::int64_t PowerExponent(const CalcState& s, Operand which);

// Inverse, determinant, rank and LU.
void InvertMatrix(CalcState& s, const Operation& op, Operand which);         // inv(A), inv(B)
void DeterminantOfMatrix(CalcState& s, const Operation& op, Operand which);  // Det(A), Det(B)
void RankOfMatrix(CalcState& s, const Operation& op, Operand which);         // Rank(A), Rank(B)
void FactorLU(CalcState& s, const Operation& op, Operand which);             // LU(A), LU(B)

// QR, Cholesky, eigenvalues and the singular value decomposition.
void FactorQR(CalcState& s, const Operation& op, Operand which);             // QR(A), QR(B)
void FactorCholesky(CalcState& s, const Operation& op, Operand which);       // Chol(A), Chol(B)
void EigenvaluesOfMatrix(CalcState& s, const Operation& op, Operand which);  // Eig(A), Eig(B)
void FactorSVD(CalcState& s, const Operation& op, Operand which);            // Svd(A), Svd(B)

}  // namespace quorvix
