// The rank by Gaussian elimination with full pivoting on Scalars.
// Does not use a tolerance: a pivot counts only when its magnitude |re| + |im|
// is exactly zero, so rounding residue can raise the count. The multipliers
// are the whole quotients, so a complex row that is a multiple of another is
// removed (for a real matrix they are real, as the quotients are).
//
// A matrix whose elements are all of one kind is eliminated on a typed dense
// copy (dense_elimination.h), its rows below each pivot on all threads; a mix
// of kinds takes the Scalar arithmetic element by element.
#include <algorithm>
#include <utility>

#include "core/cancel.h"
#include "core/kernel/dense_elimination.h"
#include "core/kernel/dispatch.h"
#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix {

namespace {

// The elimination in Scalar arithmetic, for matrices of mixed kinds.
std::int32_t ScalarRank(RCOMat& a, std::int32_t m, std::int32_t n) {
    const std::int32_t mn = std::min(m, n);
    std::int32_t r = 0;
    for (std::int32_t k = 0; k < mn; ++k) {
        CheckCancelled(k, mn);
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
    return r;
}

std::int32_t DenseRank(kernel::DenseElimination& e, std::int32_t m, std::int32_t n) {
    const std::int32_t mn = std::min(m, n);
    std::int32_t r = 0;
    for (std::int32_t k = 0; k < mn; ++k) {
        CheckCancelled(k, mn);
        const kernel::PivotChoice pivot = e.Search(k);
        if (pivot.magnitude == 0.0) break;
        ++r;
        if (k == mn - 1) break;
        if (pivot.row != k) e.SwapRowParts(k, pivot.row, k);
        if (pivot.col != k) e.SwapColumns(pivot.col, k, k, m);
        e.Eliminate(k, false);
    }
    return r;
}

}  // namespace

double MatRank(RCOMat& a, std::int32_t rows, std::int32_t cols) {
    if (!matdetail::HoldsShape(a, rows, cols)) return 0.0;
    kernel::Mode mode = kernel::Mode::Complex;
    // Small matrices cost less in Scalars than their typed copy.
    if (static_cast<std::int64_t>(rows) * cols < kernel::kTypedRankFromElements ||
        !kernel::ChooseMode(a, rows, cols, mode))
        return static_cast<double>(ScalarRank(a, rows, cols));
    kernel::DenseElimination e(a, rows, cols, mode);
    return static_cast<double>(e.WorkThenWriteBack(a, [&] { return DenseRank(e, rows, cols); }));
}

}  // namespace quorvix
