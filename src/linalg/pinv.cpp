// pinv(A) = V·S⁺·Uᴴ from the thin SVD (gesdd 'S'): the rows of Vᴴ that
// belong to the kept singular values divided by them, then one gemm of their
// conjugate transpose with U's columns conjugate-transposed. No
// regularisation, no iterative improvement (LAPACK has no pinv routine;
// this is the textbook construction, e.g. Golub and Van Loan, Matrix
// Computations, 4th ed., 5.5.2).
#include "linalg/pinv.h"

#include <algorithm>
#include <utility>

#include "core/cancel.h"
#include "linalg/checks.h"
#include "linalg/errors.h"
#include "linalg/lapack_calls.h"
#include "linalg/scaling.h"
#include "linalg/singular_values.h"

namespace quorvix::linalg {

template <typename T>
PinvResult<T> Pinv(const Matrix<T>& a) {
    CallSteps steps(2);
    CheckFinite(a);
    const std::int32_t m = a.Rows(), n = a.Cols(), r = std::min(m, n);
    PinvResult<T> p;
    p.X = Matrix<T>(n, m);
    if (r == 0) return p;
    // pinv(A) = pinv(A·2^-e)·2^-e for an A of extreme scale; its singular
    // values are those of A·2^-e times 2^e.
    const int e = RangeExponent(a);
    Matrix<T> work = ScaledByPowerOfTwo(a, -e), u(m, r), vt(r, n);
    p.SingularValues.assign(static_cast<std::size_t>(r), 0.0);
    RequireConverged(lapack::Gesdd('S', m, n, work.Data(), lapack::Ld(work), p.SingularValues.data(), u.Data(),
                                   lapack::Ld(u), vt.Data(), lapack::Ld(vt)));
    steps.Done();
    CheckFinite(p.SingularValues);
    const double s1 = p.SingularValues.front();
    const double tolerance = PinvTolerance(m, n, s1);
    p.Rank = CountAboveTolerance(p.SingularValues, tolerance);
    p.RCond = s1 > 0 ? p.SingularValues.back() / s1 : 0.0;
    if (p.Rank > 0) {
        // Row i of Vᴴ divided by s_i, column by column of Vᴴ.
        for (std::int32_t j = 0; j < n; ++j) {
            CheckCancelled();
            for (std::int32_t i = 0; i < p.Rank; ++i) vt(i, j) /= p.SingularValues[i];
        }
        // X (n x m) = (first Rank rows of Vᴴ)ᴴ · (first Rank columns of U)ᴴ.
        lapack::Gemm(lapack::Op::ConjTranspose, lapack::Op::ConjTranspose, n, m, p.Rank, T{1}, vt.Data(),
                     lapack::Ld(vt), u.Data(), lapack::Ld(u), T{0}, p.X.Data(), lapack::Ld(p.X));
    }
    steps.Done();
    p.X = ScaledByPowerOfTwo(std::move(p.X), -e);
    CheckFinite(p.X);
    // Singular values beyond the double's range overflow here, after X.
    for (double& v : p.SingularValues) v = ScaleByPowerOfTwo(v, e);
    CheckFinite(p.SingularValues);
    p.Tolerance = CheckFinite(ScaleByPowerOfTwo(tolerance, e));
    return p;
}

template PinvResult<double> Pinv(const RealMatrix&);
template PinvResult<Complex> Pinv(const ComplexMatrix&);

}  // namespace quorvix::linalg
