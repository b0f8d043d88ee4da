#pragma once
// The product A·B (BLAS gemm). No Strassen, no extended-precision
// accumulation: the BLAS's own order of summation.
#include "linalg/matrix.h"

namespace quorvix::linalg {

// A is m x k, B is k x n (the caller refuses other shapes); an infinity in
// the product raises "Floating point overflow".
template <typename T>
Matrix<T> Multiply(const Matrix<T>& a, const Matrix<T>& b);

}  // namespace quorvix::linalg
