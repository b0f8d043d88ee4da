// exp(A) by scaling and squaring: Algorithm 2.3 of N. J. Higham, "The
// scaling and squaring method for the matrix exponential revisited", SIAM J.
// Matrix Anal. Appl. 26(4), 2005, pp. 1179-1193. With ‖A‖₁ at most θ_m for
// m = 3, 5, 7 or 9 the [m/m] Padé approximant of A is taken; otherwise A is
// divided by 2^s so that its norm is at most θ13, the [13/13] approximant is
// taken and squared s times. The approximant r = (V − U)⁻¹(V + U), with U
// the odd and V the even part of its numerator, comes from one LU solve
// (getrf, getrs) of (−U + V)·X = (U + V); the products are gemm calls.
// No balancing (the paper's optional preprocessing is left out), no
// Schur-Parlett method, and no a-posteriori check of the squaring phase.
#include "linalg/expm.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <vector>

#include "core/cancel.h"
#include "linalg/checks.h"
#include "linalg/lapack_calls.h"
#include "linalg/norms.h"

namespace quorvix::linalg {
namespace {

// θ_m of the paper's Table 2.3 (double precision): the largest ‖A‖₁ for
// which the [m/m] approximant's backward error is at most 2^-53.
constexpr double kTheta3 = 1.495585217958292e-2;
constexpr double kTheta5 = 2.539398330063230e-1;
constexpr double kTheta7 = 9.504178996162932e-1;
constexpr double kTheta9 = 2.097847961257068e0;
constexpr double kTheta13 = 5.371920351148152e0;

// The coefficients b_0 ... b_m of the [m/m] Padé numerator.
constexpr std::array<double, 4> kPade3 = {120.0, 60.0, 12.0, 1.0};
constexpr std::array<double, 6> kPade5 = {30240.0, 15120.0, 3360.0, 420.0, 30.0, 1.0};
constexpr std::array<double, 8> kPade7 = {17297280.0, 8648640.0, 1995840.0, 277200.0, 25200.0, 1512.0, 56.0, 1.0};
constexpr std::array<double, 10> kPade9 = {17643225600.0, 8821612800.0, 2075673600.0, 302702400.0, 30270240.0,
                                           2162160.0,     110880.0,     3960.0,       90.0,        1.0};
constexpr std::array<double, 14> kPade13 = {64764752532480000.0,
                                            32382376266240000.0,
                                            7771770303897600.0,
                                            1187353796428800.0,
                                            129060195264000.0,
                                            10559470521600.0,
                                            670442572800.0,
                                            33522128640.0,
                                            1323241920.0,
                                            40840800.0,
                                            960960.0,
                                            16380.0,
                                            182.0,
                                            1.0};

double Scale(double x, int e) { return std::ldexp(x, e); }
Complex Scale(Complex z, int e) { return Complex(std::ldexp(z.real(), e), std::ldexp(z.imag(), e)); }

// The passes of one exponential: its products and its solve, each one step
// of the progress with its result checked for infinities, and its sums,
// which look at the cancel flag once per column.
template <typename T>
class Exponential {
public:
    Exponential(std::int32_t n, std::int64_t steps) : n_(n), steps_(steps) {}

    Matrix<T> Product(const Matrix<T>& x, const Matrix<T>& y) {
        Matrix<T> z(n_, n_);
        lapack::Gemm(lapack::Op::None, lapack::Op::None, n_, n_, n_, T{1}, x.Data(), n_, y.Data(), n_, T{0}, z.Data(),
                     n_);
        Done(z);
        return z;
    }

    // c_1 · terms[1] + c_2 · terms[2] + ... + identity · I, in that order.
    Matrix<T> Combination(std::span<const Matrix<T>* const> terms, std::span<const double> coefficients,
                          double identity) const {
        Matrix<T> s(n_, n_);
        for (std::int32_t j = 0; j < n_; ++j) {
            CheckCancelled();
            T* column = s.Column(j);
            for (std::size_t t = 0; t < terms.size(); ++t) {
                const T* x = terms[t]->Column(j);
                for (std::int32_t i = 0; i < n_; ++i) column[i] += coefficients[t] * x[i];
            }
            column[j] += identity;
        }
        return s;
    }

    // x += y.
    void Add(Matrix<T>& x, const Matrix<T>& y) const {
        for (std::int32_t j = 0; j < n_; ++j) {
            CheckCancelled();
            for (std::int32_t i = 0; i < n_; ++i) x(i, j) += y(i, j);
        }
    }

    // r = (−U + V)⁻¹ (U + V).
    Matrix<T> Quotient(const Matrix<T>& u, const Matrix<T>& v) {
        Matrix<T> p(n_, n_), q(n_, n_);
        for (std::int32_t j = 0; j < n_; ++j) {
            CheckCancelled();
            for (std::int32_t i = 0; i < n_; ++i) {
                p(i, j) = u(i, j) + v(i, j);
                q(i, j) = -u(i, j) + v(i, j);
            }
        }
        std::vector<std::int32_t> ipiv(static_cast<std::size_t>(n_));
        // q is singular only where the approximant has a pole, which the θ
        // bounds keep away; getrs would then give infinities, reported below.
        lapack::Getrf(n_, n_, q.Data(), n_, ipiv.data());
        lapack::Getrs(n_, n_, q.Data(), n_, ipiv.data(), p.Data(), n_);
        Done(p);
        return p;
    }

private:
    void Done(const Matrix<T>& result) {
        CheckFinite(result);
        steps_.Done();
    }

