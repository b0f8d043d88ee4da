// LUFactor, RCond1, Determinant and Inverse: determinants of triangular
// and permutation matrices, determinants far beyond the double's range kept
// exactly in mantissa and exponent, the 2 x 2 inverse formula, the
// condition of diagonal matrices, exact singularity, and random matrices
// against Eigen's determinant and the residual ‖A·X − I‖₁ / (n·‖A‖₁·‖X‖₁·eps).
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "linalg/determinant.h"
#include "linalg/inverse.h"
#include "linalg/lu_factor.h"
#include "linalg/norms.h"
#include "linalg_test_util.h"

namespace quorvix::linalg {
namespace {

using namespace test;

constexpr double kInverseBound = 30.0;  // 200 seeds gave at most 1.1

// The determinant as a long double (finite for the tests' sizes).
template <typename T>
std::complex<long double> Value(const DeterminantResult<T>& d) {
    const std::complex<long double> m(d.Mantissa);
    return m * std::ldexp(1.0L, static_cast<int>(d.Exponent));
}

struct DetCase {
    const char* name;
    RealMatrix a;
    double det;
};

std::vector<DetCase> DetCases() {
    return {
        {"upper triangular", FromRows<double>({{2, 7, -1}, {0, -3, 4}, {0, 0, 0.5}}), -3},
        {"odd permutation", FromRows<double>({{0, 1, 0}, {1, 0, 0}, {0, 0, 1}}), -1},
        {"even permutation", FromRows<double>({{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}), 1},
        {"2 x 2", FromRows<double>({{3, 8}, {4, 6}}), -14},
        {"1 x 1", FromRows<double>({{-0.75}}), -0.75},
        {"singular", FromRows<double>({{1, 2}, {2, 4}}), 0},
        {"empty", RealMatrix(0, 0), 1},
    };
}

class DeterminantKnown : public ::testing::TestWithParam<std::size_t> {};

TEST_P(DeterminantKnown, IsTheKnownValueWithANormalizedMantissa) {
    const DetCase c = DetCases()[GetParam()];
    const DeterminantResult<double> d = Determinant(c.a);
    EXPECT_NEAR(static_cast<double>(Value(d).real()), c.det, 4 * kEps * std::fabs(c.det)) << c.name;
    if (c.det == 0) {
        EXPECT_EQ(d.Mantissa, 0.0);
        EXPECT_EQ(d.RCond, 0.0);
    } else {
        EXPECT_GE(std::fabs(d.Mantissa), 0.5) << c.name;
        EXPECT_LT(std::fabs(d.Mantissa), 1.0) << c.name;
    }
    // A complex copy times i on its first row: the determinant times i.
    if (c.a.Rows() > 0) {
        ComplexMatrix z = ToComplex(c.a);
        for (std::int32_t j = 0; j < z.Cols(); ++j) z(0, j) *= Complex(0, 1);
        const std::complex<long double> v = Value(Determinant(z));
        EXPECT_NEAR(static_cast<double>(v.real()), 0.0, 4 * kEps * std::fabs(c.det)) << c.name;
        EXPECT_NEAR(static_cast<double>(v.imag()), c.det, 4 * kEps * std::fabs(c.det)) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DeterminantKnown, ::testing::Range<std::size_t>(0, 7), [](const auto& info) {
    std::string name = DetCases()[info.param].name;
    for (char& ch : name)
        if (ch == ' ') ch = '_';
    return name;
});

TEST(DeterminantRange, FarBeyondTheDoublesRangeIsKeptInTheExponent) {
    // diag(3 · 2^1000, 2^1000, ..., 2^1000) of order 10 has the determinant
    // 3 · 2^10000, diag(2^-1002, 2^-1000, ..., 2^-1000) has 2^-10002; both
    // are exact in mantissa and exponent.
    std::vector<double> big(10, std::ldexp(1.0, 1000)), small(10, std::ldexp(1.0, -1000));
    big[0] *= 3;
    small[0] /= 4;
    const DeterminantResult<double> d = Determinant(Diagonal(big));
    EXPECT_EQ(d.Mantissa, 0.75);
    EXPECT_EQ(d.Exponent, 10002);
    const DeterminantResult<Complex> e = Determinant(ToComplex(Diagonal(small)));
    EXPECT_EQ(e.Mantissa, Complex(0.5));
    EXPECT_EQ(e.Exponent, -10000 - 2 + 1);
}

class InverseRandom : public ::testing::TestWithParam<std::tuple<int, Element>> {};

TEST_P(InverseRandom, ResidualIsSmallAndTheDeterminantAgreesWithEigen) {
    const int n = std::get<0>(GetParam());
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(1100 + n));
        for (int trial = 0; trial < 5; ++trial) {
            const Matrix<T> a = Random<T>(n, n, rng);
            const InverseResult<T> inv = Inverse(a);
            ASSERT_FALSE(inv.Singular);
            Matrix<T> r = Product(a, inv.X);
            for (std::int32_t i = 0; i < n; ++i) r(i, i) -= T{1};
            EXPECT_LT(OneNorm(r) / (n * OneNorm(a) * OneNorm(inv.X) * kEps), kInverseBound) << "trial " << trial;
            // gecon estimates 1 / (‖A‖₁·‖A⁻¹‖₁) within a factor of a few.
            const double exact = 1 / (OneNorm(a) * OneNorm(inv.X));
            EXPECT_GT(inv.RCond, exact / 10) << "trial " << trial;
            EXPECT_LT(inv.RCond, exact * 10) << "trial " << trial;
            EXPECT_EQ(RCond1(a), inv.RCond);
#ifdef QUORVIX_HAVE_EIGEN
            const Complex expected = ToEigen(ToComplex(a)).determinant();
            const std::complex<long double> got = Value(Determinant(a));
            EXPECT_LT(std::abs(Complex(got) - expected), 1e3 * n * kEps * std::abs(expected) / inv.RCond)
                << "trial " << trial;
#endif
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Sizes, InverseRandom,
                         ::testing::Combine(::testing::Values(1, 2, 3, 5, 10, 50),
                                            ::testing::Values(Element::Real, Element::Complex)),
                         [](const auto& info) {
                             return std::to_string(std::get<0>(info.param)) + "_" +
                                    ElementName(std::get<1>(info.param));
                         });

TEST(InverseKnown, OfATwoByTwoMatrixIsTheAdjugateOverTheDeterminant) {
    const InverseResult<double> r = Inverse(FromRows<double>({{4, 7}, {2, 6}}));
    EXPECT_LT(RelativeDifference(r.X, FromRows<double>({{0.6, -0.7}, {-0.2, 0.4}})), 4 * kEps);
}

TEST(InverseKnown, ASingularMatrixHasNoInverse) {
    const InverseResult<Complex> r = Inverse(ComplexMatrix(2, 2));
    EXPECT_TRUE(r.Singular);
    EXPECT_EQ(r.RCond, 0.0);
    EXPECT_TRUE(r.X.Empty());
}

TEST(LUFactorKnown, RCondOfADiagonalMatrixIsTheRatioOfItsExtremeEntries) {
    EXPECT_DOUBLE_EQ(RCond1(Diagonal<double>({1e-3, 2, -5})), 1e-3 / 5);
    EXPECT_EQ(RCond1(RealMatrix::Identity(4)), 1.0);
    EXPECT_EQ(RCond1(RealMatrix(0, 0)), 1.0);
}

TEST(LUFactorKnown, PivotsAndPackedFactorsRebuildA) {
    const RealMatrix a = FromRows<double>({{1, 2}, {3, 4}});
    const LUFactors<double> f = LUFactor(a);
    EXPECT_FALSE(f.Singular);
    EXPECT_EQ(f.Pivots, (std::vector<std::int32_t>{2, 2}));
    // Rows swapped: [3 4; 1 2] = [1 0; 1/3 1]·[3 4; 0 2/3].
    EXPECT_EQ(f.LU(0, 0), 3.0);
    EXPECT_EQ(f.LU(0, 1), 4.0);
    EXPECT_DOUBLE_EQ(f.LU(1, 0), 1.0 / 3);
    EXPECT_DOUBLE_EQ(f.LU(1, 1), 2.0 / 3);
}

}  // namespace
}  // namespace quorvix::linalg
