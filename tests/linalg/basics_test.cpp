// Multiply, ConjugateTranspose and the norms: products of every shape
// (empty inner dimension included) against the tests' long double product,
// the conjugate transpose of a complex matrix, and the three norms of known
// matrices, in long double where the double would overflow.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/kernel/fpu.h"
#include "linalg/conjugate_transpose.h"
#include "linalg/multiply.h"
#include "linalg/norms.h"
#include "linalg_test_util.h"

namespace quorvix::linalg {
namespace {

using namespace test;

struct ProductShape {
    int m, k, n;
};

class MultiplyShapes : public ::testing::TestWithParam<std::tuple<ProductShape, Element>> {};

TEST_P(MultiplyShapes, AgreesWithTheDefinition) {
    const ProductShape s = std::get<0>(GetParam());
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(1200 + 100 * s.m + 10 * s.k + s.n));
        const Matrix<T> a = Random<T>(s.m, s.k, rng), b = Random<T>(s.k, s.n, rng);
        const Matrix<T> c = Multiply(a, b);
        ASSERT_EQ(c.Rows(), s.m);
        ASSERT_EQ(c.Cols(), s.n);
        // Each entry is a sum of k products: within k·eps of the long
        // double sum, relative to ‖A‖·‖B‖.
        const Matrix<T> expected = Product(a, b);
        double worst = 0;
        for (std::size_t i = 0; i < c.Size(); ++i) worst = std::max(worst, std::abs(c.Data()[i] - expected.Data()[i]));
        if (s.k > 0 && !c.Empty()) {
            EXPECT_LT(worst / (FrobeniusNorm(a) * FrobeniusNorm(b) * s.k * kEps), 4.0);
        } else if (s.k == 0) {
            EXPECT_EQ(c, Matrix<T>(s.m, s.n));
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Shapes, MultiplyShapes,
                         ::testing::Combine(::testing::Values(ProductShape{1, 1, 1}, ProductShape{3, 5, 2},
                                                              ProductShape{50, 50, 50}, ProductShape{2, 0, 3},
                                                              ProductShape{0, 3, 2}, ProductShape{1, 40, 1}),
                                            ::testing::Values(Element::Real, Element::Complex)),
                         [](const auto& info) {
                             const ProductShape s = std::get<0>(info.param);
                             return std::to_string(s.m) + "x" + std::to_string(s.k) + "x" + std::to_string(s.n) + "_" +
                                    ElementName(std::get<1>(info.param));
                         });

TEST(ConjugateTransposeKnown, ConjugatesAndTransposes) {
    ComplexMatrix a(2, 3);
    a(0, 0) = Complex(1, 2);
    a(0, 2) = Complex(-3, 0.5);
    a(1, 1) = Complex(0, -4);
    const ComplexMatrix h = ConjugateTranspose(a);
    ASSERT_EQ(h.Rows(), 3);
    ASSERT_EQ(h.Cols(), 2);
    EXPECT_EQ(h(0, 0), Complex(1, -2));
    EXPECT_EQ(h(2, 0), Complex(-3, -0.5));
    EXPECT_EQ(h(1, 1), Complex(0, 4));
    EXPECT_EQ(h(0, 1), Complex(0));
    EXPECT_EQ(ConjugateTranspose(FromRows<double>({{1, 2, 3}})), FromRows<double>({{1}, {2}, {3}}));
    EXPECT_EQ(ConjugateTranspose(RealMatrix(0, 4)), RealMatrix(4, 0));
}

TEST(NormsKnown, OfSmallMatrices) {
    const RealMatrix a = FromRows<double>({{1, -2}, {3, 4}});
    EXPECT_EQ(OneNorm(a), 6.0);
    EXPECT_EQ(InfNorm(a), 7.0);
    EXPECT_DOUBLE_EQ(FrobeniusNorm(a), std::sqrt(30.0));
    // Complex entries count with their modulus.
    ComplexMatrix z(2, 1);
    z(0, 0) = Complex(3, 4);
    z(1, 0) = Complex(0, -12);
    EXPECT_EQ(OneNorm(z), 17.0);
    EXPECT_EQ(InfNorm(z), 12.0);
    EXPECT_EQ(FrobeniusNorm(z), 13.0);
    EXPECT_EQ(FrobeniusNorm(RealMatrix(0, 3)), 0.0);
}

TEST(NormsKnown, BeyondTheDoublesRangeOverflowOnlyAsDoubles) {
    const double big = std::numeric_limits<double>::max();
    const RealMatrix a = FromRows<double>({{big, big}});
    EXPECT_NEAR(static_cast<double>(FrobeniusNormExtended(a) / std::sqrt(2.0L) / big), 1.0, kEps);
    EXPECT_EQ(static_cast<double>(InfNormExtended(a) / big), 2.0);
    EXPECT_EQ(OneNorm(a), big);
    EXPECT_EQ(ErrorOf([&] { FrobeniusNorm(a); }), kOverflowMessage);
    EXPECT_EQ(ErrorOf([&] { InfNorm(a); }), kOverflowMessage);
    // The smallest subnormal squares far below the double's range, not to 0.
    const RealMatrix tiny = FromRows<double>({{std::numeric_limits<double>::denorm_min()}});
    EXPECT_EQ(FrobeniusNorm(tiny), std::numeric_limits<double>::denorm_min());
}

}  // namespace
}  // namespace quorvix::linalg
