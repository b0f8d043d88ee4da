#pragma once
// The 2-norm condition number s1 / s_min(m, n) from the singular values. Not
// an estimate (it computes all singular values) and no other norm.
#include "linalg/matrix.h"

namespace quorvix::linalg {

struct CondResult {
    double Value = 0;       // s1 / s_min; 0 when Singular or A is empty
    double RCond = 0;       // s_min / s1; 0 when Singular, 1 when A is empty
    bool Singular = false;  // s_min is exactly 0 (the caller refuses)
};

// A condition beyond the double's range raises "Floating point overflow";
// no convergence, ConvergenceError.
template <typename T>
CondResult Cond(const Matrix<T>& a);

}  // namespace quorvix::linalg
