#pragma once
// An orthonormal basis of the null space from the SVD (gesdd, full V). No
// rank decision but Pinv's tolerance, and no particular basis among the
// orthonormal ones: the columns are LAPACK's right singular vectors.
#include "linalg/matrix.h"

namespace quorvix::linalg {

// n x k for A m x n: the columns of V whose singular values are at most
// max(m, n)·eps·s1, and the last n − m columns of V when n > m. k may be 0
// (n x 0). An A with no rows has the whole space, the n x n identity. No
// convergence raises ConvergenceError.
template <typename T>
Matrix<T> NullSpace(const Matrix<T>& a);

}  // namespace quorvix::linalg
