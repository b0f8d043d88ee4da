// Null(A) from the full V of gesdd: jobz 'O' for m >= n (U overwrites the
// copy of A and is not read), 'A' for m < n (U is only m x m); the rows of
// Vᴴ from the numerical rank on, conjugate-transposed. No sign or phase
// normalisation of the basis.
#include "linalg/null_space.h"

#include <algorithm>
#include <complex>
#include <vector>

#include "core/cancel.h"
#include "linalg/checks.h"
#include "linalg/errors.h"
#include "linalg/lapack_calls.h"
#include "linalg/scaling.h"
#include "linalg/singular_values.h"

namespace quorvix::linalg {
template <typename T>
Matrix<T> NullSpace(const Matrix<T>& a) {
    CallSteps steps(2);
    CheckFinite(a);
    const std::int32_t m = a.Rows(), n = a.Cols();
    if (n == 0) return Matrix<T>(0, 0);
    if (m == 0) return Matrix<T>::Identity(n);
    // The null space does not change with A's scale.
    Matrix<T> work = ScaledByPowerOfTwo(a, -RangeExponent(a)), vt(n, n);
    std::vector<double> s(static_cast<std::size_t>(std::min(m, n)));
    const bool tall = m >= n;
    Matrix<T> u(tall ? 1 : m, tall ? 1 : m);  // not referenced with jobz 'O' and m >= n
    RequireConverged(lapack::Gesdd(tall ? 'O' : 'A', m, n, work.Data(), lapack::Ld(work), s.data(), u.Data(),
                                   lapack::Ld(u), vt.Data(), lapack::Ld(vt)));
    steps.Done();
    CheckFinite(s);
    CheckFinite(vt);
    // The singular values descend, so the kept ones come first.
    const std::int32_t rank = CountAboveTolerance(s, PinvTolerance(m, n, s.front()));
    Matrix<T> basis(n, n - rank);
    for (std::int32_t j = 0; j < n - rank; ++j) {
        CheckCancelled();
        for (std::int32_t i = 0; i < n; ++i) basis(i, j) = Conjugate(vt(rank + j, i));
    }
    steps.Done();
    return basis;
}

template RealMatrix NullSpace(const RealMatrix&);
template ComplexMatrix NullSpace(const ComplexMatrix&);

}  // namespace quorvix::linalg
