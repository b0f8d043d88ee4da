// Expm: closed forms on every branch of the degree choice (a rotation
// generator at norms from 0.01 to 100, which pass θ3, θ5, θ7, θ9 and θ13
// with and without squaring), a nilpotent matrix (a finite series), diagonal
// matrices, 1 x 1 against std::exp, exp(A)·exp(−A) = I, and Eigen's matrix
// exponential as the second opinion on random matrices.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <type_traits>
#include <vector>

#include "core/kernel/fpu.h"
#include "linalg/expm.h"
#include "linalg/norms.h"
#include "linalg_test_util.h"

#ifdef QUORVIX_HAVE_EIGEN
#include <unsupported/Eigen/MatrixFunctions>
#endif

namespace quorvix::linalg {
namespace {

using namespace test;

class ExpmRotation : public ::testing::TestWithParam<double> {};

TEST_P(ExpmRotation, OfTheGeneratorIsTheRotation) {
    // exp([[0, −t], [t, 0]]) = [[cos t, −sin t], [sin t, cos t]]; ‖A‖₁ = t.
    const double t = GetParam();
    const RealMatrix e = Expm(FromRows<double>({{0, -t}, {t, 0}}));
    const RealMatrix expected = FromRows<double>({{std::cos(t), -std::sin(t)}, {std::sin(t), std::cos(t)}});
    // Squaring s times multiplies the rounding by about 2^s ~ t / θ13.
    EXPECT_LT(RelativeDifference(e, expected), 20 * kEps * std::max(1.0, t)) << "t = " << t;
}

INSTANTIATE_TEST_SUITE_P(Norms, ExpmRotation, ::testing::Values(0.01, 0.2, 0.9, 2.0, 5.0, 10.0, 100.0),
                         [](const auto& info) {
                             std::string name = std::to_string(info.param);
                             for (char& ch : name)
                                 if (ch == '.') ch = '_';
                             return "t" + name;
                         });

class ExpmElement : public ::testing::TestWithParam<Element> {};

TEST_P(ExpmElement, OfANilpotentMatrixIsTheFiniteSeries) {
    WithElement(GetParam(), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(900));
        // Strictly upper triangular 4 x 4: N⁴ = 0, exp(N) = I + N + N²/2 + N³/6.
        Matrix<T> n = Random<T>(4, 4, rng);
        for (std::int32_t j = 0; j < 4; ++j)
            for (std::int32_t i = j; i < 4; ++i) n(i, j) = T{0};
        const Matrix<T> n2 = Product(n, n), n3 = Product(n2, n);
        Matrix<T> series = Matrix<T>::Identity(4);
        for (std::size_t k = 0; k < series.Size(); ++k)
            series.Data()[k] += n.Data()[k] + n2.Data()[k] / 2.0 + n3.Data()[k] / 6.0;
        EXPECT_LT(RelativeDifference(Expm(n), series), 100 * kEps);
    });
}

TEST_P(ExpmElement, OfADiagonalMatrixIsTheExponentialOfEachEntry) {
    WithElement(GetParam(), [&](auto t) {
        using T = decltype(t);
        std::vector<T> d = {T(-3), T(0), T(1), T(2.5), T(10)};
        if constexpr (std::is_same_v<T, Complex>) d[2] = Complex(1, 2), d[4] = Complex(10, -7);
        const Matrix<T> e = Expm(Diagonal(d));
        for (std::size_t k = 0; k < d.size(); ++k) {
            const auto kk = static_cast<std::int32_t>(k);
            const T expected = std::exp(d[k]);
            // ‖A‖₁ = 10 or so: two squarings after the [13/13] approximant.
            EXPECT_LT(std::abs(e(kk, kk) - expected), 50 * kEps * std::abs(expected)) << k;
        }
        for (std::int32_t i = 0; i < 5; ++i)
            for (std::int32_t j = 0; j < 5; ++j)
                if (i != j) {
                    EXPECT_EQ(e(i, j), T{0});
                }
    });
}

TEST_P(ExpmElement, OfOneByOneMatchesStdExp) {
    WithElement(GetParam(), [&](auto t) {
        using T = decltype(t);
        for (double x : {-700.0, -20.0, -1.0, 1e-300, 0.0, 0.01, 1.0, 3.0, 50.0, 700.0}) {
            T v{x};
            if constexpr (std::is_same_v<T, Complex>) v = Complex(x, 0.75 * x);
            const Matrix<T> e = Expm(Diagonal<T>({v}));
            const T expected = std::exp(v);
            // The relative accuracy falls with the number of squarings.
            EXPECT_LT(std::abs(e(0, 0) - expected), 20 * kEps * std::max(1.0, std::abs(v)) * std::abs(expected)) << x;
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Elements, ExpmElement, ::testing::Values(Element::Real, Element::Complex),
                         [](const auto& info) { return std::string(ElementName(info.param)); });

class ExpmRandom : public ::testing::TestWithParam<std::tuple<int, Element>> {};

TEST_P(ExpmRandom, TimesTheExponentialOfMinusAIsTheIdentity) {
    const int n = std::get<0>(GetParam());
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(1000 + n));
        for (double scale : {0.05, 1.0, 4.0}) {
            Matrix<T> a = Random<T>(n, n, rng);
            for (std::size_t k = 0; k < a.Size(); ++k) a.Data()[k] *= scale / std::sqrt(n);
            Matrix<T> minus = a;
            for (std::size_t k = 0; k < minus.Size(); ++k) minus.Data()[k] = -minus.Data()[k];
            const Matrix<T> e = Expm(a), f = Expm(minus);
            const double bound = 1e3 * n * kEps * FrobeniusNorm(e) * FrobeniusNorm(f);
            EXPECT_LT(RelativeDifference(Product(e, f), Matrix<T>::Identity(n)) * std::sqrt(n), bound)
                << "scale " << scale;
#ifdef QUORVIX_HAVE_EIGEN
            const Matrix<T> expected = FromEigen<T>(EigenMatrix<T>(ToEigen(a).exp()));
            EXPECT_LT(RelativeDifference(e, expected), 1e3 * n * kEps) << "scale " << scale;
#endif
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Sizes, ExpmRandom,
                         ::testing::Combine(::testing::Values(1, 2, 3, 5, 10, 50),
                                            ::testing::Values(Element::Real, Element::Complex)),
                         [](const auto& info) {
                             return std::to_string(std::get<0>(info.param)) + "_" +
                                    ElementName(std::get<1>(info.param));
                         });

TEST(ExpmRange, AnExponentialBeyondTheRangeOverflowsAndOneBelowItIsZero) {
    EXPECT_EQ(ErrorOf([] { Expm(Diagonal<double>({800, 1})); }), kOverflowMessage);
    const RealMatrix e = Expm(Diagonal<double>({-800, 0}));
    EXPECT_EQ(e(0, 0), 0.0);
    // Eight squarings multiply the approximant's rounding by up to 2^8.
    EXPECT_NEAR(e(1, 1), 1.0, 300 * kEps);
}

}  // namespace
}  // namespace quorvix::linalg
