// The routines on the singular values: SingularValues, Pinv, Cond,
// NullSpace, SvdRank and NumericRank. Closed forms (diagonal matrices,
// rank-one products, a rotation), rank-deficient products X·Yᵀ of known rank
// at several scales, the four Penrose conditions, the pseudo-inverse of a
// full-rank tall matrix as (AᴴA)⁻¹Aᴴ, and Eigen's singular values as the
// second opinion.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "linalg/cond.h"
#include "linalg/norms.h"
#include "linalg/null_space.h"
#include "linalg/pinv.h"
#include "linalg/rank.h"
#include "linalg/residuals.h"
#include "linalg/singular_values.h"
#include "linalg_test_util.h"

namespace quorvix::linalg {
namespace {

using namespace test;

constexpr double kPinvBound = 30.0;  // Penrose residuals / (max(m, n)·eps); 200 seeds gave at most 2.4

// A random m x n matrix of rank k, X·Yᴴ with standard normal factors,
// multiplied by `scale`.
template <typename T>
Matrix<T> OfRank(std::int32_t m, std::int32_t n, std::int32_t k, double scale, std::mt19937_64& rng) {
    Matrix<T> a = Product(Random<T>(m, k, rng), Adjoint(Random<T>(n, k, rng)));
    for (std::size_t i = 0; i < a.Size(); ++i) a.Data()[i] *= scale;
    return a;
}

template <typename T>
Matrix<T> Minus(Matrix<T> a, const Matrix<T>& b) {
    for (std::size_t i = 0; i < a.Size(); ++i) a.Data()[i] -= b.Data()[i];
    return a;
}

TEST(SingularValuesKnown, OfADiagonalMatrixAreItsModuliDescending) {
    const ComplexMatrix a = Diagonal<Complex>({Complex(0, -2), 5, Complex(-0.6, 0.8), 0});
    const std::vector<double> s = SingularValues(a);
    const std::vector<double> expected = {5, 2, 1, 0};
    ASSERT_EQ(s.size(), expected.size());
    for (std::size_t k = 0; k < s.size(); ++k) EXPECT_NEAR(s[k], expected[k], 4 * kEps * 5) << k;
}

TEST(SingularValuesKnown, OfARankOneProductIsTheProductOfTheNorms) {
    // u·vᵀ has the one singular value ‖u‖·‖v‖ = 3·5.
    const RealMatrix a = Product(FromRows<double>({{1}, {2}, {2}}), FromRows<double>({{3, 4}}));
    const std::vector<double> s = SingularValues(a);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_NEAR(s[0], 15, 4 * kEps * 15);
    EXPECT_LT(s[1], 4 * kEps * 15);
    EXPECT_EQ(SvdRank(a), 1);
    EXPECT_EQ(NumericRank(a), 1);
}

struct RankCase {
    int rows, cols, rank;
    double scale;
};

class RankDeficient : public ::testing::TestWithParam<std::tuple<RankCase, Element>> {};

TEST_P(RankDeficient, PinvNullSpaceAndRanksSeeTheRank) {
    const RankCase c = std::get<0>(GetParam());
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(600 + 1000 * c.rows + 10 * c.cols + c.rank));
        const Matrix<T> a = OfRank<T>(c.rows, c.cols, c.rank, c.scale, rng);
        const double scale = std::max(c.rows, c.cols) * kEps;

        EXPECT_EQ(SvdRank(a), c.rank);
        EXPECT_EQ(NumericRank(a), c.rank);

        const PinvResult<T> p = Pinv(a);
        EXPECT_EQ(p.Rank, c.rank);
        ASSERT_EQ(p.X.Rows(), c.cols);
        ASSERT_EQ(p.X.Cols(), c.rows);
        if (c.rank < std::min(c.rows, c.cols)) {
            EXPECT_LT(p.RCond, kEps);
        }
        // The Penrose conditions: A·X·A = A, X·A·X = X, A·X and X·A Hermitian;
        // the last three hold to about s1 / s_rank times eps.
        EXPECT_LT(PinvResidual(a, p.X) / scale, kPinvBound);
        const double condition = c.rank > 0 ? p.SingularValues[0] / p.SingularValues[c.rank - 1] : 1.0;
        const Matrix<T> ax = Product(a, p.X), xa = Product(p.X, a);
        EXPECT_LT(RelativeDifference(Product(xa, p.X), p.X) / (condition * scale), kPinvBound);
        EXPECT_LT(RelativeDifference(Adjoint(ax), ax) / (condition * scale), kPinvBound);
        EXPECT_LT(RelativeDifference(Adjoint(xa), xa) / (condition * scale), kPinvBound);

