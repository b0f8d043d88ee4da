// The container routines: size, sum, product, logical operations, trace,
// transpose and scaling, with the library status each leaves behind.
#include <gtest/gtest.h>

#include "core/mat_test_util.h"

namespace quorvix {
namespace {

using namespace mattest;

TEST(MatSize, EmptyMatrixHasNoSizeAndStatusFive) {
    RCOMat empty;
    std::int32_t rows = -1, cols = -1;
    MatError = 0;
    MatSize(empty, rows, cols);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(cols, 0);
    EXPECT_EQ(MatError, kMatEmpty);
}

TEST(MatSize, MeasuresAndResetsStatus) {
    RCOMat m;
    SizeMatrix(m, 2, 3);
    std::int32_t rows = 0, cols = 0;
    MatError = kMatSingular;
    MatSize(m, rows, cols);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(cols, 3);
    EXPECT_EQ(MatError, kMatOk);
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

TEST(MatAdd, SumsElementByElement) {
    RCOMat a = ComplexRows({{1, 2}, {3, 4}});
    RCOMat b = ScalarRows({{C(0.5, 1), R(-2)}, {I(1), Scalar()}});
    RCOMat c;
    MatAdd(a, b, c);
    EXPECT_EQ(MatError, kMatOk);
    EXPECT_TRUE(MatrixNear(c, {{1.5, 0}, {4, 4}}, 0.0, {{1, 0}, {0, 0}}));
    EXPECT_TRUE(IsComplex(c[1][1]));  // complex + empty stays complex
}

TEST(MatAdd, RealOperandsGiveRealSum) {
    RCOMat a = RealRows({{1, 2}});
    RCOMat b = RealRows({{3, 4}});
    RCOMat c;
    MatAdd(a, b, c);
    EXPECT_FALSE(IsComplex(c[0][0]));
    EXPECT_TRUE(ValueIs(c[0][1], 6));
}

TEST(MatAdd, SizeMismatchSetsFourAndLeavesOutput) {
    RCOMat a = RealRows({{1, 2}, {3, 4}});
    RCOMat b = RealRows({{1, 2, 3}, {4, 5, 6}});
    RCOMat c = RealRows({{9}});
    MatAdd(a, b, c);
    EXPECT_EQ(MatError, kMatDimensions);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_TRUE(ValueIs(c[0][0], 9));
}

TEST(MatAdd, EmptyOperandSetsFiveAndLeavesOutput) {
    RCOMat a = RealRows({{1}});
    RCOMat empty;
    RCOMat c = RealRows({{9}});
    MatAdd(a, empty, c);
    EXPECT_EQ(MatError, kMatEmpty);
    MatAdd(empty, a, c);
    EXPECT_EQ(MatError, kMatEmpty);
    EXPECT_TRUE(ValueIs(c[0][0], 9));
}

TEST(MatAdd, OutputMayBeAnOperand) {
    RCOMat a = RealRows({{1, 2}, {3, 4}});
    RCOMat b = RealRows({{10, 20}, {30, 40}});
    MatAdd(a, b, a);
    EXPECT_TRUE(MatrixNear(a, {{11, 22}, {33, 44}}));
}

TEST(MatAdd, ShortRowIsADimensionError) {
    RCOMat a = RealRows({{1, 2}, {3}});
    RCOMat b = RealRows({{1, 2}, {3, 4}});
    RCOMat c;
    MatAdd(a, b, c);
    EXPECT_EQ(MatError, kMatDimensions);
    EXPECT_TRUE(c.empty());
}

TEST(MatMultiply, TwoByThreeTimesThreeByFour) {
    RCOMat a = RealRows({{1, 2, 3}, {4, 5, 6}});
    RCOMat b = RealRows({{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}});
    RCOMat c;
    MatMultiply(a, b, c);
    EXPECT_EQ(MatError, kMatOk);
    EXPECT_TRUE(MatrixNear(c, {{1, 2, 3, 6}, {4, 5, 6, 15}}));
    EXPECT_FALSE(IsComplex(c[0][0]));
}

TEST(MatMultiply, InnerMismatchSetsFour) {
    RCOMat a = RealRows({{1, 2, 3}, {4, 5, 6}});
    RCOMat b = a;
    RCOMat c = RealRows({{7}});
    MatMultiply(a, b, c);
    EXPECT_EQ(MatError, kMatDimensions);
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

struct LogicRow {
    const char* name;
    void (*op)(const RCOMat&, const RCOMat&, RCOMat&);
    Rows expected;
};

class MatLogicTest : public ::testing::TestWithParam<LogicRow> {};

TEST_P(MatLogicTest, ElementsOneOrZero) {
    RCOMat a = ComplexRows({{2, 0}, {0, 3}});
    RCOMat b = ComplexRows({{1, 1}, {0, -4}});
    RCOMat c;
    GetParam().op(a, b, c);
    EXPECT_EQ(MatError, kMatOk);
    EXPECT_TRUE(MatrixNear(c, GetParam().expected));
    for (const RCOVec& row : c)
        for (const Scalar& v : row) EXPECT_EQ(v.Kind(), ScalarKind::Integer);
}

TEST_P(MatLogicTest, SizeMismatchSetsFour) {
    RCOMat a = ComplexRows({{1, 2}});
    RCOMat b = ComplexRows({{1}, {2}});
    RCOMat c;
    GetParam().op(a, b, c);
    EXPECT_EQ(MatError, kMatDimensions);
    EXPECT_TRUE(c.empty());
}

INSTANTIATE_TEST_SUITE_P(Ops, MatLogicTest,
                         ::testing::Values(LogicRow{"And", MatAnd, {{1, 0}, {0, 1}}},
                                           LogicRow{"Or", MatOr, {{1, 1}, {0, 1}}},
                                           LogicRow{"Xor", MatXor, {{0, 1}, {0, 0}}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MatLogic, PurelyImaginaryElementIsNonZero) {
    RCOMat a = ScalarRows({{C(0, 2)}});
    RCOMat b = ScalarRows({{C(0)}});
    RCOMat c;
    MatOr(a, b, c);
    EXPECT_TRUE(ValueIs(c[0][0], 1));
    MatAnd(a, a, c);
    EXPECT_TRUE(ValueIs(c[0][0], 1));
    MatXor(a, b, c);
    EXPECT_TRUE(ValueIs(c[0][0], 1));
}

TEST(MatLogic, ValuesAreNotKept) {
    RCOMat a = ComplexRows({{5, 0.5}});
    RCOMat b = ComplexRows({{3, 0}});
    RCOMat c;
    MatAnd(a, b, c);
    EXPECT_TRUE(MatrixNear(c, {{1, 0}}));
    MatOr(a, b, c);
    EXPECT_TRUE(MatrixNear(c, {{1, 1}}));
}

TEST(MatLogic, ElementsWithinTheToleranceOfZeroAreZero) {
    // A real 1e-13 is compared with 0 exactly, a complex one was already flushed.
    RCOMat a = ScalarRows({{R(1e-13), C(1e-13)}});
    RCOMat b = ComplexRows({{0, 0}});
    RCOMat c;
    MatOr(a, b, c);
    EXPECT_TRUE(MatrixNear(c, {{1, 0}}));
}

TEST(MatTrace, NonSquareUsesTheLeadingDiagonal) {
    RCOMat m = ComplexRows({{1, 2, 3}, {4, 5, 6}});
    Scalar t = R(99);
    MatTrace(m, t);
    EXPECT_TRUE(ValueIs(t, 6));
    EXPECT_EQ(MatError, kMatOk);
}

TEST(MatTrace, EmptyGivesIntegerZeroAndStatusFive) {
    RCOMat m;
    Scalar t = R(99);
    MatTrace(m, t);
    EXPECT_EQ(t.Kind(), ScalarKind::Integer);
    EXPECT_TRUE(ValueIs(t, 0));
    EXPECT_EQ(MatError, kMatEmpty);
}

TEST(MatTrace, TallMatrix) {
    RCOMat m = RealRows({{1}, {2}, {3}});
    Scalar t;
    MatTrace(m, t);
    EXPECT_TRUE(ValueIs(t, 1));
}

TEST(MatTranspose, OneByThreeBecomesThreeByOne) {
    RCOMat m = ScalarRows({{C(1, 1), R(2), I(3)}});
    RCOMat t;
    MatTranspose(m, t);
    ASSERT_EQ(t.size(), 3u);
    for (const RCOVec& row : t) EXPECT_EQ(row.size(), 1u);
    EXPECT_TRUE(SameKindAndValue(t[0][0], C(1, 1)));
    EXPECT_TRUE(SameKindAndValue(t[1][0], R(2)));
    EXPECT_TRUE(SameKindAndValue(t[2][0], I(3)));
}

TEST(MatTranspose, InPlaceAndCopiesAreValues) {
    RCOMat m = RealRows({{1, 2, 3}, {4, 5, 6}});
    RCOMat t;
    MatTranspose(m, t);
    t[0][0] = R(100);
    EXPECT_TRUE(ValueIs(m[0][0], 1));
    MatTranspose(m, m);
    EXPECT_TRUE(MatrixNear(m, {{1, 4}, {2, 5}, {3, 6}}));
}

TEST(MatTranspose, EmptySetsFiveAndLeavesOutput) {
    RCOMat m;
    RCOMat t = RealRows({{1}});
    MatTranspose(m, t);
    EXPECT_EQ(MatError, kMatEmpty);
    EXPECT_EQ(t.size(), 1u);
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
    MatScale(R(2), m, r);
    EXPECT_EQ(MatError, kMatEmpty);
    EXPECT_EQ(r.size(), 1u);
}

}  // namespace
}  // namespace quorvix
