#pragma once
// Scaling by powers of two, which is exact unless a part leaves the
// double's normal range. The routines divide an operand whose largest part
// is far from 1 by a power of two before LAPACK sees it, and scale the
// results back: so a norm of huge entries does not overflow, a huge pivot's
// reciprocal does not fall below the normal range (LAPACK and OpenBLAS
// multiply by reciprocals), and tiny entries are not subnormal. Operands
// within [2^-kNeutralRange, 2^kNeutralRange] go to LAPACK as they are. No
// row or column equilibration.
#include "linalg/matrix.h"

namespace quorvix::linalg {

inline constexpr int kNeutralRange = 500;

// e with the largest part of `a` equal to f·2^e, f in [0.5, 1); 0 for a
// zero or empty matrix.
template <typename T>
int LargestExponent(const Matrix<T>& a);

// LargestExponent(a) when the largest part lies outside
// [2^-kNeutralRange, 2^kNeutralRange], else 0: the exponent the routines
// divide `a` by.
template <typename T>
int RangeExponent(const Matrix<T>& a);

double ScaleByPowerOfTwo(double x, int e);    // x·2^e
Complex ScaleByPowerOfTwo(Complex z, int e);  // both parts

// a·2^e, element by element; the cancel flag is looked at once per column.
template <typename T>
Matrix<T> ScaledByPowerOfTwo(Matrix<T> a, int e);

}  // namespace quorvix::linalg
