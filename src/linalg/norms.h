#pragma once
// Matrix norms: Frobenius, 1 (largest column sum of moduli) and infinity
// (largest row sum). Summed in long double, where no sum of squares or
// moduli of doubles can overflow; the double versions raise "Floating point
// overflow" for a norm beyond the double's range instead of returning an
// infinity. No scaling and no compensated summation.
#include "core/kernel/fpu.h"
#include "linalg/matrix.h"

namespace quorvix::linalg {

template <typename T>
long double FrobeniusNormExtended(const Matrix<T>& a);
template <typename T>
long double OneNormExtended(const Matrix<T>& a);
template <typename T>
long double InfNormExtended(const Matrix<T>& a);

template <typename T>
double FrobeniusNorm(const Matrix<T>& a) {
    return StoreDouble(FrobeniusNormExtended(a));
}
template <typename T>
double OneNorm(const Matrix<T>& a) {
    return StoreDouble(OneNormExtended(a));
}
template <typename T>
double InfNorm(const Matrix<T>& a) {
    return StoreDouble(InfNormExtended(a));
}

// |z| in long double, without overflow.
long double ModulusExtended(double x);
long double ModulusExtended(Complex z);

}  // namespace quorvix::linalg
