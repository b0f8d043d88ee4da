// The check residuals: each operand copied and scaled by a power of two so
// that its largest part lies in [0.5, 1), the products formed by gemm on the
// copies, and the differences, norms and ratio in long double (where a
// scaled-back operand cannot overflow). No componentwise or normwise
// backward error beyond these ratios.
#include "linalg/residuals.h"

#include <cmath>
#include <complex>

#include "core/cancel.h"
#include "linalg/checks.h"
#include "linalg/multiply.h"
#include "linalg/norms.h"
#include "linalg/scaling.h"

namespace quorvix::linalg {
namespace {

std::complex<long double> Extended(double x, int e) { return std::ldexp(static_cast<long double>(x), e); }
std::complex<long double> Extended(Complex z, int e) {
    return {std::ldexp(static_cast<long double>(z.real()), e), std::ldexp(static_cast<long double>(z.imag()), e)};
}

// ‖x − y·2^e‖_F in long double.
template <typename T>
long double DifferenceNorm(const Matrix<T>& x, const Matrix<T>& y, int e) {
    long double sum = 0;
    for (std::int32_t j = 0; j < x.Cols(); ++j) {
        CheckCancelled();
        for (std::int32_t i = 0; i < x.Rows(); ++i) {
            const std::complex<long double> d = Extended(x(i, j), 0) - Extended(y(i, j), e);
            sum += d.real() * d.real() + d.imag() * d.imag();
        }
    }
    return std::sqrt(sum);
}

double Ratio(long double numerator, long double denominator) {
    if (denominator == 0) return 0;
    return CheckFinite(static_cast<double>(numerator / denominator));
}

}  // namespace

template <typename T>
double SolveResidual(const Matrix<T>& a, const Matrix<T>& x, const Matrix<T>& b) {
    CheckFinite(b);
    const int ea = LargestExponent(a), ex = LargestExponent(x);
    const Matrix<T> as = ScaledByPowerOfTwo(a, -ea), xs = ScaledByPowerOfTwo(x, -ex);
    // Everything divided by 2^(ea + ex): A·X − B becomes As·Xs − B·2^-(ea+ex).
    const long double residual = DifferenceNorm(Multiply(as, xs), b, -(ea + ex));
    const long double scale =
        FrobeniusNormExtended(as) * FrobeniusNormExtended(xs) + std::ldexp(FrobeniusNormExtended(b), -(ea + ex));
    return Ratio(residual, scale);
}

template <typename T>
double PLUResidual(const Matrix<T>& a, const Matrix<T>& p, const Matrix<T>& l, const Matrix<T>& u) {
    const int ea = LargestExponent(a);
    const Matrix<T> as = ScaledByPowerOfTwo(a, -ea);
    return Ratio(DifferenceNorm(Multiply(p, as), Multiply(l, ScaledByPowerOfTwo(u, -ea)), 0),
                 FrobeniusNormExtended(as));
}

template <typename T>
double EigvecResidual(const Matrix<T>& a, const ComplexMatrix& d, const ComplexMatrix& v) {
    const int ea = LargestExponent(a);
    const ComplexMatrix as = ScaledByPowerOfTwo(ToComplex(a), -ea);
    return Ratio(DifferenceNorm(Multiply(as, v), Multiply(v, ScaledByPowerOfTwo(d, -ea)), 0),
                 FrobeniusNormExtended(as) * FrobeniusNormExtended(v));
}

template <typename T>
double PinvResidual(const Matrix<T>& a, const Matrix<T>& x) {
    // A → A·2^-e and X → X·2^e leave the ratio as it is.
    const int ea = LargestExponent(a);
    const Matrix<T> as = ScaledByPowerOfTwo(a, -ea), xs = ScaledByPowerOfTwo(x, ea);
    const long double na = FrobeniusNormExtended(as);
    return Ratio(DifferenceNorm(Multiply(Multiply(as, xs), as), as, 0), na * na * FrobeniusNormExtended(xs));
}

template double SolveResidual(const RealMatrix&, const RealMatrix&, const RealMatrix&);
template double SolveResidual(const ComplexMatrix&, const ComplexMatrix&, const ComplexMatrix&);
template double PLUResidual(const RealMatrix&, const RealMatrix&, const RealMatrix&, const RealMatrix&);
template double PLUResidual(const ComplexMatrix&, const ComplexMatrix&, const ComplexMatrix&, const ComplexMatrix&);
template double EigvecResidual(const RealMatrix&, const ComplexMatrix&, const ComplexMatrix&);
template double EigvecResidual(const ComplexMatrix&, const ComplexMatrix&, const ComplexMatrix&);
template double PinvResidual(const RealMatrix&, const RealMatrix&);
template double PinvResidual(const ComplexMatrix&, const ComplexMatrix&);

}  // namespace quorvix::linalg
