// det A = sign(P) · prod U(k, k) from getrf's factors, each factor and the
// running product split into frexp pieces so that the exponent is summed as
// an integer. LAPACK has no determinant routine; this is the usual one
// (e.g. Higham, Accuracy and Stability of Numerical Algorithms, 2nd ed.,
// 14.6). No extended precision and no threshold on the pivots.
#include "linalg/determinant.h"

#include <algorithm>
#include <cmath>

#include "core/cancel.h"
#include "linalg/lu_factor.h"

namespace quorvix::linalg {
namespace {

// x = f · 2^e with f in [0.5, 1) (or 0).
double Split(double x, std::int64_t& e) {
    int k = 0;
    const double f = std::frexp(x, &k);
    e += k;
    return f;
}

// z = f · 2^e with the larger part of f in magnitude in [0.5, 1) (or 0).
Complex Split(Complex z, std::int64_t& e) {
    int k = 0;
    std::frexp(std::max(std::fabs(z.real()), std::fabs(z.imag())), &k);
    e += k;
    return Complex(std::ldexp(z.real(), -k), std::ldexp(z.imag(), -k));
}

}  // namespace

template <typename T>
DeterminantResult<T> Determinant(const Matrix<T>& a) {
    // det(A) = det(A·2^-e)·2^(n·e).
    const ScaledLUFactors<T> s = ScaledLUFactor(a);
    const LUFactors<T>& f = s.Factors;
    DeterminantResult<T> d;
    d.RCond = f.RCond;
    if (f.Singular) return d;
    std::int64_t exponent = static_cast<std::int64_t>(a.Rows()) * s.Exponent;
    T mantissa = Split(T{1}, exponent);
    for (std::int32_t k = 0; k < a.Rows(); ++k) {
        CheckCancelled();
        mantissa = Split(mantissa * Split(f.LU(k, k), exponent), exponent);
        if (f.Pivots[static_cast<std::size_t>(k)] != k + 1) mantissa = -mantissa;
    }
    d.Mantissa = mantissa;
    d.Exponent = exponent;
    return d;
}

template DeterminantResult<double> Determinant(const RealMatrix&);
template DeterminantResult<Complex> Determinant(const ComplexMatrix&);

}  // namespace quorvix::linalg
