#pragma once
// The conjugate transpose Aᴴ (for a real matrix, the transpose). No
// in-place variant: the result is a new n x m matrix.
#include "linalg/matrix.h"

namespace quorvix::linalg {

template <typename T>
Matrix<T> ConjugateTranspose(const Matrix<T>& a);

}  // namespace quorvix::linalg
