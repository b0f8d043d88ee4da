// Powers of two by frexp and ldexp. No rounding to a "nice" exponent and no
// per-row or per-column factors.
#include "linalg/scaling.h"

#include <algorithm>
#include <cmath>

#include "core/cancel.h"

namespace quorvix::linalg {
namespace {
double LargestPart(double x) { return std::fabs(x); }
double LargestPart(Complex z) { return std::max(std::fabs(z.real()), std::fabs(z.imag())); }
}  // namespace

template <typename T>
int LargestExponent(const Matrix<T>& a) {
    double largest = 0;
    for (std::int32_t j = 0; j < a.Cols(); ++j) {
        CheckCancelled();
        const T* column = a.Column(j);
        for (std::int32_t i = 0; i < a.Rows(); ++i) largest = std::max(largest, LargestPart(column[i]));
    }
    int e = 0;
    if (largest > 0) std::frexp(largest, &e);
    return e;
}

template <typename T>
int RangeExponent(const Matrix<T>& a) {
    const int e = LargestExponent(a);
    return e > kNeutralRange || e < -kNeutralRange ? e : 0;
}

double ScaleByPowerOfTwo(double x, int e) { return std::ldexp(x, e); }
Complex ScaleByPowerOfTwo(Complex z, int e) { return Complex(std::ldexp(z.real(), e), std::ldexp(z.imag(), e)); }

template <typename T>
Matrix<T> ScaledByPowerOfTwo(Matrix<T> a, int e) {
    if (e == 0) return a;
    for (std::int32_t j = 0; j < a.Cols(); ++j) {
        CheckCancelled();
        T* column = a.Column(j);
        for (std::int32_t i = 0; i < a.Rows(); ++i) column[i] = ScaleByPowerOfTwo(column[i], e);
    }
    return a;
}

template int LargestExponent(const RealMatrix&);
template int LargestExponent(const ComplexMatrix&);
template int RangeExponent(const RealMatrix&);
template int RangeExponent(const ComplexMatrix&);
template RealMatrix ScaledByPowerOfTwo(RealMatrix, int);
template ComplexMatrix ScaledByPowerOfTwo(ComplexMatrix, int);

}  // namespace quorvix::linalg
