#pragma once
// The inverse, determinant and rank routines as they were when pivots were
// chosen by the magnitude of the real part alone and the rank's multipliers
// were the real parts of the quotients. Kept to show that real matrices give
// the same bits under the |re| + |im| pivots and whole complex multipliers.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix::reference::realpivot {

inline double RealMagnitude(const Scalar& v) { return std::fabs(ScalarToReal(v)); }

inline MatStatus MatLUDecompose(std::int32_t n, RCOMat& a, RCoVecE& rowPerm, RCoVecE& colPerm) {
    if (n < 0) n = 0;
    if (!matdetail::HoldsShape(a, n, n)) return MatStatus::Dimensions;
    rowPerm.resize(static_cast<std::size_t>(n));
    colPerm.resize(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) rowPerm[i] = colPerm[i] = i;
    for (std::int32_t k = 0; k <= n - 2; ++k) {
        std::int32_t p = k, q = k;
        double max = RealMagnitude(a[k][k]);
        for (std::int32_t i = k; i < n; ++i)
            for (std::int32_t j = k; j < n; ++j) {
                const double mag = RealMagnitude(a[i][j]);
                if (mag > max) {
                    max = mag;
                    p = i;
                    q = j;
                }
            }
        if (max == 0.0) return MatStatus::Singular;
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
            for (std::int32_t m = 0; m < k; ++m) rowI[m] -= f * rowK[m];
            rowI[k] = -f;
        }
    }
    const Scalar zero = Scalar::Integer(0);
    for (std::int32_t i = 0; i < n; ++i)
        if (a[i][i] == zero) return MatStatus::Singular;
    return MatStatus::Ok;
}

inline MatStatus MatInvertLU(RCOMat& a, RCOMat& inv) {
    std::int32_t rows = 0, cols = 0;
    if (const MatStatus status = MatSize(a, rows, cols); status != MatStatus::Ok) return status;
    if (rows != cols || !matdetail::RowsHoldAtLeast(a, cols)) return MatStatus::Dimensions;
    const std::int32_t n = rows;
    RCOVec e(static_cast<std::size_t>(n));
    RCoVecE rowPerm, colPerm;
    if (const MatStatus status = realpivot::MatLUDecompose(n, a, rowPerm, colPerm); status != MatStatus::Ok)
        return status;
    RCOMat result;
    SizeMatrix(result, n, n);
    for (std::int32_t c = 0; c < n; ++c) {
        for (std::int32_t i = 0; i < n; ++i) e[i] = Scalar::Integer(0);
        e[c] = Scalar::Integer(1);
        quorvix::MatLUSolveColumn(a, n, e, rowPerm, colPerm, e);
        for (std::int32_t i = 0; i < n; ++i) result[i][c] = e[i];
    }
    inv = std::move(result);
    return MatStatus::Ok;
}

inline Scalar MatDeterminant(RCOMat& a, std::int32_t rows, std::int32_t cols) {
    if (!matdetail::HoldsShape(a, rows, cols)) return Scalar::Integer(0);
    if (rows == 1 && cols == 1) return a[0][0];
    if (rows != cols || rows <= 0) return Scalar::Integer(0);
    const std::int32_t n = rows;
    Scalar det = Scalar::Integer(1);
    std::int32_t sign = 1;
    for (std::int32_t k = 0; k <= n - 2; ++k) {
        bool found = false;
        double best = 0.0;
        std::int32_t p = k, q = k;
        for (std::int32_t i = k; i < n; ++i)
            for (std::int32_t j = k; j < n; ++j) {
                const double mag = RealMagnitude(a[i][j]);
                if (found ? mag > best : std::nearbyint(static_cast<long double>(mag) * 10000.0L) > 0.0L) {
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
        for (std::int32_t i = k + 1; i < n; ++i) {
            const Scalar f = a[i][k] / pivot;
            for (std::int32_t j = k + 1; j < n; ++j) a[i][j] -= f * a[k][j];
        }
    }
    return (det * Scalar::Integer(sign)) * a[n - 1][n - 1];
}

inline double MatRank(RCOMat& a, std::int32_t rows, std::int32_t cols) {
    if (!matdetail::HoldsShape(a, rows, cols)) return 0.0;
    const std::int32_t m = rows, n = cols, mn = std::min(m, n);
    std::int32_t r = 0;
    for (std::int32_t k = 0; k < mn; ++k) {
        double q = 0.0;
        std::int32_t p = k, c = k;
        for (std::int32_t i = k; i < m; ++i)
            for (std::int32_t j = k; j < n; ++j) {
                const double mag = RealMagnitude(a[i][j]);
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
        for (std::int32_t i = k + 1; i < m; ++i) {
            const Scalar f = Scalar::Real(ScalarToReal(a[i][k] / pivot));
            for (std::int32_t j = k + 1; j < n; ++j) a[i][j] -= f * a[k][j];
        }
    }
    return static_cast<double>(r);
}

}  // namespace quorvix::reference::realpivot
