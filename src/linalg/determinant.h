#pragma once
// The determinant from LU with partial pivoting (getrf), kept as a mantissa
// and a binary exponent so that it never overflows or underflows, with the
// reciprocal condition in the 1-norm (gecon). No threshold: only an exactly
// zero pivot gives 0, however small the others are.
#include <cstdint>

#include "linalg/matrix.h"

namespace quorvix::linalg {

template <typename T>
struct DeterminantResult {
    // det A = Mantissa · 2^Exponent. The mantissa (the larger of its parts
    // in magnitude, for a complex one) lies in [0.5, 1) as frexp gives it;
    // a zero pivot gives Mantissa 0 and Exponent 0.
    T Mantissa{};
    std::int64_t Exponent = 0;
    double RCond = 0;  // as LUFactor: 0 for an exactly singular A, 1 for the empty one
};

// A square (the caller refuses other shapes); the empty matrix's
// determinant is 1.
template <typename T>
DeterminantResult<T> Determinant(const Matrix<T>& a);

}  // namespace quorvix::linalg
