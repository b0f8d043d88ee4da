// Norms by plain sums in long double (64-bit significand, 15-bit exponent):
// no scaling is needed because the square of any double is representable.
// No compensated summation: the sums are used for tolerances and residuals.
#include "linalg/norms.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/cancel.h"

namespace quorvix::linalg {

long double ModulusExtended(double x) { return std::fabs(static_cast<long double>(x)); }
long double ModulusExtended(Complex z) {
    const long double re = z.real(), im = z.imag();
    return std::sqrt(re * re + im * im);
}

namespace {
long double SquaredModulus(double x) {
    const long double v = x;
    return v * v;
}
long double SquaredModulus(Complex z) {
    const long double re = z.real(), im = z.imag();
    return re * re + im * im;
}

// `add(column)` for each of a's columns in turn, the cancel flag checked
// before each.
template <typename T, typename Add>
void ForEachColumn(const Matrix<T>& a, Add add) {
    for (std::int32_t j = 0; j < a.Cols(); ++j) {
        CheckCancelled();
        add(a.Column(j));
    }
}

}  // namespace

template <typename T>
long double FrobeniusNormExtended(const Matrix<T>& a) {
    long double sum = 0;
    ForEachColumn(a, [&](const T* column) {
        for (std::int32_t i = 0; i < a.Rows(); ++i) sum += SquaredModulus(column[i]);
    });
    return std::sqrt(sum);
}

template <typename T>
long double OneNormExtended(const Matrix<T>& a) {
    long double best = 0;
    ForEachColumn(a, [&](const T* column) {
        long double sum = 0;
        for (std::int32_t i = 0; i < a.Rows(); ++i) sum += ModulusExtended(column[i]);
        best = std::max(best, sum);
    });
    return best;
}

template <typename T>
long double InfNormExtended(const Matrix<T>& a) {
    std::vector<long double> rows(static_cast<std::size_t>(a.Rows()), 0.0L);
    ForEachColumn(a, [&](const T* column) {
        for (std::int32_t i = 0; i < a.Rows(); ++i) rows[static_cast<std::size_t>(i)] += ModulusExtended(column[i]);
    });
    long double best = 0;
    for (long double r : rows) best = std::max(best, r);
    return best;
}

template long double FrobeniusNormExtended(const Matrix<double>&);
template long double OneNormExtended(const Matrix<double>&);
template long double InfNormExtended(const Matrix<double>&);
template long double FrobeniusNormExtended(const Matrix<Complex>&);
template long double OneNormExtended(const Matrix<Complex>&);
template long double InfNormExtended(const Matrix<Complex>&);

}  // namespace quorvix::linalg