        // An orthonormal basis of dimension n − rank that A maps to ~0.
        const Matrix<T> basis = NullSpace(a);
        ASSERT_EQ(basis.Rows(), c.cols);
        ASSERT_EQ(basis.Cols(), c.cols - c.rank);
        if (basis.Cols() > 0) {
            EXPECT_LT(RelativeDifference(Product(Adjoint(basis), basis), Matrix<T>::Identity(basis.Cols())) / scale,
                      kPinvBound);
            if (c.rank > 0) {
                EXPECT_LT(FrobeniusNorm(Product(a, basis)) / (FrobeniusNorm(a) * scale), kPinvBound);
            }
        }
    });
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RankDeficient,
    ::testing::Combine(::testing::Values(RankCase{5, 5, 2, 1}, RankCase{10, 10, 9, 1}, RankCase{50, 50, 17, 1},
                                         RankCase{50, 10, 3, 1}, RankCase{10, 50, 7, 1}, RankCase{6, 4, 4, 1},
                                         RankCase{4, 6, 4, 1}, RankCase{8, 8, 3, 1e-200}, RankCase{8, 8, 3, 1e150},
                                         RankCase{3, 3, 0, 1}, RankCase{1, 1, 1, 1}, RankCase{1, 1, 0, 1}),
                       ::testing::Values(Element::Real, Element::Complex)),
    [](const auto& info) {
        const RankCase c = std::get<0>(info.param);
        std::string name = std::to_string(c.rows) + "x" + std::to_string(c.cols) + "_rank" + std::to_string(c.rank);
        if (c.scale != 1) name += c.scale < 1 ? "_tiny" : "_huge";
        return name + "_" + ElementName(std::get<1>(info.param));
    });

TEST(PinvKnown, OfADiagonalMatrixInvertsTheNonzeroEntries) {
    const RealMatrix a = FromRows<double>({{4, 0, 0}, {0, 0, 0}, {0, 0, -0.5}, {0, 0, 0}});
    const PinvResult<double> p = Pinv(a);
    EXPECT_LT(RelativeDifference(p.X, FromRows<double>({{0.25, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, -2, 0}})), 4 * kEps);
    EXPECT_EQ(p.Rank, 2);
    EXPECT_EQ(p.RCond, 0.0);
}

TEST(PinvKnown, OfARankOneProductIsTheConjugateOverTheSquaredNorms) {
    // pinv(u·vᴴ) = v·uᴴ / (‖u‖²·‖v‖²).
    const ComplexMatrix u = ToComplex(FromRows<double>({{1}, {0}, {2}}));
    ComplexMatrix v(2, 1);
    v(0, 0) = Complex(0, 1);
    v(1, 0) = Complex(1, 1);
    const ComplexMatrix a = Product(u, Adjoint(v));
    ComplexMatrix expected = Product(v, Adjoint(u));
    for (std::size_t k = 0; k < expected.Size(); ++k) expected.Data()[k] /= 5.0 * 3.0;
    EXPECT_LT(RelativeDifference(Pinv(a).X, expected), 10 * kEps);
}

#ifdef QUORVIX_HAVE_EIGEN
class PinvFullRank : public ::testing::TestWithParam<std::tuple<int, Element>> {};

