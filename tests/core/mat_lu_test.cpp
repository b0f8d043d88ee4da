// Doolittle's LU without pivoting, for the LU commands.
#include <gtest/gtest.h>

#include "core/mat_test_util.h"

namespace quorvix {
namespace {

using namespace mattest;

TEST(MatLU, FourThreeSixThree) {
    RCOMat a = ComplexRows({{4, 3}, {6, 3}});
    RCOMat l, u;
    SizeMatrix(l, 2, 2);
    SizeMatrix(u, 2, 2);
    ASSERT_EQ(MatLU(a, l, u, 2, 2), 1);
    EXPECT_TRUE(MatrixNear(l, {{1, 0}, {1.5, 1}}));
    EXPECT_TRUE(MatrixNear(u, {{4, 3}, {0, -1.5}}));
    // Constants written by the routine are exact real (integer) Scalars.
    EXPECT_EQ(l[0][0].Kind(), ScalarKind::Integer);
    EXPECT_EQ(l[0][1].Kind(), ScalarKind::Integer);
    EXPECT_EQ(u[1][0].Kind(), ScalarKind::Integer);
    EXPECT_TRUE(IsComplex(l[1][0]));
}

TEST(MatLU, NotSquareReturnsMinusOne) {
    RCOMat a = ComplexRows({{1, 2, 3}, {4, 5, 6}});
    RCOMat l, u;
    SizeMatrix(l, 2, 3);
    SizeMatrix(u, 2, 3);
    EXPECT_EQ(MatLU(a, l, u, 2, 3), -1);
    EXPECT_TRUE(l[0][0].IsEmpty());
}

TEST(MatLU, ZeroPivotBeforeTheLastRowFails) {
    RCOMat a = ComplexRows({{0, 1}, {1, 0}});
    RCOMat l, u;
    SizeMatrix(l, 2, 2);
    SizeMatrix(u, 2, 2);
    EXPECT_EQ(MatLU(a, l, u, 2, 2), 0);
}

TEST(MatLU, ZeroLastPivotSucceeds) {
    RCOMat a = ComplexRows({{1, 2}, {2, 4}});
    RCOMat l, u;
    SizeMatrix(l, 2, 2);
    SizeMatrix(u, 2, 2);
    ASSERT_EQ(MatLU(a, l, u, 2, 2), 1);
    EXPECT_TRUE(MatrixNear(u, {{1, 2}, {0, 0}}));
    EXPECT_TRUE(MatrixNear(l, {{1, 0}, {2, 1}}));
}

TEST(MatLU, OneByOne) {
    RCOMat a = ComplexRows({{0}});
    RCOMat l, u;
    SizeMatrix(l, 1, 1);
    SizeMatrix(u, 1, 1);
    ASSERT_EQ(MatLU(a, l, u, 1, 1), 1);
    EXPECT_TRUE(MatrixNear(l, {{1}}));
    EXPECT_TRUE(MatrixNear(u, {{0}}));
}

TEST(MatLU, EmptyIsSafe) {
    RCOMat a, l, u;
    EXPECT_EQ(MatLU(a, l, u, 0, 0), 1);
    EXPECT_TRUE(l.empty());
    EXPECT_TRUE(u.empty());
}

TEST(MatLU, UnsizedFactorsAreSized) {
    RCOMat a = ComplexRows({{2, 1}, {4, 5}});
    RCOMat l, u;
    ASSERT_EQ(MatLU(a, l, u, 2, 2), 1);
    EXPECT_TRUE(MatrixNear(l, {{1, 0}, {2, 1}}));
    EXPECT_TRUE(MatrixNear(u, {{2, 1}, {0, 3}}));
}

TEST(MatLU, MatrixSmallerThanTheSizeIsRefused) {
    RCOMat a = ComplexRows({{1}});
    RCOMat l, u;
    EXPECT_EQ(MatLU(a, l, u, 2, 2), -1);
}

TEST(MatLU, TinyComplexPivotRaisesTheDivisionError) {
    RCOMat a = ScalarRows({{C(1e-7), C(1)}, {C(1), C(1)}});
    RCOMat l, u;
    EXPECT_EQ(ErrorOf([&] { (void)MatLU(a, l, u, 2, 2); }), "Division by zero");
}

}  // namespace
}  // namespace quorvix
