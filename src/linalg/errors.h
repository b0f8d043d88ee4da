#pragma once
// The one error of this library that is not a floating-point fault or a
// cancel: a LAPACK iteration (the SVD's, the eigenvalue QR's) that reports no
// convergence. LAPACK's limits make that next to impossible on finite input.
#include "core/errors.h"

namespace quorvix::linalg {

inline constexpr const char* kNoConvergenceMessage = "The iteration did not converge";

class ConvergenceError : public CalcError {
public:
    using CalcError::CalcError;
};

// Raises ConvergenceError when a LAPACK routine's info is positive.
inline void RequireConverged(int info) {
    if (info > 0) throw ConvergenceError(kNoConvergenceMessage);
}

}  // namespace quorvix::linalg
