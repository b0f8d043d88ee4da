// MatQR: orthogonal-triangular factorization Q*A = R of a real m x n matrix
// (m >= n) by Householder reflections.
//
// What it does not do: no column pivoting (it does not reveal the rank), no
// complex elements (a complex element enters with its real part only), and
// no sign normalisation of R: the diagonal of R has whatever sign the
// reflections give it, and a square matrix gets no reflection for its last
// column. Q is the product of the reflections in the order they are applied,
// not its transpose. A column that is zero from the diagonal down is skipped.
//
// The work runs on a row-major copy in doubles; the sum of magnitudes that
// scales each column is taken with a 64-bit significand, so that no column
// overflows before it is scaled. Each reflection is applied to ranges of
// columns on all threads, two elements at a time; every element keeps its
// own double operations in the order written.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "core/cancel.h"
#include "core/kernel/fault_scope.h"
#include "core/kernel/kernel_double.h"
#include "core/kernel/parallel.h"
#include "core/matrice2.h"

namespace quorvix {

namespace {

double ElementOrZero(const RCOMat& a, std::int32_t i, std::int32_t j) {
    if (static_cast<std::size_t>(i) >= a.size()) return 0.0;
    const RCOVec& row = a[static_cast<std::size_t>(i)];
    if (static_cast<std::size_t>(j) >= row.size()) return 0.0;
    return ScalarToReal(row[static_cast<std::size_t>(j)]);
}

// Columns [j0, j1) of X (row-major, `width` columns): s_j := the sum over
// i = k..m-1 of v_i * X[i][j], gathered row by row in that order;
// s_j := s_j / w; X[i][j] := X[i][j] - v_i * s_j. dots[j] receives s_j.
void Reflect(double* x, std::size_t width, std::int32_t k, std::int32_t m, std::int64_t j0, std::int64_t j1, double w,
             const double* v, double* dots) {
    // 128 columns at a time, so that the second pass finds them cached.
    for (std::int64_t b = j0; b < j1; b += 128) {
        const std::int64_t count = std::min<std::int64_t>(128, j1 - b);
        double* s = dots + b;
        std::fill(s, s + count, 0.0);
        for (std::int32_t i = k; i < m; ++i)
            kernel::AddScaled(s, v[i], x + static_cast<std::size_t>(i) * width + b, count);
        kernel::DivideAll(s, w, count);
        for (std::int32_t i = k; i < m; ++i)
            kernel::SubtractScaled(x + static_cast<std::size_t>(i) * width + b, v[i], s, count);
    }
}

}  // namespace

void MatQR(RCOMat& a, std::int32_t m, std::int32_t n, RCOMat& q) {
    if (m < 0) m = 0;
    if (n < 0) n = 0;
    const std::size_t rows = static_cast<std::size_t>(m);
    const std::size_t cols = static_cast<std::size_t>(n);

    FaultScope faults;

    std::vector<double> A(rows * cols);
    for (std::int32_t i = 0; i < m; ++i)
        for (std::int32_t j = 0; j < n; ++j)
            A[static_cast<std::size_t>(i) * cols + static_cast<std::size_t>(j)] = ElementOrZero(a, i, j);
    auto at = [&](std::int32_t i, std::int32_t j) -> double& {
        return A[static_cast<std::size_t>(i) * cols + static_cast<std::size_t>(j)];
    };

    // Q starts as the identity.
    std::vector<double> Q(rows * rows, 0.0);
    for (std::size_t i = 0; i < rows; ++i) Q[i * rows + i] = 1.0;

    std::vector<double> dots(cols + rows);  // for A's columns, then Q's
    std::vector<double> v(rows);            // the reflection vector

    // One reflection per column; no step at all for a single row.
    const std::int32_t last = std::min(m - 2, n - 1);
    for (std::int32_t k = 0; k <= last; ++k) {
        CheckCancelled(k, last + 1);
        // Scale by the sum of magnitudes from the diagonal down.
        long double sum = 0.0L;
        for (std::int32_t i = k; i < m; ++i) sum += std::fabs(static_cast<long double>(at(i, k)));
        const double u = StoreDouble(sum);
        if (u == 0.0) continue;  // the column is already zero below the diagonal

        double alpha = 0.0;
        for (std::int32_t i = k; i < m; ++i) {
            at(i, k) = at(i, k) / u;
            alpha = alpha + at(i, k) * at(i, k);
        }
        const double sigma = at(k, k) < 0.0 ? -1.0 : 1.0;
        alpha = -sigma * std::sqrt(alpha);  // opposite sign of the diagonal element
        at(k, k) = at(k, k) - alpha;        // column k from row k down is now v
        const double w = (-alpha) * at(k, k);

        // Apply I - v*v'/w to the remaining columns of A and to every column
        // of Q. The dot products of a range of columns are gathered row by
        // row; each keeps the order i = k..m-1. Ranges of columns (of A, then
        // of Q) go to the threads.
        for (std::int32_t i = k; i < m; ++i) v[static_cast<std::size_t>(i)] = at(i, k);
        const std::int64_t colsA = n - k - 1;
        parallel::ParallelFor(colsA + m, 2 * (m - k) + 4, [&](std::int64_t first, std::int64_t last) {
            if (first < colsA)
                Reflect(A.data(), cols, k, m, k + 1 + first, k + 1 + std::min(last, colsA), w, v.data(), dots.data());
            if (last > colsA)
                Reflect(Q.data(), rows, k, m, std::max(first, colsA) - colsA, last - colsA, w, v.data(),
                        dots.data() + cols);
        });

        // The diagonal element of R; its magnitude is the column's norm.
        at(k, k) = alpha * u;
        for (std::int32_t i = k + 1; i < m; ++i) at(i, k) = 0.0;
        faults.Check();
    }
    faults.Check();

    a.assign(rows, RCOVec(cols));
    for (std::size_t i = 0; i < rows; ++i)
        for (std::size_t j = 0; j < cols; ++j) a[i][j] = Scalar::Real(StoreDouble(A[i * cols + j]));
    q.assign(rows, RCOVec(rows));
    for (std::size_t i = 0; i < rows; ++i)
        for (std::size_t j = 0; j < rows; ++j) q[i][j] = Scalar::Real(StoreDouble(Q[i * rows + j]));
}

}  // namespace quorvix
