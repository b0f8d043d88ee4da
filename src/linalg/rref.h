#pragma once
// The reduced row echelon form by Gauss-Jordan elimination with partial
// pivoting. Not rank-revealing: a column whose remaining entries are all at
// most max(m, n)·eps·‖A‖∞ in magnitude is taken as zero there and gets no
// pivot (as Octave's rref decides), but the rounding that elimination leaves
// where a rank-deficient matrix's rank ends can exceed that and make a pivot
// of its own. NumericRank and SvdRank decide the rank; this does not.
#include "linalg/matrix.h"

namespace quorvix::linalg {

// An infinite entry raises "Floating point overflow".
template <typename T>
Matrix<T> Rref(const Matrix<T>& a);

}  // namespace quorvix::linalg
