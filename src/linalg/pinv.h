#pragma once
// The Moore-Penrose pseudo-inverse by the SVD (gesdd). No Tikhonov
// regularisation and no user tolerance: singular values at most
// max(m, n)·eps·s1 are taken as 0.
#include <cstdint>
#include <vector>

#include "linalg/matrix.h"

namespace quorvix::linalg {

template <typename T>
struct PinvResult {
    Matrix<T> X;                         // n x m for A m x n
    std::vector<double> SingularValues;  // of A, descending
    double Tolerance = 0;                // PinvTolerance(m, n, s1)
    std::int32_t Rank = 0;               // singular values above Tolerance
    // s_min / s1 over all min(m, n) singular values (0 when A is zero, 1
    // when A is empty): below eps, A is close to singular for Pinv.
    double RCond = 1;
};

// Infinite results raise "Floating point overflow"; no convergence,
// ConvergenceError.
template <typename T>
PinvResult<T> Pinv(const Matrix<T>& a);

}  // namespace quorvix::linalg
