// LU with full pivoting that keeps M, the inverse of the unit lower factor
// (M*P = U), and the solution of one column from those packed factors.
// Pivots are chosen by |re| + |im| (the plain magnitude for a real element),
// and a pivot counts as zero only when it is exactly zero: there is no
// tolerance and no equilibration, and a tiny complex pivot ends the work with
// the Scalar division error rather than a singular status.
//
// A matrix whose elements are all of one kind is factored on a typed dense
// copy (dense_elimination.h), its rows below each pivot on all threads; a mix
// of kinds takes the Scalar arithmetic element by element.
#include "core/lu_decompose.h"

#include <cstddef>
#include <utility>

#include "core/cancel.h"
#include "core/kernel/dispatch.h"
#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix {
namespace {

using matdetail::PivotMagnitude;

// The factorization in Scalar arithmetic, for matrices of mixed kinds.
MatStatus ScalarDecompose(std::int32_t n, RCOMat& a, RCoVecE& rowPerm, RCoVecE& colPerm) {
    for (std::int32_t k = 0; k <= n - 2; ++k) {
        CheckCancelled(k, n);
        // The first element of largest magnitude in row-major order.
        std::int32_t p = k, q = k;
        double max = PivotMagnitude(a[k][k]);
        for (std::int32_t i = k; i < n; ++i)
            for (std::int32_t j = k; j < n; ++j) {
                const double mag = PivotMagnitude(a[i][j]);
                if (mag > max) {
                    max = mag;
                    p = i;
                    q = j;
                }
            }
        if (max == 0.0) return MatStatus::Singular;
        // Columns first, then rows; both over the whole matrix so that the
        // multipliers already stored move with their rows.
        if (q != k) {
            for (std::int32_t i = 0; i < n; ++i) std::swap(a[i][k], a[i][q]);
            std::swap(colPerm[k], colPerm[q]);
        }
        if (p != k) {
            std::swap(a[k], a[p]);
            std::swap(rowPerm[k], rowPerm[p]);
        }
        const Scalar pivot = a[k][k];
        const RCOVec& rowK = a[k];
        for (std::int32_t i = k + 1; i < n; ++i) {
            RCOVec& rowI = a[i];
            const Scalar f = rowI[k] / pivot;
            for (std::int32_t j = k + 1; j < n; ++j) rowI[j] -= f * rowK[j];
            // The same row operation on the multipliers already kept, so the
            // strictly lower triangle goes on holding M.
            for (std::int32_t m = 0; m < k; ++m) rowI[m] -= f * rowK[m];
            rowI[k] = -f;
        }
    }
    const Scalar zero = Scalar::Integer(0);
    for (std::int32_t i = 0; i < n; ++i)
        if (a[i][i] == zero) return MatStatus::Singular;
    return MatStatus::Ok;
}

// The same steps on the dense copy, which receives the factors.
MatStatus DenseDecompose(std::int32_t n, kernel::DenseElimination& e, RCoVecE& rowPerm, RCoVecE& colPerm) {
    for (std::int32_t k = 0; k <= n - 2; ++k) {
        CheckCancelled(k, n);
        const kernel::PivotChoice pivot = e.Search(k);
        if (pivot.magnitude == 0.0) return MatStatus::Singular;
        if (pivot.col != k) {
            e.SwapColumns(k, pivot.col, 0, n);
            std::swap(colPerm[k], colPerm[pivot.col]);
        }
        if (pivot.row != k) {
            e.SwapRows(k, pivot.row);
            std::swap(rowPerm[k], rowPerm[pivot.row]);
        }
        e.Eliminate(k, true);
    }
    for (std::int32_t i = 0; i < n; ++i)
        if (e.IsZero(i, i)) return MatStatus::Singular;
    return MatStatus::Ok;
}

}  // namespace

namespace kernel {

MatStatus LUDecompose(std::int32_t n, RCOMat& a, RCoVecE& rowPerm, RCoVecE& colPerm,
                      std::unique_ptr<DenseElimination>* dense) {
    if (n < 0) n = 0;
    // Too small for order n: nothing to factor.
    if (!matdetail::HoldsShape(a, n, n)) return MatStatus::Dimensions;
    rowPerm.resize(static_cast<std::size_t>(n));
    colPerm.resize(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) {
        rowPerm[i] = i;
        colPerm[i] = i;
    }
    Mode mode = Mode::Complex;
    // Small matrices cost less in Scalars than their typed copy.
    if (n < kTypedLUFromOrder || !ChooseMode(a, n, n, mode)) return ScalarDecompose(n, a, rowPerm, colPerm);
    auto e = std::make_unique<DenseElimination>(a, n, n, mode);
    const MatStatus status = e->WorkThenWriteBack(a, [&] { return DenseDecompose(n, *e, rowPerm, colPerm); });
    if (dense != nullptr) *dense = std::move(e);
    return status;
}

}  // namespace kernel

MatStatus MatLUDecompose(std::int32_t n, RCOMat& a, RCoVecE& rowPerm, RCoVecE& colPerm) {
    return kernel::LUDecompose(n, a, rowPerm, colPerm, nullptr);
}

void MatLUSolveColumn(const RCOMat& a, std::int32_t n, const RCOVec& b, const RCoVecE& rowPerm, const RCoVecE& colPerm,
                      RCOVec& x) {
    if (n < 0) n = 0;
    // y holds the solution in pivoted order; x is written only at the end, so
    // x may be b itself.
    RCOVec y(static_cast<std::size_t>(n));
    for (std::int32_t i = n - 1; i >= 0; --i) {
        const RCOVec& rowI = a[i];
        Scalar s = b[rowPerm[i]];
        for (std::int32_t j = 0; j < i; ++j) s += rowI[j] * b[rowPerm[j]];
        for (std::int32_t j = i + 1; j < n; ++j) s -= rowI[j] * y[j];
        y[i] = s / rowI[i];
    }
    if (x.size() < static_cast<std::size_t>(n)) x.resize(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) x[colPerm[i]] = y[i];
}

}  // namespace quorvix