TEST_P(PinvFullRank, OfATallMatrixIsTheNormalEquationsInverse) {
    const int n = std::get<0>(GetParam());
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(700 + n));
        const Matrix<T> a = Random<T>(2 * n, n, rng);
        const auto ae = ToEigen(a);
        const EigenMatrix<T> ata = ae.adjoint() * ae;
        const Matrix<T> expected = FromEigen<T>(ata.partialPivLu().solve(ae.adjoint()));
        const PinvResult<T> p = Pinv(a);
        EXPECT_EQ(p.Rank, n);
        // Both are accurate to about cond(A)² · eps (the normal equations'
        // side dominates); the condition of a random tall matrix is modest.
        EXPECT_LT(RelativeDifference(p.X, expected), 100 * n * kEps / (p.RCond * p.RCond));
        // And the singular values agree with Eigen's.
        const Eigen::JacobiSVD<EigenMatrix<T>> svd(ae);
        for (int k = 0; k < n; ++k)
            EXPECT_NEAR(p.SingularValues[static_cast<std::size_t>(k)], svd.singularValues()(k),
                        10 * n * kEps * p.SingularValues[0]);
    });
}

INSTANTIATE_TEST_SUITE_P(Sizes, PinvFullRank,
                         ::testing::Combine(::testing::Values(1, 2, 3, 5, 10, 50),
                                            ::testing::Values(Element::Real, Element::Complex)),
                         [](const auto& info) {
                             return std::to_string(std::get<0>(info.param)) + "_" +
                                    ElementName(std::get<1>(info.param));
                         });
#endif

struct CondCase {
    const char* name;
    RealMatrix a;
    double value;
    bool singular;
};

class CondKnown : public ::testing::TestWithParam<std::size_t> {};

std::vector<CondCase> CondCases() {
    const double c = std::cos(0.3), s = std::sin(0.3);
    // A rotation does not change the singular values of diag(4, 0.5).
    const RealMatrix rotated = Product(FromRows<double>({{c, -s}, {s, c}}), Diagonal<double>({4, 0.5}));
    return {{"diagonal", Diagonal<double>({4, -2, 0.5}), 8, false},
            {"rotated", rotated, 8, false},
            {"1 x 1", FromRows<double>({{-3}}), 1, false},
            {"singular", FromRows<double>({{1, 2}, {2, 4}}), 0, true},
            {"zero", RealMatrix(2, 3), 0, true},
            {"wide", FromRows<double>({{2, 0, 0}, {0, 1, 0}}), 2, false},
            {"empty", RealMatrix(0, 3), 0, false}};
}

TEST_P(CondKnown, IsTheRatioOfTheExtremeSingularValues) {
    const CondCase k = CondCases()[GetParam()];
    const CondResult r = Cond(k.a);
    // The rank-one matrix's second singular value may come out as a tiny
    // nonzero: "singular" then means a condition beyond 1/eps.
    if (k.singular) {
        EXPECT_TRUE(r.Singular || r.RCond < kEps) << k.name;
    } else {
        EXPECT_FALSE(r.Singular) << k.name;
        EXPECT_NEAR(r.Value, k.value, 8 * kEps * k.value) << k.name;
        if (k.value > 0) {
            EXPECT_NEAR(r.RCond, 1 / k.value, 8 * kEps / k.value) << k.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CondKnown, ::testing::Range<std::size_t>(0, 7), [](const auto& info) {
    std::string name = CondCases()[info.param].name;
    for (char& ch : name)
        if (ch == ' ') ch = '_';
    return name;
});

TEST(CondKnown, AZeroMatrixIsSingular) {
    const CondResult r = Cond(ComplexMatrix(3, 3));
    EXPECT_TRUE(r.Singular);
    EXPECT_EQ(r.Value, 0.0);
}

TEST(NullSpaceKnown, EdgeShapes) {
    // No rows: the whole space. No columns: nothing. Full column rank: n x 0.
    EXPECT_EQ(NullSpace(RealMatrix(0, 3)), RealMatrix::Identity(3));
    EXPECT_EQ(NullSpace(RealMatrix(2, 0)), RealMatrix(0, 0));
    EXPECT_EQ(NullSpace(FromRows<double>({{1, 2}, {3, 4}, {5, 7}})).Cols(), 0);
    // [1 1] has the null space spanned by (1, −1)/√2.
    const RealMatrix n = NullSpace(FromRows<double>({{1, 1}}));
    ASSERT_EQ(n.Cols(), 1);
    EXPECT_NEAR(std::fabs(n(0, 0)), std::sqrt(0.5), 2 * kEps);
    EXPECT_NEAR(n(0, 0) + n(1, 0), 0.0, 2 * kEps);
}

}  // namespace
}  // namespace quorvix::linalg
