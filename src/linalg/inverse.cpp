// inv(A) by getri on the factors of A divided by a power of two when its
// scale is extreme, scaled back. No refinement and no pseudo-inverse
// fallback for a singular A.
#include "linalg/inverse.h"

#include <utility>

#include "linalg/checks.h"
#include "linalg/lapack_calls.h"
#include "linalg/lu_factor.h"
#include "linalg/scaling.h"

namespace quorvix::linalg {

template <typename T>
InverseResult<T> Inverse(const Matrix<T>& a) {
    ScaledLUFactors<T> s = ScaledLUFactor(a);
    LUFactors<T>& f = s.Factors;
    InverseResult<T> r;
    r.RCond = f.RCond;
    r.Singular = f.Singular;
    if (f.Singular) return r;
    CallSteps steps(1);
    if (a.Rows() > 0) lapack::Getri(a.Rows(), f.LU.Data(), lapack::Ld(f.LU), f.Pivots.data());
    steps.Done();
    // inv(A) = inv(A·2^-e)·2^-e.
    r.X = ScaledByPowerOfTwo(std::move(f.LU), -s.Exponent);
    CheckFinite(r.X);
    return r;
}

template InverseResult<double> Inverse(const RealMatrix&);
template InverseResult<Complex> Inverse(const ComplexMatrix&);

}  // namespace quorvix::linalg
