// getrf, and the packed factors and LAPACK's interchanges spread out into L,
// U and P; A of extreme scale is divided by a power of two first and U
// scaled back. No threshold on the pivots (an exactly zero one is kept) and
// no column pivoting.
#include "linalg/plu.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

#include "core/cancel.h"
#include "linalg/checks.h"
#include "linalg/lapack_calls.h"
#include "linalg/scaling.h"

namespace quorvix::linalg {

template <typename T>
PLUResult<T> PLU(const Matrix<T>& a) {
    const std::int32_t m = a.Rows(), n = a.Cols(), r = std::min(m, n);
    CallSteps steps(2);
    CheckFinite(a);
    // The factors of A·2^-e for an A of extreme scale: L as A's, U scaled
    // back below.
    const int e = RangeExponent(a);
    Matrix<T> lu = ScaledByPowerOfTwo(a, -e);
    std::vector<std::int32_t> ipiv(static_cast<std::size_t>(r));
    if (r > 0) lapack::Getrf(m, n, lu.Data(), lapack::Ld(lu), ipiv.data());  // info > 0: a zero pivot, kept
    steps.Done();
    CheckFinite(lu);

    PLUResult<T> f{Matrix<T>(m, r), Matrix<T>(r, n), Matrix<T>(m, m)};
    for (std::int32_t j = 0; j < n; ++j) {
        CheckCancelled();
        for (std::int32_t i = 0; i < m; ++i) {
            if (i <= j && i < r) f.U(i, j) = ScaleByPowerOfTwo(lu(i, j), e);
            if (j < r && i > j) f.L(i, j) = lu(i, j);
        }
    }
    for (std::int32_t i = 0; i < r; ++i) f.L(i, i) = T{1};
    // The interchanges applied in order to the row numbers: row i of P·A is
    // row order[i] of A.
    std::vector<std::int32_t> order(static_cast<std::size_t>(m));
    std::iota(order.begin(), order.end(), 0);
    for (std::int32_t i = 0; i < r; ++i) std::swap(order[i], order[ipiv[i] - 1]);
    for (std::int32_t i = 0; i < m; ++i) f.P(i, order[i]) = T{1};
    CheckFinite(f.U);
    steps.Done();
    return f;
}

template PLUResult<double> PLU(const RealMatrix&);
template PLUResult<Complex> PLU(const ComplexMatrix&);

}  // namespace quorvix::linalg
