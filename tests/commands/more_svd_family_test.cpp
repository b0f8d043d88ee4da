// Sv, Pinv, Cond and Null as the user runs them: diagonal and unitary
// closed forms, rank-deficient products X·Yᴴ of known rank, the Penrose
// conditions of the pseudo-inverse, the null space's orthonormality and
// A·N = 0, real and complex; the singular refusal, the near-singular notice
// and the zero-vector notice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "more_test_util.h"

namespace quorvix {
namespace {

using namespace more_test;

// X·Yᴴ with X m x r and Y n x r random: rank r.
Dense OfRank(std::int32_t m, std::int32_t n, std::int32_t r, bool complex, std::mt19937_64& rng) {
    return Product(Random(m, r, complex, rng), Adjoint(Random(n, r, complex, rng)));
}

TEST(Sv, ADiagonalMatrixHasItsModuliDescending) {
    CalcState s = StateOf(FromRows({{1, 0, 0}, {0, Wide(0, -5), 0}, {0, 0, -3}}));
    Press(s, "Sv(A)");
    EXPECT_EQ(RelativeDifference(Kept(s), FromRows({{5}, {3}, {1}})), 0);
    EXPECT_EQ(s.Kept.back().Label, "Sv(A)");
}

TEST(Sv, AUnitaryTimesADiagonalKeepsTheDiagonal) {
    // A rotation by 0.3 times diag(4, 2, 1) on the right: singular values 4, 2, 1.
    const double c = std::cos(0.3), sn = std::sin(0.3);
    const Dense a =
        Product(FromRows({{c, -sn, 0}, {sn, c, 0}, {0, 0, 1}}), FromRows({{4, 0, 0}, {0, 2, 0}, {0, 0, 1}}));
    CalcState s = StateOf(Dense(), AsRead(a));
    Press(s, "Sv(B)");
    EXPECT_LT(RelativeDifference(Kept(s), FromRows({{4}, {2}, {1}})), 8 * kEps);
}

TEST(Sv, ARankDeficientProductHasTrailingValuesOfRoundingSize) {
    std::mt19937_64 rng(Seed(5));
    for (bool complex : {false, true}) {
        const Dense a = AsRead(OfRank(8, 6, 3, complex, rng));
        CalcState s = StateOf(a);
        Press(s, "Sv(A)");
        const Dense sv = Kept(s);
        ASSERT_EQ(sv.Rows, 6);
        for (std::int32_t k = 0; k < 6; ++k) {
            if (k > 0) {
                EXPECT_LE(sv(k, 0).real(), sv(k - 1, 0).real());
            }
            if (k < 3) {
                EXPECT_GT(sv(k, 0).real(), 1e-3L * sv(0, 0).real());
            }
            if (k >= 3) {
                EXPECT_LT(sv(k, 0).real(), 100 * 8 * kEps * sv(0, 0).real());
            }
        }
    }
}

// The four Penrose conditions, each relative to its scale, in units of eps.
void ExpectPenrose(const Dense& a, const Dense& x) {
    const Dense ax = Product(a, x), xa = Product(x, a);
    const std::int32_t n = std::max(a.Rows, a.Cols);
    const long double na = Frobenius(a), nx = Frobenius(x);
    EXPECT_LT(Frobenius(Minus(Product(ax, a), a)) / (na * na * nx) / (n * kEps), 100);
    EXPECT_LT(Frobenius(Minus(Product(xa, x), x)) / (na * nx * nx) / (n * kEps), 100);
    EXPECT_LT(Frobenius(Minus(ax, Adjoint(ax))) / (na * nx) / (n * kEps), 100);
    EXPECT_LT(Frobenius(Minus(xa, Adjoint(xa))) / (na * nx) / (n * kEps), 100);
}

TEST(Pinv, ASquareNonsingularMatrixHasItsInverse) {
    const Dense a = FromRows({{4, 7}, {2, 6}});
    CalcState s = StateOf(a);
    Press(s, "Pinv(A)");
    EXPECT_LT(RelativeDifference(Kept(s), FromRows({{0.6L, -0.7L}, {-0.2L, 0.4L}})), 16 * kEps);
    EXPECT_GE(CheckValue(s), 0);
    EXPECT_EQ(LineStartingWith(s, " Notice:"), "");
}

TEST(Pinv, RankDeficientProductsMeetThePenroseConditions) {
    std::mt19937_64 rng(Seed(6));
    for (bool complex : {false, true})
        for (auto [m, n, r] : {std::tuple{5, 5, 2}, {7, 4, 3}, {3, 8, 1}}) {
            const Dense a = AsRead(OfRank(m, n, r, complex, rng));
            CalcState s = StateOf(a);
            Press(s, "Pinv(A)");
            SCOPED_TRACE(std::to_string(m) + "x" + std::to_string(n) + (complex ? " complex" : " real"));
            const Dense x = Kept(s);
            EXPECT_EQ(x.Rows, n);
            EXPECT_EQ(x.Cols, m);
            ExpectPenrose(a, x);
            EXPECT_LT(CheckValue(s), 100 * std::max(m, n) * kEps);
            // Of rank below min(m, n): singular to the double's precision.
            EXPECT_NE(LineStartingWith(s, " Notice: A is "), "");
        }
}

TEST(Pinv, OfAColumnIsItsConjugateOverItsSquaredNorm) {
    CalcState s = StateOf(FromRows({{Wide(1, 1)}, {2}}));
    Press(s, "Pinv(A)");
    EXPECT_LT(RelativeDifference(Kept(s), FromRows({{Wide(1, -1) / Wide(6), Wide(2) / Wide(6)}})), 8 * kEps);
}

TEST(Cond, ADiagonalMatrixHasTheRatioOfItsExtremes) {
    CalcState s = StateOf(FromRows({{2, 0}, {0, 0.001}}));
    Press(s, "Cond(A)");
    EXPECT_LT(RelativeDifference(Kept(s), FromRows({{2000}})), 4 * kEps);
    EXPECT_EQ(LineStartingWith(s, " Notice:"), "");
    CalcState u = StateOf(Dense(), FromRows({{0, Wide(0, 3)}, {1, 0}}));
    Press(u, "Cond(B)");
    EXPECT_LT(RelativeDifference(Kept(u), FromRows({{3}})), 4 * kEps);
}

TEST(Cond, AnExactlySingularMatrixIsRefusedAndANearlySingularOneNoticed) {
    CalcState s = StateOf(FromRows({{1, 2}, {0, 0}}));
    s.Log.KeepRefusals = true;
    Press(s, "Cond(A)");
    EXPECT_EQ(s.Log.Refusals, std::vector<std::string>{" Error: To Calculate Cond(A), the Matrix is singular!"});
    EXPECT_TRUE(s.Kept.empty());

    // The editors store parts of magnitude at most 1e-12 as 0, so a nearly
    // singular matrix is made of parts near 1: condition about 1.6e16.
    CalcState n = StateOf(Dense(), FromRows({{1, 1}, {1, 1.0000000000000002}}));
    n.Log.KeepRefusals = true;
    Press(n, "Cond(B)");
    EXPECT_TRUE(n.Log.Refusals.empty());
    const std::string notice = LineStartingWith(n, " Notice:");
    EXPECT_EQ(notice.rfind(" Notice: B is close to singular (condition ", 0), 0u) << notice;
    EXPECT_NE(notice.find("E+016); the result may be inaccurate."), std::string::npos) << notice;
    const Dense c = Kept(n);
    EXPECT_GT(c(0, 0).real(), 1e16L);
    EXPECT_LT(c(0, 0).real(), 1e17L);
}

TEST(Null, ABasisOfTheRightDimensionThatIsOrthonormalAndMappedToZero) {
    std::mt19937_64 rng(Seed(7));
    for (bool complex : {false, true})
        for (auto [m, n, r] : {std::tuple{6, 6, 4}, {3, 7, 3}, {8, 5, 2}}) {
            const Dense a = AsRead(OfRank(m, n, r, complex, rng));
            CalcState s = StateOf(Dense(), a);
            Press(s, "Null(B)");
            SCOPED_TRACE(std::to_string(m) + "x" + std::to_string(n) + (complex ? " complex" : " real"));
            const Dense basis = Kept(s);
            EXPECT_EQ(basis.Rows, n);
            EXPECT_EQ(basis.Cols, n - r);
            EXPECT_LT(RelativeDifference(Product(Adjoint(basis), basis), Dense::Identity(n - r)), 16 * n * kEps);
            EXPECT_LT(Frobenius(Product(a, basis)) / Frobenius(a) / (n * kEps), 100);
            EXPECT_EQ(s.Kept.back().Label, "Null(B)");
        }
}

TEST(Null, AKnownNullSpaceAndTheZeroVectorNotice) {
    // x + y + z = 0 in three unknowns from one row: two vectors.
    CalcState s = StateOf(FromRows({{1, 1, 1}}));
    Press(s, "Null(A)");
    const Dense basis = Kept(s);
    ASSERT_EQ(basis.Cols, 2);
    EXPECT_LT(Frobenius(Product(FromRows({{1, 1, 1}}), basis)), 8 * kEps);

    CalcState z = StateOf(FromRows({{1, 2}, {3, 4}}));
    z.Log.KeepRefusals = true;
    Press(z, "Null(A)");
    EXPECT_EQ(LineStartingWith(z, " Notice:"), " Notice: Null(A) is only the zero vector.");
    EXPECT_TRUE(z.Log.Refusals.empty());
    EXPECT_TRUE(z.Kept.empty());
}

TEST(SvdFamily, EmptyEditorsAreRefusedByEach) {
    for (const char* step : {"Sv(A)", "Pinv(A)", "Cond(A)", "Null(A)"}) {
        CalcState s = StateOf(Dense());
        s.Log.KeepRefusals = true;
        Press(s, step);
        EXPECT_EQ(s.Log.Refusals,
                  std::vector<std::string>{std::string(" Error: To Calculate ") + step + ", the Matrix is empty!"});
    }
}

}  // namespace
}  // namespace quorvix
