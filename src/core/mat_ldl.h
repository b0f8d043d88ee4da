#pragma once
// The square-root-free Cholesky factorization A = L*D*L' of the Cholesky
// commands. A numeric routine beside Matrice2 rather than in it: it reports
// failure by its Boolean result.
#include "core/matrice2.h"

namespace quorvix {

// Factors the square matrix `a` (n x n, Scalars, complex allowed) as L*D*L'
// with L unit lower triangular and D diagonal, reading only the diagonal and
// the upper triangle of `a`; its strictly lower triangle receives the
// multipliers. `l` and `d` are sized n x n and filled on success. Returns
// false, leaving `l` and `d` as they were, when a zero pivot meets a non-zero
// element. Scalar division errors (a pivot of modulus at most 1e-6) propagate.
bool MatLDL(RCOMat& a, RCOMat& l, RCOMat& d);

}  // namespace quorvix
