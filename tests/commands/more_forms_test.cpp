// Rref, Expm and ^H as the user runs them: echelon forms worked by hand,
// the exponential of nilpotent, diagonal and rotation generators, the
// conjugate transpose of real and complex matrices, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "more_test_util.h"

namespace quorvix {
namespace {

using namespace more_test;

TEST(Rref, AFullRankAndARankDeficientMatrix) {
    CalcState s = StateOf(FromRows({{2, 4, 2}, {1, 3, 4}}));
    Press(s, "Rref(A)");
    // Rows (1, 0, −5) and (0, 1, 3).
    EXPECT_LT(RelativeDifference(Kept(s), FromRows({{1, 0, -5}, {0, 1, 3}})), 8 * kEps);
    EXPECT_EQ(s.Kept.back().Label, "Rref(A)");

    CalcState d = StateOf(Dense(), FromRows({{1, 2, 3}, {2, 4, 6}, {1, 1, 1}}));
    Press(d, "Rref(B)");
    EXPECT_LT(RelativeDifference(Kept(d), FromRows({{1, 0, -1}, {0, 1, 2}, {0, 0, 0}})), 8 * kEps);
}

TEST(Rref, AComplexMatrixIsReducedInComplexArithmetic) {
    // [[i, 1], [1, −i]] has rank 1: row 2 is −i times row 1.
    CalcState s = StateOf(FromRows({{Wide(0, 1), 1}, {1, Wide(0, -1)}}));
    Press(s, "Rref(A)");
    EXPECT_LT(RelativeDifference(Kept(s), FromRows({{1, Wide(0, -1)}, {0, 0}})), 8 * kEps);
}

TEST(Expm, ANilpotentMatrixHasAFiniteSeries) {
    // N³ = 0: exp(N) = I + N + N²/2.
    const Dense n = FromRows({{0, 1, 2}, {0, 0, 3}, {0, 0, 0}});
    CalcState s = StateOf(n);
    Press(s, "Expm(A)");
    Dense want = Dense::Identity(3);
    const Dense n2 = Product(n, n);
    for (std::size_t k = 0; k < want.Data.size(); ++k) want.Data[k] += n.Data[k] + n2.Data[k] / Wide(2);
    EXPECT_LT(RelativeDifference(Kept(s), want), 16 * kEps);
}

TEST(Expm, ADiagonalMatrixHasTheExponentialsOfItsDiagonal) {
    CalcState s = StateOf(FromRows({{1, 0}, {0, -2.5}}));
    Press(s, "Expm(A)");
    EXPECT_LT(RelativeDifference(Kept(s), FromRows({{std::exp(1.0L), 0}, {0, std::exp(-2.5L)}})), 16 * kEps);

    CalcState c = StateOf(Dense(), FromRows({{Wide(0, std::numbers::pi), 0}, {0, Wide(1, 1)}}));
    Press(c, "Expm(B)");
    const Wide e = std::exp(Wide(1, 1));
    EXPECT_LT(RelativeDifference(Kept(c), FromRows({{-1, 0}, {0, e}})), 32 * kEps);
}

TEST(Expm, ARotationGeneratorGivesTheRotation) {
    const double t = 1.2;
    CalcState s = StateOf(FromRows({{0, -t}, {t, 0}}));
    Press(s, "Expm(A)");
    const long double c = std::cos(static_cast<long double>(t)), sn = std::sin(static_cast<long double>(t));
    EXPECT_LT(RelativeDifference(Kept(s), FromRows({{c, -sn}, {sn, c}})), 16 * kEps);
}

TEST(Expm, NonSquareAndEmptyEditorsAreRefused) {
    CalcState s = StateOf(FromRows({{1, 2}}));
    s.Log.KeepRefusals = true;
    Press(s, "Expm(A)");
    EXPECT_EQ(s.Log.Refusals, std::vector<std::string>{" Error: To Calculate Expm(A), Row=Col!"});
    CalcState e = StateOf(Dense(), Dense());
    e.Log.KeepRefusals = true;
    Press(e, "Expm(B)");
    EXPECT_EQ(e.Log.Refusals, std::vector<std::string>{" Error: To Calculate Expm(B), the Matrix is empty!"});
}

TEST(Expm, AnExponentialBeyondTheDoublesRangeIsAnError) {
    CalcState s = StateOf(FromRows({{800}}));
    try {
        Press(s, "Expm(A)");
        FAIL() << "no error";
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    EXPECT_TRUE(s.Kept.empty());
}

TEST(ConjugateTranspose, RealAndComplex) {
    CalcState s = StateOf(FromRows({{1, Wide(2, 3)}, {Wide(0, -1), 4}, {5, 6}}), FromRows({{1, 2, 3}}));
    Press(s, "A^H");
    EXPECT_EQ(RelativeDifference(Kept(s), FromRows({{1, Wide(0, 1), 5}, {Wide(2, -3), 4, 6}})), 0);
    EXPECT_EQ(s.Kept.back().Label, "A^H");
    Press(s, "B^H");
    EXPECT_EQ(RelativeDifference(Kept(s), FromRows({{1}, {2}, {3}})), 0);
    EXPECT_TRUE(AllReal(Kept(s)));
}

}  // namespace
}  // namespace quorvix
