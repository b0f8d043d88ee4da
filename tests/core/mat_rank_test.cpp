// The rank: full pivoting with exact zero tests, any shape.
#include <gtest/gtest.h>

#include "core/mat_test_util.h"

namespace quorvix {
namespace {

using namespace mattest;

double Rank(RCOMat a) {
    const auto rows = static_cast<std::int32_t>(a.size());
    const auto cols = rows == 0 ? 0 : static_cast<std::int32_t>(a[0].size());
    return MatRank(a, rows, cols);
}

TEST(MatRank, EdgeCases) {
    EXPECT_EQ(Rank(ComplexRows({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}})), 2.0);
    EXPECT_EQ(Rank(ComplexRows({{1, 2, 3}, {2, 4, 6}})), 1.0);
    EXPECT_EQ(Rank(ComplexRows({{1, 2}, {2, 4}, {3, 6}})), 1.0);
    EXPECT_EQ(Rank(ComplexRows({{0, 0, 0}, {0, 0, 0}})), 0.0);
    EXPECT_EQ(Rank(ComplexRows({{0}})), 0.0);
    EXPECT_EQ(Rank(ComplexRows({{0, 0}, {0, 0}, {0, 0}})), 0.0);
    EXPECT_EQ(Rank(ComplexRows({{5}})), 1.0);
    EXPECT_EQ(Rank(ComplexRows({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}})), 3.0);
    EXPECT_EQ(Rank(ComplexRows({{0, 1}, {1, 0}})), 2.0);
    EXPECT_EQ(Rank(ComplexRows({{1, -1}, {1, 1}})), 2.0);
    EXPECT_EQ(Rank(ComplexRows({{1, 2, 3, 4}})), 1.0);
    EXPECT_EQ(Rank(ComplexRows({{1}, {2}, {3}})), 1.0);
}

TEST(MatRank, TinyButNonZeroCounts) {
    // No tolerance: a real element of 1e-10 is a pivot.
    EXPECT_EQ(Rank(RealRows({{1e-10, 0}, {0, 1e-10}})), 2.0);
}

TEST(MatRank, ComplexPivotsAndMultipliers) {
    EXPECT_EQ(Rank(ScalarRows({{C(0, 1), C(0)}, {C(0), C(0, 1)}})), 2.0);
    // Row 2 is i times row 1: the whole complex multiplier removes it.
    EXPECT_EQ(Rank(ScalarRows({{C(1), C(0, 1)}, {C(0, 1), C(-1)}})), 1.0);
    // Independent rows whose first elements have zero real parts.
    EXPECT_EQ(Rank(ScalarRows({{C(0, 2), C(1)}, {C(0, 3), C(5)}})), 2.0);
}

TEST(MatRank, EmptyAndOversizedAreSafe) {
    EXPECT_EQ(Rank(RCOMat{}), 0.0);
    RCOMat a;
    EXPECT_EQ(MatRank(a, 0, 0), 0.0);
    RCOMat small = ComplexRows({{1}});
    EXPECT_EQ(MatRank(small, 3, 3), 0.0);
}

TEST(MatRank, TinyComplexPivotRaisesTheDivisionError) {
    // Real part 1e-7: the pivot's squared modulus is at most 1e-12.
    RCOMat a = ScalarRows({{C(1e-7), C(0)}, {C(1e-8), C(1e-7)}});
    EXPECT_EQ(ErrorOf([&] { (void)Rank(a); }), "Division by zero");
}

}  // namespace
}  // namespace quorvix
