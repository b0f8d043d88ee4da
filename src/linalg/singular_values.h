#pragma once
// Singular values (gesdd 'N'), and the tolerance below which Pinv, NullSpace
// and SvdRank take one as 0. No singular vectors, no relative-accuracy
// (Jacobi) method: tiny singular values are accurate to about eps·s1 only.
#include <cstdint>
#include <vector>

#include "linalg/matrix.h"

namespace quorvix::linalg {

// min(m, n) values, descending; none for an empty matrix. Infinite values
// raise "Floating point overflow"; no convergence, ConvergenceError.
template <typename T>
std::vector<double> SingularValues(const Matrix<T>& a);

// max(m, n)·eps·s1, the rank tolerance of an m x n matrix whose largest
// singular value is s1. A singular value at most this counts as 0 (at most,
// not below: so the zero matrix, whose tolerance is 0, has rank 0).
double PinvTolerance(std::int32_t m, std::int32_t n, double s1);

// The number of singular values above PinvTolerance.
std::int32_t CountAboveTolerance(const std::vector<double>& s, double tolerance);

}  // namespace quorvix::linalg
