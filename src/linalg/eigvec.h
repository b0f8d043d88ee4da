#pragma once
// Eigenvalues and right eigenvectors of a square matrix, A·V = V·D. No
// balancing beyond geev's own and no sorting of the general driver's
// eigenvalues (geev's order is kept); no left eigenvectors and no condition
// numbers of the eigenvalues.
#include "linalg/matrix.h"

namespace quorvix::linalg {

// D and V are complex matrices whatever the input; the flags say when they
// are real, so that the caller can print them as real.
struct EigvecResult {
    ComplexMatrix D;  // n x n diagonal: the eigenvalues
    // Column j is the eigenvector of D(j, j): unit 2-norm, multiplied by the
    // phase that makes its component of largest modulus (the first such, by
    // index) real and positive.
    ComplexMatrix V;
    // The input equals its conjugate transpose exactly (a real input: is
    // symmetric), so the Hermitian driver ran: D real in ascending order and
    // V unitary (orthogonal for a real input).
    bool Hermitian = false;
    bool RealValues = false;   // every imaginary part of D is 0
    bool RealVectors = false;  // every imaginary part of V is 0 (real input with real eigenvalues)
};

// A square (the caller refuses other shapes): syevd / heevd ('V') for a
// Hermitian A, geev (right vectors) otherwise. Infinite results raise
// "Floating point overflow"; an iteration that does not converge raises
// ConvergenceError.
template <typename T>
EigvecResult Eigvec(const Matrix<T>& a);

}  // namespace quorvix::linalg
