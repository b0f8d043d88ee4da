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
// overflows before it is scaled.
#include "core/reference/matrice2_reference.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "core/kernel/fault_scope.h"
#include "core/matrice2.h"

namespace quorvix::reference {

namespace {

double ElementOrZero(const RCOMat& a, std::int32_t i, std::int32_t j) {
    if (static_cast<std::size_t>(i) >= a.size()) return 0.0;
    const RCOVec& row = a[static_cast<std::size_t>(i)];
    if (static_cast<std::size_t>(j) >= row.size()) return 0.0;
    return ScalarToReal(row[static_cast<std::size_t>(j)]);
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

    std::vector<double> dots(rows > cols ? rows : cols);

    // One reflection per column; no step at all for a single row.
    const std::int32_t last = std::min(m - 2, n - 1);
    for (std::int32_t k = 0; k <= last; ++k) {
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

        // Apply I - v*v'/w to the remaining columns of A. The dot products of
        // all columns are gathered row by row; each keeps the order i = k..m-1.
        for (std::int32_t j = k + 1; j < n; ++j) dots[static_cast<std::size_t>(j)] = 0.0;
        for (std::int32_t i = k; i < m; ++i) {
            const double v = at(i, k);
            const double* row = &A[static_cast<std::size_t>(i) * cols];
            for (std::int32_t j = k + 1; j < n; ++j) dots[static_cast<std::size_t>(j)] += v * row[j];
        }
        for (std::int32_t j = k + 1; j < n; ++j)
            dots[static_cast<std::size_t>(j)] = dots[static_cast<std::size_t>(j)] / w;
        for (std::int32_t i = k; i < m; ++i) {
            const double v = at(i, k);
            double* row = &A[static_cast<std::size_t>(i) * cols];
            for (std::int32_t j = k + 1; j < n; ++j) row[j] = row[j] - v * dots[static_cast<std::size_t>(j)];
        }

        // The same reflection applied to every column of Q.
        for (std::size_t j = 0; j < rows; ++j) dots[j] = 0.0;
        for (std::int32_t i = k; i < m; ++i) {
            const double v = at(i, k);
            const double* row = &Q[static_cast<std::size_t>(i) * rows];
            for (std::size_t j = 0; j < rows; ++j) dots[j] += v * row[j];
        }
        for (std::size_t j = 0; j < rows; ++j) dots[j] = dots[j] / w;
        for (std::int32_t i = k; i < m; ++i) {
            const double v = at(i, k);
            double* row = &Q[static_cast<std::size_t>(i) * rows];
            for (std::size_t j = 0; j < rows; ++j) row[j] = row[j] - v * dots[j];
        }

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

}  // namespace quorvix::reference
