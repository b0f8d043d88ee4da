#pragma once
// Whether a matrix equals its conjugate transpose exactly (for a real matrix:
// is symmetric). No tolerance: a matrix off by one rounding takes the general
// eigenvalue driver.
#include "linalg/matrix.h"

namespace quorvix::linalg {

// False for a matrix that is not square.
template <typename T>
bool IsHermitian(const Matrix<T>& a);

}  // namespace quorvix::linalg
