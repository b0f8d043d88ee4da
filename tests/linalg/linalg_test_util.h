#pragma once
// Shared pieces of the linalg tests: seeded random matrices (the seed is
// printed; QUORVIX_SEED=<number> replays a run), the two element types as
// one test parameter, the error a call raises, and the bridge to Eigen, the
// second opinion where it is built.
#include <gtest/gtest.h>

#include <complex>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "core/errors.h"
#include "linalg/matrix.h"

#ifdef QUORVIX_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace quorvix::linalg::test {

constexpr double kEps = std::numeric_limits<double>::epsilon();

// The seed of a random test: QUORVIX_SEED when set, else `fallback`; printed
// with the test's salt so that a failure can be replayed.
inline std::uint64_t Seed(std::uint64_t salt, std::uint64_t fallback = 20260101) {
    std::uint64_t base = fallback;
    if (const char* s = std::getenv("QUORVIX_SEED"); s != nullptr && *s != '\0') base = std::strtoull(s, nullptr, 10);
    std::cout << "[ seed     ] QUORVIX_SEED=" << base << " (stream " << salt << ")\n";
    ::testing::Test::RecordProperty("seed", std::to_string(base));
    return base * 1000003u + salt;
}

inline double Draw(std::mt19937_64& rng, double) { return std::normal_distribution<double>()(rng); }
inline Complex Draw(std::mt19937_64& rng, Complex) {
    std::normal_distribution<double> g;
    const double re = g(rng);
    return Complex(re, g(rng));
}

// Standard normal entries (both parts for a complex matrix).
template <typename T>
Matrix<T> Random(std::int32_t rows, std::int32_t cols, std::mt19937_64& rng) {
    Matrix<T> m(rows, cols);
    for (std::int32_t j = 0; j < cols; ++j)
        for (std::int32_t i = 0; i < rows; ++i) m(i, j) = Draw(rng, T{});
    return m;
}

// A·B by the definition, summed in long double: the tests' own product,
// independent of the BLAS.
template <typename T>
Matrix<T> Product(const Matrix<T>& a, const Matrix<T>& b) {
    using Wide = std::conditional_t<std::is_same_v<T, double>, long double, std::complex<long double>>;
    Matrix<T> c(a.Rows(), b.Cols());
    for (std::int32_t i = 0; i < a.Rows(); ++i)
        for (std::int32_t j = 0; j < b.Cols(); ++j) {
            Wide sum = 0;
            for (std::int32_t k = 0; k < a.Cols(); ++k) sum += Wide(a(i, k)) * Wide(b(k, j));
            c(i, j) = static_cast<T>(sum);
        }
    return c;
}

inline double Conj(double x) { return x; }
inline Complex Conj(Complex z) { return std::conj(z); }

template <typename T>
Matrix<T> Adjoint(const Matrix<T>& a) {
    Matrix<T> t(a.Cols(), a.Rows());
    for (std::int32_t i = 0; i < a.Rows(); ++i)
        for (std::int32_t j = 0; j < a.Cols(); ++j) t(j, i) = Conj(a(i, j));
    return t;
}

// The Householder reflection I − 2·v·vᴴ / (vᴴv) of a random v: unitary and
// Hermitian, so Q·D·Q is Hermitian with the eigenvalues of the real D.
template <typename T>
Matrix<T> Reflection(std::int32_t n, std::mt19937_64& rng) {
    const Matrix<T> v = Random<T>(n, 1, rng);
    long double norm2 = 0;
    for (std::int32_t i = 0; i < n; ++i) norm2 += std::norm(std::complex<long double>(v(i, 0)));
    Matrix<T> q = Matrix<T>::Identity(n);
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t j = 0; j < n; ++j) q(i, j) -= static_cast<T>(2.0L / norm2) * v(i, 0) * Conj(v(j, 0));
    return q;
}

template <typename T>
Matrix<T> Diagonal(const std::vector<T>& d) {
    Matrix<T> m(static_cast<std::int32_t>(d.size()), static_cast<std::int32_t>(d.size()));
    for (std::size_t k = 0; k < d.size(); ++k) m(static_cast<std::int32_t>(k), static_cast<std::int32_t>(k)) = d[k];
    return m;
}

// ‖a − b‖_F / ‖b‖_F in long double (‖a − b‖_F when b is 0).
template <typename T>
double RelativeDifference(const Matrix<T>& a, const Matrix<T>& b) {
    long double diff = 0, size = 0;
    for (std::size_t k = 0; k < a.Size(); ++k) {
        diff += std::norm(std::complex<long double>(a.Data()[k]) - std::complex<long double>(b.Data()[k]));
        size += std::norm(std::complex<long double>(b.Data()[k]));
    }
    return static_cast<double>(size > 0 ? std::sqrt(diff / size) : std::sqrt(diff));
}

// The matrix built from rows of real numbers, as T.
template <typename T>
Matrix<T> FromRows(std::initializer_list<std::initializer_list<double>> rows) {
    const auto m = static_cast<std::int32_t>(rows.size());
    const auto n = m == 0 ? 0 : static_cast<std::int32_t>(rows.begin()->size());
    Matrix<T> a(m, n);
    std::int32_t i = 0;
    for (const auto& row : rows) {
        std::int32_t j = 0;
        for (double x : row) a(i, j++) = x;
        ++i;
    }
    return a;
}

// The text of the CalcError that `f` raises, "" when it raises none.
inline std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CalcError& e) {
        return e.what();
    }
    return "";
}

// Test parameters that run one case for double and for complex<double>.
enum class Element { Real, Complex };
inline const char* ElementName(Element e) { return e == Element::Real ? "real" : "complex"; }

// Calls f(double{}) or f(Complex{}), so a generic lambda sees the type.
template <typename F>
void WithElement(Element e, F&& f) {
    if (e == Element::Real)
        f(double{});
    else
        f(Complex{});
}

#ifdef QUORVIX_HAVE_EIGEN
template <typename T>
using EigenMatrix = Eigen::Matrix<T, Eigen::Dynamic, Eigen::Dynamic>;

template <typename T>
EigenMatrix<T> ToEigen(const Matrix<T>& m) {
    return Eigen::Map<const EigenMatrix<T>>(m.Data(), m.Rows(), m.Cols());
}

template <typename T>
Matrix<T> FromEigen(const EigenMatrix<T>& e) {
    Matrix<T> m(static_cast<std::int32_t>(e.rows()), static_cast<std::int32_t>(e.cols()));
    Eigen::Map<EigenMatrix<T>>(m.Data(), e.rows(), e.cols()) = e;
    return m;
}

// A random unitary (orthogonal when T is real) n x n matrix from a QR
// factorization of a random matrix.
template <typename T>
EigenMatrix<T> RandomUnitary(std::int32_t n, std::mt19937_64& rng) {
    const EigenMatrix<T> m = ToEigen(Random<T>(n, n, rng));
    Eigen::HouseholderQR<EigenMatrix<T>> qr(m);
    return qr.householderQ() * EigenMatrix<T>::Identity(n, n);
}
#endif

}  // namespace quorvix::linalg::test
