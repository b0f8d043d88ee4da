// The rank by Gaussian elimination with full pivoting on Scalars.
// Does not use a tolerance: a pivot counts only when its magnitude |re| + |im|
// is exactly zero, so rounding residue can raise the count. The multipliers
// are the whole quotients, so a complex row that is a multiple of another is
// removed (for a real matrix they are real, as the quotients are).
#include "core/reference/matrice2_reference.h"

#include <algorithm>
#include <utility>

#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix::reference {

double MatRank(RCOMat& a, std::int32_t rows, std::int32_t cols) {
    if (!matdetail::HoldsShape(a, rows, cols)) return 0.0;
    const std::int32_t m = rows;
    const std::int32_t n = cols;
    const std::int32_t mn = std::min(m, n);
    std::int32_t r = 0;
    for (std::int32_t k = 0; k < mn; ++k) {
        double q = 0.0;
        std::int32_t p = k, c = k;
        for (std::int32_t i = k; i < m; ++i)
            for (std::int32_t j = k; j < n; ++j) {
                const double mag = matdetail::PivotMagnitude(a[i][j]);
                if (mag > q) {
                    q = mag;
                    p = i;
                    c = j;
                }
            }
        if (q == 0.0) break;
        ++r;
        if (k == mn - 1) break;
        if (p != k)
            for (std::int32_t j = k; j < n; ++j) std::swap(a[k][j], a[p][j]);
        if (c != k)
            for (std::int32_t i = k; i < m; ++i) std::swap(a[i][c], a[i][k]);
        const Scalar pivot = a[k][k];
        const RCOVec& rowK = a[k];
        for (std::int32_t i = k + 1; i < m; ++i) {
            RCOVec& rowI = a[i];
            const Scalar f = rowI[k] / pivot;
            for (std::int32_t j = k + 1; j < n; ++j) rowI[j] -= f * rowK[j];
        }
    }
    return static_cast<double>(r);
}

}  // namespace quorvix::reference
