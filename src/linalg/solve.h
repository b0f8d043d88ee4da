#pragma once
// X with A·X = B: LU with partial pivoting when A is square and has no
// exactly zero pivot, otherwise the least-squares solution of minimum norm.
// No iterative refinement and no equilibration; the LU path does not switch
// to least squares for a nearly singular A (its rcond says how near).
#include <cstdint>

#include "linalg/matrix.h"

namespace quorvix::linalg {

template <typename T>
struct SolveResult {
    Matrix<T> X;  // n x k for A m x n, B m x k
    // LU path: gecon's estimate of 1 / (‖A‖₁·‖A⁻¹‖₁). Least-squares path:
    // s_min / s_max of A's singular values as gelsd computes them (0 when A
    // is zero). 1 for an empty A.
    double RCond = 1;
    bool LeastSquares = false;
    // LU path: n. Least-squares path: the number of singular values above
    // eps·s_max, the rank gelsd solved with.
    std::int32_t Rank = 0;
};

// A square: getrf, getrs, gecon; on an exactly zero pivot, or A not square,
// gelsd with rcond = -1 (machine precision). A's and B's row counts must
// agree (the caller refuses otherwise). Infinite results raise "Floating
// point overflow"; an SVD that does not converge raises ConvergenceError.
template <typename T>
SolveResult<T> Solve(const Matrix<T>& a, const Matrix<T>& b);

}  // namespace quorvix::linalg
