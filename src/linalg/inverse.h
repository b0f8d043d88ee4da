#pragma once
// The inverse from LU with partial pivoting (getrf, getri), with the
// reciprocal condition in the 1-norm (gecon). No iterative refinement; a
// nearly singular matrix is inverted all the same (RCond says how near).
#include "linalg/matrix.h"

namespace quorvix::linalg {

template <typename T>
struct InverseResult {
    Matrix<T> X;            // A⁻¹; empty when Singular
    double RCond = 0;       // as LUFactor
    bool Singular = false;  // an exactly zero pivot
};

// A square (the caller refuses other shapes). An infinite element of the
// inverse raises "Floating point overflow".
template <typename T>
InverseResult<T> Inverse(const Matrix<T>& a);

}  // namespace quorvix::linalg
