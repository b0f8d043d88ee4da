// The determinant: full pivoting with the four-decimal threshold on the first
// comparison of each search, integer 0 for shapes without a determinant.
#include <gtest/gtest.h>

#include <cmath>

#include "core/mat_test_util.h"

namespace quorvix {
namespace {

using namespace mattest;

Scalar Det(RCOMat a) {
    const auto rows = static_cast<std::int32_t>(a.size());
    const auto cols = rows == 0 ? 0 : static_cast<std::int32_t>(a[0].size());
    return MatDeterminant(a, rows, cols);
}

struct DetRow {
    const char* name;
    Rows matrix;
    double re;
    double im;
    bool integerZero;  // the result is the integer 0 of an early return
};

class MatDeterminantTable : public ::testing::TestWithParam<DetRow> {};

TEST_P(MatDeterminantTable, ComplexElements) {
    const DetRow& row = GetParam();
    RCOMat a;
    for (const auto& r : row.matrix) {
        RCOVec v;
        for (double x : r) v.push_back(C(x));
        a.push_back(v);
    }
    const Scalar d = Det(a);
    EXPECT_TRUE(ValueIs(d, row.re, row.im));
    if (row.integerZero)
        EXPECT_EQ(d.Kind(), ScalarKind::Integer);
    else
        EXPECT_EQ(d.Kind(), ScalarKind::Complex);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, MatDeterminantTable,
    ::testing::Values(DetRow{"TwoByTwo", {{1, 2}, {3, 4}}, -2, 0, false},
                      DetRow{"Symmetric", {{2, 1}, {1, 3}}, 5, 0, false},
                      DetRow{"SingularThreeByThree", {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, 0, 0, false},
                      DetRow{"ZeroMatrix", {{0, 0}, {0, 0}}, 0, 0, true},
                      DetRow{"ZeroMatrixOfFive", Rows(5, std::vector<double>(5, 0.0)), 0, 0, true},
                      DetRow{"ZeroLastPivot", {{1, 2}, {2, 4}}, 0, 0, false},
                      // No element reaches 0.00005 at the first step.
                      DetRow{"AllBelowThreshold", {{0.00001, 0}, {0, 0.00001}}, 0, 0, true},
                      // The last pivot is never searched, so it may be small.
                      DetRow{"SmallLastPivot", {{1, 0}, {0, 0.00001}}, 0.00001, 0, false},
                      // Magnitudes too large for a four-decimal count still qualify.
                      DetRow{"HugeFirstElement", {{1e15, 0}, {0, 1}}, 1e15, 0, false},
                      DetRow{"HugeAndSmall", {{std::ldexp(1.0, 50), 0}, {0, std::ldexp(1.0, -30)}}, 1048576, 0, false},
                      DetRow{"BelowThresholdBesideAPivot", {{0.00006, 0}, {0, 2}}, 0.00012, 0, false},
                      DetRow{"JustBelowThreshold", {{0.000049, 0}, {0, 0.000049}}, 0, 0, true},
                      DetRow{"TiesKeepTheFirstPivot", {{1, -1}, {1, 1}}, 2, 0, false},
                      DetRow{"NeedsRowAndColumnExchange", {{0, 0, 1}, {0, 2, 0}, {3, 0, 0}}, -6, 0, false},
                      DetRow{"OneExchange", {{0, 1}, {1, 0}}, -1, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MatDeterminant, FirstComparisonRoundsToFourDecimals) {
    // 0.00001 rounds to 0 and never qualifies; 0.00006 rounds to 0.0001 and does,
    // so it becomes the pivot although it comes later.
    Scalar d = Det(ComplexRows({{0.00001, 0}, {0, 0.00006}}));
    ASSERT_TRUE(IsComplex(d));
    EXPECT_NEAR(RealPart(d), 6e-10, 1e-24);
    // 0.00005 rounds up (the double lies just above it) and qualifies.
    d = Det(ComplexRows({{0.00005, 0}, {0, 0.000049}}));
    EXPECT_NEAR(RealPart(d), 2.45e-9, 1e-23);
    EXPECT_TRUE(IsComplex(d));
}

TEST(MatDeterminant, OneByOneIsTheElementItself) {
    for (const Scalar& e : {C(0.00001), C(2, 3), R(-7.5), I(4), Scalar()}) {
        RCOMat a = ScalarRows({{e}});
        EXPECT_TRUE(SameKindAndValue(MatDeterminant(a, 1, 1), e)) << Describe(e);
    }
}

TEST(MatDeterminant, NonSquareIsIntegerZero) {
    RCOMat a = ComplexRows({{1, 2, 3}, {4, 5, 6}});
    const Scalar d = MatDeterminant(a, 2, 3);
    EXPECT_EQ(d.Kind(), ScalarKind::Integer);
    EXPECT_TRUE(ValueIs(d, 0));
}

TEST(MatDeterminant, EmptyIsIntegerZero) {
    RCOMat a;
    const Scalar d = MatDeterminant(a, 0, 0);
    EXPECT_EQ(d.Kind(), ScalarKind::Integer);
    EXPECT_TRUE(ValueIs(d, 0));
}

TEST(MatDeterminant, SizeLargerThanTheMatrixReadsNothing) {
    RCOMat a = ComplexRows({{1}});
    EXPECT_TRUE(ValueIs(MatDeterminant(a, 2, 2), 0));
    RCOMat none;
    EXPECT_TRUE(ValueIs(MatDeterminant(none, 1, 1), 0));
}

TEST(MatDeterminant, PurelyImaginaryPivots) {
    // Pivots are compared by |re| + |im|, so i qualifies: det = i * i = -1.
    RCOMat a = ScalarRows({{C(0, 1), C(0)}, {C(0), C(0, 1)}});
    const Scalar d = Det(a);
    EXPECT_EQ(d.Kind(), ScalarKind::Complex);
    EXPECT_TRUE(ValueIs(d, -1));
    // The fixed-point rule applies to that magnitude: 0.00003 + 0.00003i
    // (|re| + |im| = 0.00006) is a pivot, 0.00002 + 0.00002i is not.
    RCOMat b = ScalarRows({{C(3e-5, 3e-5), C(0)}, {C(0), C(1)}});
    EXPECT_TRUE(IsComplex(Det(b)));
    RCOMat c = ScalarRows({{C(2e-5, 2e-5), C(0)}, {C(0), C(2e-5, 2e-5)}});
    EXPECT_EQ(Det(c).Kind(), ScalarKind::Integer);
}

TEST(MatDeterminant, ComplexValue) {
    // det [[1+i, 2], [3, 4-i]] = (1+i)(4-i) - 6 = 5 + 3i - 6 = -1 + 3i
    RCOMat a = ScalarRows({{C(1, 1), C(2)}, {C(3), C(4, -1)}});
    const Scalar d = Det(a);
    ASSERT_TRUE(IsComplex(d));
    EXPECT_NEAR(RealPart(d), -1, 1e-14);
    EXPECT_NEAR(ImagPart(d), 3, 1e-14);
}

TEST(MatDeterminant, RealElementsGiveARealResult) {
    RCOMat a = RealRows({{2, 1}, {1, 3}});
    const Scalar d = Det(a);
    EXPECT_EQ(d.Kind(), ScalarKind::Real);
    EXPECT_DOUBLE_EQ(RealPart(d), 5);
}

}  // namespace
}  // namespace quorvix
