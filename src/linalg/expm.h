#pragma once
// The matrix exponential by scaling and squaring with Padé approximants of
// degree 3, 5, 7, 9 or 13. No balancing, no Schur form, no triangular
// special case, and no condition estimate of the result.
#include "linalg/matrix.h"

namespace quorvix::linalg {

// A square (the caller refuses other shapes). An exponential beyond the
// double's range raises "Floating point overflow".
template <typename T>
Matrix<T> Expm(const Matrix<T>& a);

}  // namespace quorvix::linalg
