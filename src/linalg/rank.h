#pragma once
// The numerical rank two ways, for the double-precision check of Rank: from a
// QR with column pivoting (geqp3) and from the singular values. Neither is
// an incremental condition estimate (no RRQR refinement).
#include <cstdint>
#include <vector>

#include "linalg/matrix.h"

namespace quorvix::linalg {

// The number of diagonal elements of R (A·P = Q·R by geqp3) whose modulus
// exceeds max(m, n)·eps·|R(0, 0)|; 0 for an empty or zero A.
template <typename T>
std::int32_t NumericRank(const Matrix<T>& a);

// The moduli of the diagonal of R in A·P = Q·R (geqp3), in order, all
// times one power of two (A is scaled near 1 first): what NumericRank
// counts, for a caller that also wants to see the gap at the rank. Empty for
// an empty A.
template <typename T>
std::vector<double> PivotedQRDiagonal(const Matrix<T>& a);

// The number of singular values above Pinv's tolerance max(m, n)·eps·s1.
// No convergence raises ConvergenceError.
template <typename T>
std::int32_t SvdRank(const Matrix<T>& a);

}  // namespace quorvix::linalg
