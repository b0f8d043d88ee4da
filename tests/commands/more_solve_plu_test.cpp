// A\B and PLU as the user runs them: closed-form answers (permutations,
// rotations, diagonal and triangular systems), residuals judged by the
// tests' own long double products, real and complex, the check line, the
// near-singular notice, the refusals and the error places.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "commands/more_operand.h"
#include "more_test_util.h"

namespace quorvix {
namespace {

using namespace more_test;

// ‖A·X − B‖_F / (‖A‖_F·‖X‖_F + ‖B‖_F), in units of n·eps.
double SolveResidualUnits(const Dense& a, const Dense& x, const Dense& b) {
    const long double r = Frobenius(Minus(Product(a, x), b)) / (Frobenius(a) * Frobenius(x) + Frobenius(b));
    return static_cast<double>(r / (std::max(a.Rows, a.Cols) * kEps));
}

TEST(Solve, APermutationSolvesExactly) {
    const Dense p = FromRows({{0, 0, 1}, {1, 0, 0}, {0, 1, 0}});
    const Dense b = FromRows({{1, 2}, {3, 4}, {5, 6}});
    CalcState s = StateOf(p, b);
    Press(s, "A\\B");
    // P·X = B: X's rows are B's rows put back.
    EXPECT_EQ(RelativeDifference(Kept(s, "X"), FromRows({{3, 4}, {5, 6}, {1, 2}})), 0);
    EXPECT_EQ(s.Kept.back().Label, "A\\B");
    EXPECT_GE(CheckValue(s), 0);
    EXPECT_EQ(LineStartingWith(s, " Notice:"), "");
}

TEST(Solve, ARotationIsSolvedByItsTranspose) {
    const double t = 0.7, c = std::cos(t), sn = std::sin(t);
    const Dense q = FromRows({{c, -sn}, {sn, c}});
    const Dense b = FromRows({{1}, {2}});
    CalcState s = StateOf(q, b);
    Press(s, "A\\B");
    const Dense want = Product(Adjoint(AsRead(q)), b);
    EXPECT_LT(RelativeDifference(Kept(s, "X"), want), 4 * kEps);
}

TEST(Solve, TriangularAndDiagonalSystemsAgreeWithSubstitution) {
    // Upper triangular U·x = b by back substitution in long double.
    const Dense u = FromRows({{2, 1, -1}, {0, 3, 2}, {0, 0, 4}});
    const Dense b = FromRows({{1}, {2}, {8}});
    CalcState s = StateOf(u, b);
    Press(s, "A\\B");
    const Wide x2 = Wide(8) / Wide(4), x1 = (Wide(2) - Wide(2) * x2) / Wide(3), x0 = (Wide(1) - x1 + x2) / Wide(2);
    EXPECT_LT(RelativeDifference(Kept(s, "X"), FromRows({{x0}, {x1}, {x2}})), 4 * kEps);

    const Dense d = FromRows({{Wide(2, 1), 0}, {0, Wide(0, -4)}});
    CalcState z = StateOf(d, FromRows({{Wide(5, 0)}, {Wide(8, 8)}}));
    Press(z, "A\\B");
    const Dense want = FromRows({{Wide(5) / Wide(2, 1)}, {Wide(8, 8) / Wide(0, -4)}});
    EXPECT_LT(RelativeDifference(Kept(z, "X"), want), 4 * kEps);
}

TEST(Solve, RandomSystemsHaveResidualsOfRoundingSize) {
    std::mt19937_64 rng(Seed(1));
    for (bool complex : {false, true}) {
        for (std::int32_t n : {1, 2, 5, 17, 40}) {
            const Dense a = Random(n, n, complex, rng), b = Random(n, 3, complex, rng);
            CalcState s = StateOf(a, b);
            Press(s, "A\\B");
            const Dense x = Kept(s, "X");
            EXPECT_EQ(x.Rows, n);
            EXPECT_EQ(x.Cols, 3);
            EXPECT_LT(SolveResidualUnits(AsRead(a), x, AsRead(b)), 30) << n << (complex ? " complex" : " real");
            // The check line says the same residual, to its four digits.
            const double check = CheckValue(s);
            EXPECT_GE(check, 0);
            EXPECT_LT(check, 30 * n * kEps);
        }
    }
}

TEST(Solve, TallSystemsGetTheLeastSquaresSolution) {
    // The line through (0, 1), (1, 3), (2, 4): the normal equations give
    // intercept 7/6 and slope 3/2.
    const Dense a = FromRows({{1, 0}, {1, 1}, {1, 2}});
    CalcState s = StateOf(a, FromRows({{1}, {3}, {4}}));
    Press(s, "A\\B");
    EXPECT_LT(RelativeDifference(Kept(s, "X"), FromRows({{7.0L / 6}, {1.5L}})), 8 * kEps);
}

TEST(Solve, WideSystemsGetTheSolutionOfMinimumNorm) {
    // x + y = 2: the shortest solution is (1, 1).
    CalcState s = StateOf(FromRows({{1, 1}}), FromRows({{2}}));
    Press(s, "A\\B");
    EXPECT_LT(RelativeDifference(Kept(s, "X"), FromRows({{1}, {1}})), 4 * kEps);
}

TEST(Solve, ANearlySingularMatrixGetsItsConditionInANotice) {
    // 1 + 2^-52 in the last element: condition about 1.6e16 in the 1-norm.
    CalcState s = StateOf(FromRows({{1, 1}, {1, 1.0000000000000002}}), FromRows({{1}, {2}}));
    Press(s, "A\\B");
    const std::string notice = LineStartingWith(s, " Notice: A is close to singular (condition ");
    ASSERT_NE(notice, "");
    EXPECT_NE(notice.find("E+016); the result may be inaccurate."), std::string::npos) << notice;
    // The result and its check come first.
    EXPECT_NE(LineStartingWith(s, "   check: "), "");
    EXPECT_TRUE(s.Log.Refusals.empty());
}

TEST(Solve, AnExactlySingularMatrixGetsTheSingularNotice) {
    CalcState s = StateOf(FromRows({{1, 2}, {2, 4}}), FromRows({{1}, {2}}));
    Press(s, "A\\B");
    // Least squares of minimum norm: x = (1, 2)/5.
    EXPECT_LT(RelativeDifference(Kept(s, "X"), FromRows({{0.2L}, {0.4L}})), 8 * kEps);
    const std::string notice = LineStartingWith(s, " Notice: A is ");
    EXPECT_TRUE(notice == " Notice: A is singular; the result may be inaccurate." ||
                notice.find("close to singular") != std::string::npos)
        << notice;
}

TEST(Solve, RowsThatDisagreeAndEmptyEditorsAreRefused) {
    CalcState s = StateOf(FromRows({{1, 2}, {3, 4}}), FromRows({{1, 2, 3}}));
    s.Log.KeepRefusals = true;
    Press(s, "A\\B");
    EXPECT_EQ(s.Panel.Lines().back(), "");
    EXPECT_EQ(s.Log.Refusals, std::vector<std::string>{" Error: To Calculate A\\B, A(Row)=B(Row)!"});
    EXPECT_TRUE(s.Kept.empty());

    CalcState e = StateOf(Dense(), Dense());
    e.Log.KeepRefusals = true;
    Press(e, "A\\B");
    EXPECT_EQ(e.Log.Refusals, std::vector<std::string>{" Error: To Calculate A\\B, the Matrix is empty!"});
}

TEST(Solve, AnElementThatIsNotANumberStopsWithItsPlace) {
    CalcState s = StateOf(FromRows({{1, 0}, {0, 1}}));
    s.MatrixB = SplitEditorText("1\nabc");
    try {
        Press(s, "A\\B");
        FAIL() << "no error";
    } catch (const CalcError& e) {
        ASSERT_TRUE(e.Place().has_value());
        EXPECT_EQ(e.Place()->Editor, ErrorEditor::B);
        EXPECT_EQ(e.Place()->Line, 2);
        EXPECT_EQ(e.Place()->Element, 1);
    }
}

// ‖P·A − L·U‖_F / ‖A‖_F in units of n·eps, and the factors' shapes.
void ExpectPLUFactors(const CalcState& s, const Dense& a) {
    const Dense l = Kept(s, "L"), u = Kept(s, "U"), p = Kept(s, "P");
    const std::int32_t k = std::min(a.Rows, a.Cols);
    EXPECT_EQ(l.Rows, a.Rows);
    EXPECT_EQ(l.Cols, k);
    EXPECT_EQ(u.Rows, k);
    EXPECT_EQ(u.Cols, a.Cols);
    EXPECT_EQ(p.Rows, a.Rows);
    EXPECT_EQ(p.Cols, a.Rows);
    for (std::int32_t i = 0; i < l.Rows; ++i)
        for (std::int32_t j = 0; j < l.Cols; ++j) {
            if (j > i) {
                EXPECT_EQ(l(i, j), Wide(0));
            }
            if (j == i) {
                EXPECT_EQ(l(i, j), Wide(1));
            }
            // Partial pivoting by |re| + |im|: multipliers up to √2 in modulus.
            EXPECT_LE(std::abs(l(i, j)), 1.4142135623730951L + 1e-15L);
        }
    for (std::int32_t i = 0; i < u.Rows; ++i)
        for (std::int32_t j = 0; j < std::min(i, u.Cols); ++j) EXPECT_EQ(u(i, j), Wide(0));
    // P is a permutation: one 1 in each row and column.
    EXPECT_EQ(RelativeDifference(Product(p, Adjoint(p)), Dense::Identity(a.Rows)), 0);
    const long double r = Frobenius(Minus(Product(p, a), Product(l, u))) / Frobenius(a);
    EXPECT_LT(r / (std::max(a.Rows, a.Cols) * kEps), 30);
}

TEST(PLU, TheExchangeThatLUCannotDoIsOneRowSwap) {
    const Dense a = FromRows({{0, 1}, {1, 0}});
    CalcState s = StateOf(a);
    Press(s, "PLU(A)");
    EXPECT_EQ(RelativeDifference(Kept(s, "L"), Dense::Identity(2)), 0);
    EXPECT_EQ(RelativeDifference(Kept(s, "U"), Dense::Identity(2)), 0);
    EXPECT_EQ(RelativeDifference(Kept(s, "P"), a), 0);
    EXPECT_EQ(CheckValue(s), 0);
    EXPECT_EQ(s.Kept.back().Label, "PLU(A)");
}

TEST(PLU, ClementsMatrixFactorsWell) {
    // clement(8): zero diagonal, k and n − k on the off-diagonals.
    const std::int32_t n = 8;
    Dense a(n, n);
    for (std::int32_t k = 0; k + 1 < n; ++k) {
        a(k, k + 1) = k + 1;
        a(k + 1, k) = n - 1 - k;
    }
    CalcState s = StateOf(a);
    Press(s, "PLU(A)");
    ExpectPLUFactors(s, a);
}

TEST(PLU, EveryShapeRealAndComplexOnB) {
    std::mt19937_64 rng(Seed(2));
    for (bool complex : {false, true})
        for (auto [m, n] : {std::pair{1, 1}, {3, 3}, {2, 5}, {6, 3}, {30, 30}}) {
            const Dense a = Random(m, n, complex, rng);
            CalcState s = StateOf(Dense(), a);
            Press(s, "PLU(B)");
            SCOPED_TRACE(std::to_string(m) + "x" + std::to_string(n) + (complex ? " complex" : " real"));
            ExpectPLUFactors(s, AsRead(a));
            EXPECT_EQ(s.Kept.back().Label, "PLU(B)");
            EXPECT_GE(CheckValue(s), 0);
        }
}

TEST(PLU, AnEmptyEditorIsRefused) {
    CalcState s = StateOf(Dense());
    s.Log.KeepRefusals = true;
    Press(s, "PLU(A)");
    EXPECT_EQ(s.Log.Refusals, std::vector<std::string>{" Error: To Calculate PLU(A), the Matrix is empty!"});
}

}  // namespace
}  // namespace quorvix
