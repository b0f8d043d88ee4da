// getrf, then gecon on the factors, of A divided by a power of two when its
// scale is extreme. No iterative refinement and no row or column
// equilibration: the condition estimate is LAPACK's, of A as given.
#include "linalg/lu_factor.h"

#include <utility>

#include "core/cancel.h"
#include "linalg/checks.h"
#include "linalg/lapack_calls.h"
#include "linalg/norms.h"
#include "linalg/scaling.h"

namespace quorvix::linalg {

template <typename T>
ScaledLUFactors<T> ScaledLUFactor(const Matrix<T>& a) {
    RequireShape(a.Rows() == a.Cols(), "LUFactor: A is not square");
    CallSteps steps(2);
    CheckFinite(a);
    const std::int32_t n = a.Rows();
    ScaledLUFactors<T> s;
    s.Exponent = RangeExponent(a);
    LUFactors<T>& f = s.Factors;
    f.LU = ScaledByPowerOfTwo(a, -s.Exponent);
    f.Pivots.assign(static_cast<std::size_t>(n), 0);
    if (n == 0) {
        f.RCond = 1;  // as gecon has it for n = 0
        return s;
    }
    // gecon needs the norm of A before getrf overwrites it.
    const double anorm = OneNorm(f.LU);
    f.Singular = lapack::Getrf(n, n, f.LU.Data(), lapack::Ld(f.LU), f.Pivots.data()) > 0;
    steps.Done();
    CheckFinite(f.LU);
    if (!f.Singular) {
        double rcond = 0;
        lapack::Gecon(n, f.LU.Data(), lapack::Ld(f.LU), anorm, &rcond);
        f.RCond = CheckFinite(rcond);
    }
    steps.Done();
    return s;
}

template <typename T>
LUFactors<T> LUFactor(const Matrix<T>& a) {
    ScaledLUFactors<T> s = ScaledLUFactor(a);
    LUFactors<T>& f = s.Factors;
    if (s.Exponent != 0) {
        // U back to A's scale; L does not change.
        for (std::int32_t j = 0; j < f.LU.Cols(); ++j) {
            CheckCancelled();
            for (std::int32_t i = 0; i <= j; ++i) f.LU(i, j) = ScaleByPowerOfTwo(f.LU(i, j), s.Exponent);
        }
        CheckFinite(f.LU);
    }
    return std::move(f);
}

template <typename T>
double RCond1(const Matrix<T>& a) {
    return ScaledLUFactor(a).Factors.RCond;
}

template ScaledLUFactors<double> ScaledLUFactor(const RealMatrix&);
template ScaledLUFactors<Complex> ScaledLUFactor(const ComplexMatrix&);
template LUFactors<double> LUFactor(const RealMatrix&);
template LUFactors<Complex> LUFactor(const ComplexMatrix&);
template double RCond1(const RealMatrix&);
template double RCond1(const ComplexMatrix&);

}  // namespace quorvix::linalg
