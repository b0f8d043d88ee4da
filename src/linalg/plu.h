#pragma once
// P·A = L·U with partial pivoting (getrf) for a matrix of any shape: the
// pivot is the entry of largest |re| + |im| (LAPACK's choice), so a complex
// multiplier can exceed 1 in modulus, by √2 at most. Not rank-revealing: a
// zero pivot is no error, U just has a zero on its diagonal, and nothing is
// said about how small the other pivots are.
#include "linalg/matrix.h"

namespace quorvix::linalg {

template <typename T>
struct PLUResult {
    Matrix<T> L;  // m x min(m, n), unit lower trapezoidal
    Matrix<T> U;  // min(m, n) x n, upper trapezoidal
    Matrix<T> P;  // m x m permutation matrix of 0 and 1
};

// An infinite element of the factors raises "Floating point overflow".
template <typename T>
PLUResult<T> PLU(const Matrix<T>& a);

}  // namespace quorvix::linalg
