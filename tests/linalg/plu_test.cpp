// PLU: the factors' shapes and structure (L unit lower trapezoidal, U upper
// trapezoidal, P a permutation matrix) for square, tall and wide matrices,
// the reconstruction P·A = L·U checked in long double, the pivoting itself
// (|L| at most 1), the permutation of a known case, and a zero pivot kept
// without an error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <type_traits>

#include "linalg/norms.h"
#include "linalg/plu.h"
#include "linalg/residuals.h"
#include "linalg_test_util.h"

namespace quorvix::linalg {
namespace {

using namespace test;

constexpr double kPLUBound = 10.0;  // PLUResidual / (max(m, n)·eps); 200 seeds gave at most 0.4

template <typename T>
::testing::AssertionResult HasTheFactorsStructure(const PLUResult<T>& f, std::int32_t m, std::int32_t n) {
    const std::int32_t r = std::min(m, n);
    if (f.L.Rows() != m || f.L.Cols() != r || f.U.Rows() != r || f.U.Cols() != n || f.P.Rows() != m || f.P.Cols() != m)
        return ::testing::AssertionFailure() << "factor shapes";
    for (std::int32_t i = 0; i < m; ++i)
        for (std::int32_t j = 0; j < r; ++j) {
            if (i == j && f.L(i, j) != T{1}) return ::testing::AssertionFailure() << "L(" << i << "," << i << ") != 1";
            if (i < j && f.L(i, j) != T{0}) return ::testing::AssertionFailure() << "L above the diagonal";
            // Partial pivoting bounds every multiplier by 1; complex pivots
            // are chosen by |re| + |im| (LAPACK's choice), which bounds the
            // modulus by √2.
            const double bound = std::is_same_v<T, double> ? 1.0 : std::sqrt(2.0) * (1 + kEps);
            if (std::abs(f.L(i, j)) > bound) return ::testing::AssertionFailure() << "|L(i, j)| > " << bound;
        }
    for (std::int32_t i = 0; i < r; ++i)
        for (std::int32_t j = 0; j < i; ++j)
            if (f.U(i, j) != T{0}) return ::testing::AssertionFailure() << "U below the diagonal";
    // One 1 in every row and column, zeros elsewhere.
    for (std::int32_t i = 0; i < m; ++i) {
        int rowOnes = 0, colOnes = 0;
        for (std::int32_t j = 0; j < m; ++j) {
            if (f.P(i, j) != T{0} && f.P(i, j) != T{1}) return ::testing::AssertionFailure() << "P holds other values";
            rowOnes += f.P(i, j) == T{1};
            colOnes += f.P(j, i) == T{1};
        }
        if (rowOnes != 1 || colOnes != 1) return ::testing::AssertionFailure() << "P is no permutation";
    }
    return ::testing::AssertionSuccess();
}

struct Shape {
    int rows, cols;
};

class PLURandom : public ::testing::TestWithParam<std::tuple<Shape, Element>> {};

TEST_P(PLURandom, FactorsHaveTheirStructureAndRebuildPA) {
    const Shape s = std::get<0>(GetParam());
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(300 + 100 * s.rows + s.cols));
        for (int trial = 0; trial < 3; ++trial) {
            const Matrix<T> a = Random<T>(s.rows, s.cols, rng);
            const PLUResult<T> f = PLU(a);
            ASSERT_TRUE(HasTheFactorsStructure(f, s.rows, s.cols));
            const double scale = std::max(s.rows, s.cols) * kEps;
            EXPECT_LT(PLUResidual(a, f.P, f.L, f.U) / scale, kPLUBound);
            // The same residual from the tests' own products.
            EXPECT_LT(RelativeDifference(Product(f.L, f.U), Product(f.P, a)) / scale, kPLUBound);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Shapes, PLURandom,
                         ::testing::Combine(::testing::Values(Shape{1, 1}, Shape{2, 2}, Shape{3, 3}, Shape{5, 5},
                                                              Shape{10, 10}, Shape{50, 50}, Shape{5, 2}, Shape{2, 5},
                                                              Shape{1, 4}, Shape{4, 1}, Shape{50, 10}, Shape{10, 50}),
                                            ::testing::Values(Element::Real, Element::Complex)),
                         [](const auto& info) {
                             const Shape s = std::get<0>(info.param);
                             return std::to_string(s.rows) + "x" + std::to_string(s.cols) + "_" +
                                    ElementName(std::get<1>(info.param));
                         });

TEST(PLUKnown, PivotsOnTheLargestEntryOfEachColumn) {
    // Column 0's largest entry is in row 2, then row 0's 1 - (1/4)·4 = 0
    // against row 1's 3 - (2/4)·4 = 1 chooses row 1.
    const RealMatrix a = FromRows<double>({{1, 1, 0}, {2, 3, 1}, {4, 4, 2}});
    const PLUResult<double> f = PLU(a);
    EXPECT_EQ(f.P, FromRows<double>({{0, 0, 1}, {0, 1, 0}, {1, 0, 0}}));
    EXPECT_EQ(f.L, FromRows<double>({{1, 0, 0}, {0.5, 1, 0}, {0.25, 0, 1}}));
    EXPECT_EQ(f.U, FromRows<double>({{4, 4, 2}, {0, 1, 0}, {0, 0, -0.5}}));
}

TEST(PLUKnown, AZeroPivotIsKeptOnUsDiagonal) {
    const ComplexMatrix a = ToComplex(FromRows<double>({{1, 2, 3}, {2, 4, 6}, {1, 0, 1}}));
    const PLUResult<Complex> f = PLU(a);
    ASSERT_TRUE(HasTheFactorsStructure(f, 3, 3));
    EXPECT_EQ(f.U(2, 2), Complex(0));
    EXPECT_EQ(PLUResidual(a, f.P, f.L, f.U), 0.0);  // exact in this case
}

TEST(PLUKnown, EmptyMatricesGiveEmptyFactorsAndAnIdentityP) {
    const PLUResult<double> wide = PLU(RealMatrix(0, 3));
    EXPECT_TRUE(HasTheFactorsStructure(wide, 0, 3));
    const PLUResult<double> tall = PLU(RealMatrix(3, 0));
    EXPECT_TRUE(HasTheFactorsStructure(tall, 3, 0));
    EXPECT_EQ(tall.P, RealMatrix::Identity(3));
}

}  // namespace
}  // namespace quorvix::linalg
