// The determinant by Gaussian elimination with full pivoting on Scalars.
// Does not test the last diagonal element (a zero there simply makes the
// product zero), and does not accept a pivot whose magnitude rounds to zero
// at four decimals: a remaining block of elements below about 0.00005 makes
// the determinant the integer 0. Magnitudes are |re| + |im|, so a complex
// block with vanishing real parts still has pivots.
//
// A matrix whose elements are all of one kind is eliminated on a typed dense
// copy (dense_elimination.h), its rows below each pivot on all threads; a mix
// of kinds takes the Scalar arithmetic element by element.
#include <cmath>
#include <utility>

#include "core/cancel.h"
#include "core/kernel/dense_elimination.h"
#include "core/kernel/dispatch.h"
#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix {
namespace {

// The first comparison of a pivot search is made in four-decimal fixed point:
// the magnitude rounded to the nearest 0.0001 (ties to even) must be above 0.
// Computed in extended precision without a 64-bit count, so that a magnitude
// too large for the count qualifies like any other magnitude of 0.00005 or more.
bool QualifiesAgainstFixedZero(double magnitude) {
    return std::nearbyint(static_cast<long double>(magnitude) * 10000.0L) > 0.0L;
}

// The elimination in Scalar arithmetic, for matrices of mixed kinds.
Scalar ScalarDeterminant(RCOMat& a, std::int32_t n) {
    Scalar det = Scalar::Integer(1);
    std::int32_t sign = 1;
    for (std::int32_t k = 0; k <= n - 2; ++k) {
        CheckCancelled(k, n);
        bool found = false;  // false while the candidate is still the fixed-point zero
        double best = 0.0;
        std::int32_t p = k, q = k;
        for (std::int32_t i = k; i < n; ++i)
            for (std::int32_t j = k; j < n; ++j) {
                const double mag = matdetail::PivotMagnitude(a[i][j]);
                if (found ? mag > best : QualifiesAgainstFixedZero(mag)) {
                    found = true;
                    best = mag;
                    p = i;
                    q = j;
                }
            }
        if (!found) return Scalar::Integer(0);
        if (p != k) {
            sign = -sign;
            for (std::int32_t j = k; j < n; ++j) std::swap(a[k][j], a[p][j]);
        }
        if (q != k) {
            sign = -sign;
            for (std::int32_t i = k; i < n; ++i) std::swap(a[i][q], a[i][k]);
        }
        const Scalar pivot = a[k][k];
        det *= pivot;
        const RCOVec& rowK = a[k];
        for (std::int32_t i = k + 1; i < n; ++i) {
            RCOVec& rowI = a[i];
            const Scalar f = rowI[k] / pivot;
            for (std::int32_t j = k + 1; j < n; ++j) rowI[j] -= f * rowK[j];
        }
    }
    return (det * Scalar::Integer(sign)) * a[n - 1][n - 1];
}

// The same steps on a dense copy. The pivot of each step is the first
// element of largest magnitude, provided that magnitude qualifies: the first
// qualifying element of the search is never larger, and every later one that
// is larger replaces it.
bool DenseDeterminant(kernel::DenseElimination& e, std::int32_t n, Scalar& det, std::int32_t& sign) {
    for (std::int32_t k = 0; k <= n - 2; ++k) {
        CheckCancelled(k, n);
        const kernel::PivotChoice pivot = e.Search(k);
        if (!QualifiesAgainstFixedZero(pivot.magnitude)) return false;
        if (pivot.row != k) {
            sign = -sign;
            e.SwapRowParts(k, pivot.row, k);
        }
        if (pivot.col != k) {
            sign = -sign;
            e.SwapColumns(pivot.col, k, k, n);
        }
        det *= e.At(k, k);
        e.Eliminate(k, false);
    }
    return true;
}

}  // namespace

Scalar MatDeterminant(RCOMat& a, std::int32_t rows, std::int32_t cols) {
    if (!matdetail::HoldsShape(a, rows, cols)) return Scalar::Integer(0);
    if (rows == 1 && cols == 1) return a[0][0];
    // A non-square shape has no determinant; an empty matrix gets the integer 0 too.
    if (rows != cols || rows <= 0) return Scalar::Integer(0);
    const std::int32_t n = rows;
    kernel::Mode mode = kernel::Mode::Complex;
    // Small matrices cost less in Scalars than their typed copy.
    if (n < kernel::kTypedDeterminantFromOrder || !kernel::ChooseMode(a, n, n, mode)) return ScalarDeterminant(a, n);

    kernel::DenseElimination e(a, n, n, mode);
    Scalar det = Scalar::Integer(1);
    std::int32_t sign = 1;
    const bool found = e.WorkThenWriteBack(a, [&] { return DenseDeterminant(e, n, det, sign); });
    if (!found) return Scalar::Integer(0);
    return (det * Scalar::Integer(sign)) * a[n - 1][n - 1];
}

}  // namespace quorvix