    std::int32_t n_;
    CallSteps steps_;
};

// U and V of the [m/m] approximant for m = 3, 5, 7, 9 from the even powers
// A², A⁴, ...: U = A·(b_m A^(m−1) + ... + b_1 I), V = b_(m−1) A^(m−1) + ... + b_0 I.
template <typename T, std::size_t Count>
Matrix<T> LowDegree(Exponential<T>& e, const Matrix<T>& a, const std::array<double, Count>& b) {
    constexpr std::size_t kPowers = Count / 2 - 1;  // A², ..., A^(m−1)
    std::vector<Matrix<T>> powers;
    powers.push_back(e.Product(a, a));
    for (std::size_t k = 1; k < kPowers; ++k) powers.push_back(e.Product(powers.back(), powers.front()));
    std::vector<const Matrix<T>*> terms;
    std::vector<double> odd, even;
    for (std::size_t k = 0; k < kPowers; ++k) {
        terms.push_back(&powers[k]);
        odd.push_back(b[2 * k + 3]);
        even.push_back(b[2 * k + 2]);
    }
    const Matrix<T> u = e.Product(a, e.Combination(terms, odd, b[1]));
    const Matrix<T> v = e.Combination(terms, even, b[0]);
    return e.Quotient(u, v);
}

// The [13/13] approximant from A², A⁴, A⁶ (the paper's (2.10)-(2.11)):
// U = A·[A⁶(b13 A⁶ + b11 A⁴ + b9 A²) + b7 A⁶ + b5 A⁴ + b3 A² + b1 I],
// V = A⁶(b12 A⁶ + b10 A⁴ + b8 A²) + b6 A⁶ + b4 A⁴ + b2 A² + b0 I.
template <typename T>
Matrix<T> Degree13(Exponential<T>& e, const Matrix<T>& a) {
    const auto& b = kPade13;
    const Matrix<T> a2 = e.Product(a, a);
    const Matrix<T> a4 = e.Product(a2, a2);
    const Matrix<T> a6 = e.Product(a2, a4);
    const std::array<const Matrix<T>*, 3> terms = {&a6, &a4, &a2};
    const std::array<double, 3> highOdd = {b[13], b[11], b[9]}, lowOdd = {b[7], b[5], b[3]};
    const std::array<double, 3> highEven = {b[12], b[10], b[8]}, lowEven = {b[6], b[4], b[2]};
    Matrix<T> inner = e.Product(a6, e.Combination(terms, highOdd, 0.0));
    const Matrix<T> lowU = e.Combination(terms, lowOdd, b[1]);
    e.Add(inner, lowU);
    const Matrix<T> u = e.Product(a, inner);
    Matrix<T> v = e.Product(a6, e.Combination(terms, highEven, 0.0));
    const Matrix<T> lowV = e.Combination(terms, lowEven, b[0]);
    e.Add(v, lowV);
    return e.Quotient(u, v);
}

// The products and the solve each degree needs (one step each).
constexpr std::int64_t LowDegreeSteps(std::size_t count) { return static_cast<std::int64_t>(count / 2 - 1) + 2; }
constexpr std::int64_t kDegree13Steps = 7;

}  // namespace

template <typename T>
Matrix<T> Expm(const Matrix<T>& a) {
    RequireShape(a.Rows() == a.Cols(), "Expm: A is not square");
    CheckFinite(a);
    const std::int32_t n = a.Rows();
    if (n == 0) return a;
    const long double norm = OneNormExtended(a);
    const auto lowDegree = [&](const auto& pade) {
        Exponential<T> e(n, LowDegreeSteps(pade.size()));
        return LowDegree(e, a, pade);
    };
    if (norm <= kTheta3) return lowDegree(kPade3);
    if (norm <= kTheta5) return lowDegree(kPade5);
    if (norm <= kTheta7) return lowDegree(kPade7);
    if (norm <= kTheta9) return lowDegree(kPade9);
    // s = max(0, ceil(log2(‖A‖₁ / θ13))); 2^-s·A is exact (a power of two)
    // unless entries fall below the double's normal range.
    const int s = std::max(0, static_cast<int>(std::ceil(std::log2(norm / kTheta13))));
    Exponential<T> e(n, kDegree13Steps + s);
    Matrix<T> scaled = a;
    for (std::int32_t j = 0; j < n; ++j) {
        CheckCancelled();
        for (std::int32_t i = 0; i < n; ++i) scaled(i, j) = Scale(scaled(i, j), -s);
    }
    Matrix<T> r = Degree13(e, scaled);
    for (int k = 0; k < s; ++k) r = e.Product(r, r);
    return r;
}

template RealMatrix Expm(const RealMatrix&);
template ComplexMatrix Expm(const ComplexMatrix&);

}  // namespace quorvix::linalg
