// The two inverses: Gauss-Jordan on split double arrays (MatInverse) and the
// Scalar LU inverse (MatLUDecompose, MatLUSolveColumn, MatInvertLU).
#include <gtest/gtest.h>

#include <cmath>

#include "core/mat_test_util.h"

namespace quorvix {
namespace {

using namespace mattest;

// Splits a matrix into the real and imaginary arrays MatInverse takes.
bool InverseOf(const RCOMat& a, RCOMat& inv) {
    const auto n = static_cast<std::int32_t>(a.size());
    RCoVecD re(static_cast<std::size_t>(n) * n), im(static_cast<std::size_t>(n) * n);
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t j = 0; j < n; ++j) {
            re[i * n + j] = RealPart(a[i][j]);
            im[i * n + j] = ImagPart(a[i][j]);
        }
    return MatInverse(n, re, im, inv);
}

// ---- MatInverse -----------------------------------------------------------

TEST(MatInverse, PurelyImaginaryDiagonal) {
    RCOMat inv;
    ASSERT_FALSE(InverseOf(ScalarRows({{C(0, 1), C(0)}, {C(0), C(0, 1)}}), inv));
    EXPECT_TRUE(MatrixNear(inv, {{0, 0}, {0, 0}}, 0.0, {{-1, 0}, {0, -1}}));
}

TEST(MatInverse, SingularityThreshold) {
    RCOMat inv = RealRows({{7}});
    EXPECT_TRUE(InverseOf(ComplexRows({{1e-10}}), inv));  // squared modulus 1e-20 <= 2^-64
    ASSERT_EQ(inv.size(), 1u);                            // sized, but holds no inverse
    EXPECT_TRUE(inv[0][0].IsEmpty());
    ASSERT_FALSE(InverseOf(ComplexRows({{1e-9}}), inv));
    EXPECT_NEAR(RealPart(inv[0][0]), 1e9, 1e-6);
    ASSERT_FALSE(InverseOf(ComplexRows({{0.0000001}}), inv));
    EXPECT_NEAR(RealPart(inv[0][0]), 1e7, 1e-8);
}

TEST(MatInverse, ExactlyTwoToTheMinusSixtyFourIsSingular) {
    RCoVecD re{std::ldexp(1.0, -32)}, im{0.0};
    RCOMat inv;
    EXPECT_TRUE(MatInverse(1, re, im, inv));
    RCoVecD re2{std::nextafter(std::ldexp(1.0, -32), 1.0)}, im2{0.0};
    EXPECT_FALSE(MatInverse(1, re2, im2, inv));
}

TEST(MatInverse, ExchangesAreUndone) {
    RCOMat inv;
    ASSERT_FALSE(InverseOf(ComplexRows({{0, 1}, {1, 0}}), inv));
    EXPECT_TRUE(MatrixNear(inv, {{0, 1}, {1, 0}}));
    ASSERT_FALSE(InverseOf(ComplexRows({{0, 0, 2}, {0, 4, 0}, {8, 0, 0}}), inv));
    EXPECT_TRUE(MatrixNear(inv, {{0, 0, 0.125}, {0, 0.25, 0}, {0.5, 0, 0}}));
    ASSERT_FALSE(InverseOf(ComplexRows({{1, 2}, {3, 4}}), inv));
    EXPECT_TRUE(MatrixNear(inv, {{-2, 1}, {1.5, -0.5}}, 1e-15));
}

TEST(MatInverse, TiesKeepTheFirstPivot) {
    RCOMat inv;
    ASSERT_FALSE(InverseOf(ComplexRows({{1, -1}, {1, 1}}), inv));
    EXPECT_TRUE(MatrixNear(inv, {{0.5, 0.5}, {-0.5, 0.5}}));
}

TEST(MatInverse, ResultsAreComplexEvenForRealInput) {
    RCOMat inv;
    ASSERT_FALSE(InverseOf(RealRows({{2}}), inv));
    ASSERT_TRUE(IsComplex(inv[0][0]));
    EXPECT_TRUE(ValueIs(inv[0][0], 0.5, 0));
}

TEST(MatInverse, ComplexTwoByTwo) {
    // [[1, i], [i, 2]]^-1 = 1/3 [[2, -i], [-i, 1]]  (det = 2 - i^2 = 3)
    RCOMat inv;
    ASSERT_FALSE(InverseOf(ScalarRows({{C(1), C(0, 1)}, {C(0, 1), C(2)}}), inv));
    EXPECT_TRUE(MatrixNear(inv, {{2.0 / 3, 0}, {0, 1.0 / 3}}, 1e-15, {{0, -1.0 / 3}, {-1.0 / 3, 0}}));
}

TEST(MatInverse, SingularMatrices) {
    RCOMat inv;
    EXPECT_TRUE(InverseOf(ComplexRows({{0, 0}, {0, 0}}), inv));
    EXPECT_EQ(inv.size(), 2u);
    EXPECT_TRUE(InverseOf(ComplexRows({{1, 2}, {2, 4}}), inv));
    EXPECT_TRUE(InverseOf(ComplexRows({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}), inv));
}

TEST(MatInverse, EmptyGivesAnEmptyInverse) {
    RCoVecD re, im;
    RCOMat inv = RealRows({{1}});
    EXPECT_FALSE(MatInverse(0, re, im, inv));
    EXPECT_TRUE(inv.empty());
}

TEST(MatInverse, ShortArraysAreRefusedNotRead) {
    RCoVecD re{1.0}, im{0.0};
    RCOMat inv;
    EXPECT_TRUE(MatInverse(2, re, im, inv));
}

TEST(MatInverse, OverflowIsAnErrorNotInfinity) {
    // The squared modulus of 1e200 does not fit a double.
    EXPECT_EQ(ErrorOf([] {
                  RCOMat inv;
                  (void)InverseOf(ComplexRows({{1e200}}), inv);
              }),
              "Floating point overflow");
}

TEST(MatInverse, LargeScaleAndTheFlushOfTheResult) {
    RCOMat inv;
    ASSERT_FALSE(InverseOf(ComplexRows({{1e11, 0}, {0, 4e11}}), inv));
    EXPECT_NEAR(RealPart(inv[0][0]), 1e-11, 1e-26);
    EXPECT_NEAR(RealPart(inv[1][1]), 2.5e-12, 1e-27);
    // The results are complex Scalars, so parts of at most 1e-12 are stored as 0.
    ASSERT_FALSE(InverseOf(ComplexRows({{1e150}}), inv));
    EXPECT_TRUE(ValueIs(inv[0][0], 0, 0));
}

// ---- MatLUDecompose, MatLUSolveColumn, MatInvertLU ------------------------

TEST(MatLUDecompose, TiesKeepTheFirstPivot) {
    RCOMat a = ComplexRows({{1, -1}, {1, 1}});
    RCoVecE rowPerm, colPerm;
    EXPECT_EQ(MatLUDecompose(2, a, rowPerm, colPerm), MatStatus::Ok);
    EXPECT_EQ(rowPerm, (RCoVecE{0, 1}));
    EXPECT_EQ(colPerm, (RCoVecE{0, 1}));
    // U = [[1, -1], [0, 2]], M = [[1, 0], [-1, 1]]
    EXPECT_TRUE(MatrixNear(a, {{1, -1}, {-1, 2}}));
}

TEST(MatLUDecompose, ColumnExchangeBeforeRowExchange) {
    RCOMat a = ComplexRows({{1, 2}, {3, 4}});
    RCoVecE rowPerm, colPerm;
    EXPECT_EQ(MatLUDecompose(2, a, rowPerm, colPerm), MatStatus::Ok);
    EXPECT_EQ(rowPerm, (RCoVecE{1, 0}));
    EXPECT_EQ(colPerm, (RCoVecE{1, 0}));
    // Pivoted [[4, 3], [2, 1]]: U = [[4, 3], [0, -0.5]], multiplier -0.5 below.
    EXPECT_TRUE(MatrixNear(a, {{4, 3}, {-0.5, -0.5}}));
}

TEST(MatLUDecompose, ZeroBlockIsSingular) {
    RCOMat a = ComplexRows({{1, 2}, {2, 4}});
    RCoVecE rowPerm, colPerm;
    EXPECT_EQ(MatLUDecompose(2, a, rowPerm, colPerm), MatStatus::Singular);  // the final diagonal test
    RCOMat z = ComplexRows({{0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
    EXPECT_EQ(MatLUDecompose(3, z, rowPerm, colPerm), MatStatus::Singular);  // the first pivot search
}

TEST(MatLUDecompose, EmptyIsSafe) {
    RCOMat a;
    RCoVecE rowPerm{5}, colPerm{5};
    EXPECT_EQ(MatLUDecompose(0, a, rowPerm, colPerm), MatStatus::Ok);
    EXPECT_TRUE(rowPerm.empty());
    EXPECT_TRUE(colPerm.empty());
}

TEST(MatLUSolveColumn, SolvesIntoAnotherOrTheSameVector) {
    RCOMat a = ComplexRows({{2, 1}, {1, 3}});
    RCoVecE rowPerm, colPerm;
    ASSERT_EQ(MatLUDecompose(2, a, rowPerm, colPerm), MatStatus::Ok);
    RCOVec b{C(3), C(5)};  // x = (0.8, 1.4)
    RCOVec x;
    MatLUSolveColumn(a, 2, b, rowPerm, colPerm, x);
    ASSERT_EQ(x.size(), 2u);
    EXPECT_NEAR(RealPart(x[0]), 0.8, 1e-15);
    EXPECT_NEAR(RealPart(x[1]), 1.4, 1e-15);
    // The same vector as right-hand side and solution.
    MatLUSolveColumn(a, 2, b, rowPerm, colPerm, b);
    EXPECT_NEAR(RealPart(b[0]), 0.8, 1e-15);
    EXPECT_NEAR(RealPart(b[1]), 1.4, 1e-15);
}

TEST(MatInvertLU, OneByOne) {
    RCOMat a = ComplexRows({{5}});
    RCOMat inv;
    EXPECT_EQ(MatInvertLU(a, inv), MatStatus::Ok);
    EXPECT_TRUE(MatrixNear(inv, {{0.2}}));
}

TEST(MatInvertLU, ZeroOneByOneIsSingularByTheDiagonalTest) {
    RCOMat a = ComplexRows({{0}});
    RCOMat inv = RealRows({{42}});
    EXPECT_EQ(MatInvertLU(a, inv), MatStatus::Singular);
    EXPECT_TRUE(MatrixNear(inv, {{42}}));
}

TEST(MatInvertLU, NotSquareSetsFourAndLeavesOutput) {
    RCOMat a = ComplexRows({{1, 2, 3}, {4, 5, 6}});
    RCOMat inv = RealRows({{42}});
    EXPECT_EQ(MatInvertLU(a, inv), MatStatus::Dimensions);
    EXPECT_TRUE(MatrixNear(inv, {{42}}));
}

TEST(MatInvertLU, NoRowsSetsFive) {
    RCOMat a;
    RCOMat inv = RealRows({{42}});
    EXPECT_EQ(MatInvertLU(a, inv), MatStatus::Empty);
    EXPECT_TRUE(MatrixNear(inv, {{42}}));
}

TEST(MatInvertLU, SingularLeavesOutput) {
    RCOMat a = ComplexRows({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    RCOMat inv = RealRows({{42}});
    EXPECT_EQ(MatInvertLU(a, inv), MatStatus::Singular);
    EXPECT_TRUE(MatrixNear(inv, {{42}}));
}

TEST(MatInvertLU, PurelyImaginaryDiagonal) {
    RCOMat a = ScalarRows({{C(0, 1), C(0)}, {C(0), C(0, 1)}});
    RCOMat inv;
    EXPECT_EQ(MatInvertLU(a, inv), MatStatus::Ok);
    EXPECT_TRUE(MatrixNear(inv, {{0, 0}, {0, 0}}, 0.0, {{-1, 0}, {0, -1}}));
}

TEST(MatInvertLU, TinyComplexPivotRaisesTheDivisionError) {
    RCOMat a = ComplexRows({{0.0000001}});
    RCOMat inv = RealRows({{42}});
    EXPECT_EQ(ErrorOf([&] { MatInvertLU(a, inv); }), "Division by zero");
    EXPECT_TRUE(MatrixNear(inv, {{42}}));  // a failed column leaves the output alone
}

TEST(MatInvertLU, ExchangesAreUndone) {
    RCOMat a = ComplexRows({{0, 1}, {1, 0}});
    RCOMat inv;
    EXPECT_EQ(MatInvertLU(a, inv), MatStatus::Ok);
    EXPECT_TRUE(MatrixNear(inv, {{0, 1}, {1, 0}}));
    RCOMat b = ComplexRows({{1, 2}, {3, 4}});
    MatInvertLU(b, inv);
    EXPECT_TRUE(MatrixNear(inv, {{-2, 1}, {1.5, -0.5}}, 1e-15));
}

TEST(MatInvertLU, RealScalarsStayReal) {
    RCOMat a = RealRows({{4, 7}, {2, 6}});
    RCOMat inv;
    ASSERT_EQ(MatInvertLU(a, inv), MatStatus::Ok);
    EXPECT_FALSE(IsComplex(inv[0][0]));
    EXPECT_TRUE(MatrixNear(inv, {{0.6, -0.7}, {-0.2, 0.4}}, 1e-15));
}

}  // namespace
}  // namespace quorvix
