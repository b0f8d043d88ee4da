// MatLDL: A = L*D*L' without square roots, by rows.
//
// What it does not do: no pivoting, no test of symmetry (the lower triangle
// of the input is never read) and none of definiteness (negative pivots are
// taken, so symmetric indefinite matrices factor too), and no conjugation:
// complex input gets the complex-symmetric factorization. A zero pivot is
// accepted when the element it would divide is zero as well; the multiplier
// is then 1. Zero tests are Scalar equality with 0.
#include "core/reference/matrice2_reference.h"

#include "core/mat_ldl.h"

#include <cstddef>

namespace quorvix::reference {

bool MatLDL(RCOMat& a, RCOMat& l, RCOMat& d) {
    const std::size_t n = a.size();
    const Scalar zero = Scalar::Integer(0);
    const Scalar one = Scalar::Integer(1);
    RCOVec pivots(n);  // the diagonal of D
    RCOVec w(n);       // row products of the current row

    for (std::size_t i = 0; i < n; ++i) {
        Scalar s = a[i][i];
        for (std::size_t j = 0; j < i; ++j) {
            w[j] = a[j][i];  // upper triangle
            for (std::size_t k = 0; k < j; ++k) w[j] = w[j] - w[k] * a[j][k];
            if (pivots[j] == zero) {
                if (w[j] != zero) return false;
                a[i][j] = one;
            } else {
                a[i][j] = w[j] / pivots[j];
            }
            s = s - w[j] * a[i][j];
        }
        pivots[i] = s;
    }

    l.assign(n, RCOVec(n));
    d.assign(n, RCOVec(n));
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (j > i) {
                l[i][j] = zero;
                d[i][j] = zero;
            } else if (j == i) {
                l[i][i] = one;
                d[i][i] = pivots[i];
            } else {
                l[i][j] = a[i][j];
                d[i][j] = zero;
            }
        }
    }
    return true;
}

}  // namespace quorvix::reference
