#pragma once
// LU with partial pivoting of a square matrix (getrf) and the reciprocal
// condition estimate in the 1-norm (gecon), for Solve, Inverse, Determinant
// and the double-precision checks of LU, Det and inv. Not rank-revealing, no
// equilibration, no threshold: only an exactly zero pivot counts as singular.
#include <cstdint>
#include <vector>

#include "linalg/matrix.h"

namespace quorvix::linalg {

template <typename T>
struct LUFactors {
    // A = P·L·U packed: L below the diagonal (its unit diagonal not stored),
    // U on and above it.
    Matrix<T> LU;
    // Row i was interchanged with row Pivots[i] - 1, for i = 0, 1, ... in
    // turn (LAPACK's 1-based ipiv).
    std::vector<std::int32_t> Pivots;
    // U has an exactly zero pivot.
    bool Singular = false;
    // The estimate of 1 / (‖A‖₁·‖A⁻¹‖₁) by gecon; 0 when Singular, 1 for the
    // empty matrix.
    double RCond = 0;
};

// A square (the caller refuses other shapes). An element of U beyond the
// double's range raises "Floating point overflow".
template <typename T>
LUFactors<T> LUFactor(const Matrix<T>& a);

// The factors of A·2^-Exponent, with Exponent as RangeExponent chooses it (0
// for an A of ordinary scale): what Solve, Inverse and Determinant work
// from, so that a huge A's norm does not overflow and its pivots'
// reciprocals stay in the normal range. RCond is A's.
template <typename T>
struct ScaledLUFactors {
    LUFactors<T> Factors;
    int Exponent = 0;
};
template <typename T>
ScaledLUFactors<T> ScaledLUFactor(const Matrix<T>& a);

// LUFactor(a).RCond.
template <typename T>
double RCond1(const Matrix<T>& a);

}  // namespace quorvix::linalg
