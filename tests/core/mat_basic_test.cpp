// The container routines: size, product, trace and scaling, with the library
// status each leaves behind.
#include <gtest/gtest.h>

#include "core/mat_test_util.h"

namespace quorvix {
namespace {

using namespace mattest;

TEST(MatSize, EmptyMatrixHasNoSizeAndStatusFive) {
    RCOMat empty;
    std::int32_t rows = -1, cols = -1;
    EXPECT_EQ(MatSize(empty, rows, cols), MatStatus::Empty);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(cols, 0);
}

TEST(MatSize, MeasuresRowsAndRowZero) {
    RCOMat m;
    SizeMatrix(m, 2, 3);
    std::int32_t rows = 0, cols = 0;
    EXPECT_EQ(MatSize(m, rows, cols), MatStatus::Ok);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(cols, 3);
}

TEST(SizeMatrix, EveryElementEmpty) {
    RCOMat m = RealRows({{1, 2}, {3, 4}});
    SizeMatrix(m, 3, 1);
    ASSERT_EQ(m.size(), 3u);
    for (const RCOVec& row : m) {
        ASSERT_EQ(row.size(), 1u);
        EXPECT_TRUE(row[0].IsEmpty());
    }
    SizeMatrix(m, 0, 0);
    EXPECT_TRUE(m.empty());
}

TEST(MatMultiply, TwoByThreeTimesThreeByFour) {
    RCOMat a = RealRows({{1, 2, 3}, {4, 5, 6}});
    RCOMat b = RealRows({{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}});
    RCOMat c;
    EXPECT_EQ(MatMultiply(a, b, c), MatStatus::Ok);
    EXPECT_TRUE(MatrixNear(c, {{1, 2, 3, 6}, {4, 5, 6, 15}}));
    EXPECT_FALSE(IsComplex(c[0][0]));
}

TEST(MatMultiply, InnerMismatchSetsFour) {
    RCOMat a = RealRows({{1, 2, 3}, {4, 5, 6}});
    RCOMat b = a;
    RCOMat c = RealRows({{7}});
    EXPECT_EQ(MatMultiply(a, b, c), MatStatus::Dimensions);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_TRUE(ValueIs(c[0][0], 7));
}

TEST(MatMultiply, ComplexOperandMakesComplexElement) {
    RCOMat a = ScalarRows({{C(0, 1), R(1)}});
    RCOMat b = RealRows({{2}, {3}});
    RCOMat c;
    MatMultiply(a, b, c);
    ASSERT_TRUE(IsComplex(c[0][0]));
    EXPECT_TRUE(ValueIs(c[0][0], 3, 2));
}

TEST(MatMultiply, OutputMayBeAnOperand) {
    RCOMat a = RealRows({{1, 1}, {0, 1}});
    RCOMat b = a;
    MatMultiply(a, b, a);
    EXPECT_TRUE(MatrixNear(a, {{1, 2}, {0, 1}}));
    MatMultiply(b, a, a);
    EXPECT_TRUE(MatrixNear(a, {{1, 3}, {0, 1}}));
}

TEST(MatMultiply, AccumulatesFromIntegerZero) {
    // A row of integers times a column of integers stays an integer sum.
    RCOMat a = ScalarRows({{I(2), I(3)}});
    RCOMat b = ScalarRows({{I(4)}, {I(5)}});
    RCOMat c;
    MatMultiply(a, b, c);
    EXPECT_EQ(c[0][0].Kind(), ScalarKind::Integer);
    EXPECT_TRUE(ValueIs(c[0][0], 23));
}

TEST(MatTrace, NonSquareUsesTheLeadingDiagonal) {
    RCOMat m = ComplexRows({{1, 2, 3}, {4, 5, 6}});
    Scalar t = R(99);
    EXPECT_EQ(MatTrace(m, t), MatStatus::Ok);
    EXPECT_TRUE(ValueIs(t, 6));
}

TEST(MatTrace, EmptyGivesIntegerZeroAndStatusFive) {
    RCOMat m;
    Scalar t = R(99);
    EXPECT_EQ(MatTrace(m, t), MatStatus::Empty);
    EXPECT_EQ(t.Kind(), ScalarKind::Integer);
    EXPECT_TRUE(ValueIs(t, 0));
}

TEST(MatTrace, TallMatrix) {
    RCOMat m = RealRows({{1}, {2}, {3}});
    Scalar t;
    MatTrace(m, t);
    EXPECT_TRUE(ValueIs(t, 1));
}

TEST(MatScale, ByZeroGivesZerosOfTheSameSize) {
    RCOMat m = ComplexRows({{1, 2, 3}, {4, 5, 6}});
    RCOMat r;
    MatScale(C(0), m, r);
    ASSERT_EQ(r.size(), 2u);
    for (const RCOVec& row : r) {
        ASSERT_EQ(row.size(), 3u);
        for (const Scalar& v : row) EXPECT_TRUE(ValueIs(v, 0));
    }
}

TEST(MatScale, ComplexFactorOnTheRight) {
    RCOMat m = ComplexRows({{1, 2}});
    RCOMat r;
    MatScale(C(1, 1), m, r);
    EXPECT_TRUE(MatrixNear(r, {{1, 2}}, 0.0, {{1, 2}}));
}

TEST(MatScale, FactorMayLiveInTheOutput) {
    RCOMat m = RealRows({{2, 3}});
    RCOMat r = RealRows({{10, 0}});
    MatScale(r[0][0], m, r);
    EXPECT_TRUE(MatrixNear(r, {{20, 30}}));
}

TEST(MatScale, EmptySetsFive) {
    RCOMat m;
    RCOMat r = RealRows({{1}});
    EXPECT_EQ(MatScale(R(2), m, r), MatStatus::Empty);
    EXPECT_EQ(r.size(), 1u);
}

}  // namespace
}  // namespace quorvix
