#pragma once
// The eigenvalues alone, by the cheap drivers (geev 'N', 'N' / syevd 'N'),
// for the double-precision check of Eig. No balancing of our own, no
// sorting of the general driver's values, no eigenvectors.
#include <vector>

#include "linalg/matrix.h"

namespace quorvix::linalg {

// A square (the caller refuses other shapes). A Hermitian A (exactly; see
// IsHermitian) gets its real eigenvalues in ascending order; any other A
// gets geev's, complex pairs of a real A next to each other. Infinite
// results raise "Floating point overflow"; no convergence, ConvergenceError.
template <typename T>
std::vector<Complex> EigenvaluesOnly(const Matrix<T>& a);

}  // namespace quorvix::linalg
