// Rref: column by column, the first entry of largest modulus at or below
// the next pivot row becomes the pivot; its row is swapped up and divided by
// it, and one rank-1 update (BLAS geru) clears the column in every other
// row. Where the largest candidate is at most tol = max(m, n)·eps·‖A‖∞, the
// candidates are set to 0 and the column gets no pivot. This is the
// algorithm of Octave's rref.m; LAPACK has no such routine. No full
// pivoting, no scaling of rows, no cleaning of the entries above the pivots.
#include "linalg/rref.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "core/cancel.h"
#include "linalg/checks.h"
#include "linalg/lapack_calls.h"
#include "linalg/norms.h"

namespace quorvix::linalg {

template <typename T>
Matrix<T> Rref(const Matrix<T>& a) {
    CheckFinite(a);
    const std::int32_t m = a.Rows(), n = a.Cols();
    Matrix<T> r = a;
    if (r.Empty()) return r;
    const long double tolerance = std::max(m, n) * std::numeric_limits<double>::epsilon() * InfNormExtended(a);
    const std::int32_t ld = lapack::Ld(r);
    std::vector<T> multipliers(static_cast<std::size_t>(m));
    std::int32_t row = 0;
    for (std::int32_t k = 0; k < n && row < m; ++k) {
        CheckCancelled(k, n);
        std::int32_t p = row;
        long double largest = ModulusExtended(r(row, k));
        for (std::int32_t i = row + 1; i < m; ++i) {
            const long double mod = ModulusExtended(r(i, k));
            if (mod > largest) {
                largest = mod;
                p = i;
            }
        }
        if (largest <= tolerance) {
            for (std::int32_t i = row; i < m; ++i) r(i, k) = T{0};
            continue;
        }
        if (p != row)
            for (std::int32_t j = k; j < n; ++j) std::swap(r(p, j), r(row, j));
        const T pivot = r(row, k);
        for (std::int32_t j = k; j < n; ++j) r(row, j) /= pivot;
        r(row, k) = T{1};
        // Every other row minus its entry in column k times the pivot row;
        // the pivot row's own multiplier is 0.
        for (std::int32_t i = 0; i < m; ++i) multipliers[static_cast<std::size_t>(i)] = i == row ? T{0} : r(i, k);
        lapack::Geru(m, n - k, T{-1}, multipliers.data(), &r(row, k), ld, &r(0, k), ld);
        for (std::int32_t i = 0; i < m; ++i)
            if (i != row) r(i, k) = T{0};
        ++row;
    }
    CheckCancelled(n, n);
    CheckFinite(r);
    return r;
}

template RealMatrix Rref(const RealMatrix&);
template ComplexMatrix Rref(const ComplexMatrix&);

}  // namespace quorvix::linalg
