// The double-precision checks on the cases where the design's rounding and
// thresholds give answers far from the true ones: each gets its " Check: "
// line with the double-precision value, and nothing is written where the
// answer is right.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "commands/auto_run.h"
#include "commands/checks/check_test_util.h"
#include "commands/checks/result_checks.h"
#include "commands/set_precision.h"

namespace quorvix {
namespace {

using namespace checktest;

// The only check line of the state, or a failure.
std::string OnlyCheck(const CalcState& s) {
    EXPECT_EQ(s.Log.Checks.size(), 1U);
    return s.Log.Checks.empty() ? std::string() : s.Log.Checks.front();
}

// The line is in the panel, followed by an empty line.
void ExpectInPanel(const CalcState& s, const std::string& line) {
    const auto& lines = s.Panel.Lines();
    bool found = false;
    for (std::size_t k = 0; k + 1 < lines.size(); ++k)
        if (lines[k] == line && lines[k + 1].empty()) found = true;
    EXPECT_TRUE(found) << line;
}

TEST(ProductCheck, TermsBelowTheRoundingAreNotLost) {
    CalcState s = CheckedState("0.000001 0.000001", "0.000001\n0.000001");
    SetPrecision(s, "e");
    RunChecked(s, "A*B");
    const std::string line = OnlyCheck(s);
    EXPECT_EQ(line,
              " Check: a double-precision computation gives 2E-012 for element (1,1) of this product; the design's "
              "rounding of small values changed it; scale the matrices.");
    ExpectInPanel(s, line);
    EXPECT_TRUE(s.Log.Refusals.empty());
}

TEST(ProductCheck, SmallEntriesOfA50By50ProductNameTheWorstElement) {
    std::mt19937_64 rng(21);
    std::uniform_real_distribution<double> u(0.0, 3e-6);
    std::vector<std::vector<double>> a(50, std::vector<double>(50)), b = a;
    for (auto& row : a)
        for (double& v : row) v = u(rng);
    for (auto& row : b)
        for (double& v : row) v = u(rng);
    CalcState s = CheckedState(MatrixText(a), MatrixText(b));
    RunChecked(s, "A*B");
    const std::string line = OnlyCheck(s);
    int i = 0, j = 0;
    ASSERT_EQ(std::sscanf(line.c_str() + line.find("element (") + 9, "%d,%d", &i, &j), 2) << line;
    long double exact = 0;
    for (int k = 0; k < 50; ++k) exact += static_cast<long double>(a[i - 1][k]) * b[k][j - 1];
    EXPECT_NEAR(GivenNumber(line), static_cast<double>(exact), 1e-7 * static_cast<double>(exact)) << line;
}

TEST(ProductCheck, WellScaledProductSaysNothing) {
    CalcState s = CheckedState("1 2\n3 4", "0.5 -1\n2 7");
    RunChecked(s, "A*B");
    EXPECT_TRUE(s.Log.Checks.empty());
}

TEST(QuotientCheck, InverseEntriesBelowTheRounding) {
    CalcState s = CheckedState("2e11 1e11", "4e11 1e11\n1e11 3e11");
    SetPrecision(s, "8");
    RunChecked(s, "A/B");
    const std::string line = OnlyCheck(s);
    // A/B = (2 1)·inv(4 1; 1 3) = (5/11 2/11); the element farthest off is 2/11.
    EXPECT_NE(line.find("for element (1,2) of this quotient"), std::string::npos) << line;
    EXPECT_NEAR(GivenNumber(line), 2.0 / 11.0, 1e-8) << line;
    EXPECT_NE(line.find("(condition "), std::string::npos);
}

TEST(PowerCheck, CubeOfSmallEntries) {
    CalcState s = CheckedState("0.00007 0.00007\n0.00007 0.00007", "1", "3");
    RunChecked(s, "A^x");
    const std::string line = OnlyCheck(s);
    EXPECT_NE(line.find("of this power"), std::string::npos) << line;
    EXPECT_NEAR(GivenNumber(line), 4 * 7e-5 * 7e-5 * 7e-5, 1e-19) << line;
}

TEST(PowerCheck, SquareOfAnOrdinaryMatrixSaysNothing) {
    CalcState s = CheckedState("1 2\n3 4", "1", "2");
    RunChecked(s, "A^x");
    EXPECT_TRUE(s.Log.Checks.empty());
}

TEST(DeterminantCheck, PascalIsOneNotZero) {
    for (int n : {13, 14}) {
        CalcState s = CheckedState(MatrixText(Pascal(n)));
        RunChecked(s, "Det(A)");
        const std::string line = OnlyCheck(s);
        EXPECT_NEAR(GivenNumber(line), 1.0, 1e-3) << line;
        EXPECT_NE(line.find("0.00005"), std::string::npos) << line;
        EXPECT_NE(line.find("use PLU(A)"), std::string::npos) << line;
    }
}

TEST(DeterminantCheck, HilbertBelowTheRounding) {
    CalcState s = CheckedState(MatrixText(Hilbert(6)));
    RunChecked(s, "Det(A)");
    const std::string line = OnlyCheck(s);
    EXPECT_NEAR(GivenNumber(line), 1.0 / 186313420339200000.0, 1e-6 / 186313420339200000.0) << line;
    EXPECT_NE(line.find("rounding of small values"), std::string::npos) << line;
}

TEST(DeterminantCheck, BlockThresholdOfADiagonal) {
    CalcState s = CheckedState("", "1 0 0\n0 0.00001 0\n0 0 0.00001");
    RunChecked(s, "Det(B)");
    const std::string line = OnlyCheck(s);
    EXPECT_EQ(line.substr(0, line.find(" (")),
              " Check: a double-precision computation gives 1E-010 for this determinant");
    EXPECT_NE(line.find("use PLU(B)"), std::string::npos) << line;
}

TEST(DeterminantCheck, SingularAndOrdinaryMatricesSayNothing) {
    for (const char* a : {"1 2\n2 4", "1 2 3\n4 5 6\n7 8 9", "2 1\n1 3", "1e8 2\n1e8 3"}) {
        CalcState s = CheckedState(a);
        RunChecked(s, "Det(A)");
        EXPECT_TRUE(s.Log.Checks.empty()) << a;
    }
}

TEST(RankCheck, RankTenAtEveryScale) {
    for (double scale : {1.0, 100.0, 1e3, 1e8, 1e10}) {
        CalcState s = CheckedState(MatrixText(OfRank(20, 10, scale, 77)));
        const std::string error = RunChecked(s, "Rank(A)");
        SCOPED_TRACE(scale);
        // What the design prints decides whether a line follows.
        const bool printedTen = error.empty() && s.Panel.Lines().at(2).find(" 10") != std::string::npos;
        if (printedTen) {
            EXPECT_TRUE(s.Log.Checks.empty());
            continue;
        }
        const std::string line = OnlyCheck(s);
        EXPECT_EQ(GivenNumber(line), 10.0) << line;
        if (!error.empty()) {
            EXPECT_NE(line.find("1e-6"), std::string::npos) << line;
        }
    }
}

TEST(RankCheck, ExactRankOfTheInverseHilbertMatrixStands) {
    CalcState s = CheckedState(MatrixText(InverseHilbert(11)));
    RunChecked(s, "Rank(A)");
    EXPECT_EQ(s.Panel.Lines().at(2), "           11");
    EXPECT_TRUE(s.Log.Checks.empty());
}

TEST(InverseCheck, HilbertNineHasAnInverse) {
    CalcState s = CheckedState(MatrixText(Hilbert(9)));
    RunChecked(s, "inv(A)");
    const std::string line = OnlyCheck(s);
    double largest = 0;
    for (const auto& row : InverseHilbert(9))
        for (double v : row) largest = std::fmax(largest, std::fabs(v));
    EXPECT_NE(line.find("an inverse for this matrix"), std::string::npos) << line;
    EXPECT_NEAR(std::fabs(std::strtod(line.c_str() + line.find("element ") + 8, nullptr)), largest, 1e-3 * largest)
        << line;
    EXPECT_NE(line.find("2^-64"), std::string::npos) << line;
}

TEST(InverseCheck, WhereDoubleCannotDecideNothingIsSaid) {
    CalcState s = CheckedState(MatrixText(Hilbert(12)));
    RunChecked(s, "inv(A)");
    EXPECT_TRUE(s.Log.Checks.empty());
}

TEST(LUCheck, TinyPivotsStopLUButNotTheFactors) {
    CalcState s = CheckedState("0.000001 0\n0 0.000001");
    EXPECT_EQ(RunChecked(s, "LU(A)"), "Division by zero");
    const std::string line = OnlyCheck(s);
    EXPECT_NE(line.find("L and U for this matrix, its smallest pivot 1E-006"), std::string::npos) << line;
    // The error line closes the label, the check line follows it.
    EXPECT_EQ(s.Panel.Lines(), (std::vector<std::string>{"LU(A)", " Error: Division by zero.", "", line, ""}));
}

TEST(CholeskyCheck, TinyPivotsStopCholButNotTheFactors) {
    CalcState s = CheckedState("0.000001 0\n0 0.000001");
    EXPECT_EQ(RunChecked(s, "Chol(A)"), "Division by zero");
    EXPECT_NE(OnlyCheck(s).find("L and D for this matrix"), std::string::npos);
}

TEST(FactorChecks, OrdinaryFactorsSayNothing) {
    for (const char* step : {"LU(A)", "QR(A)", "Chol(A)", "Eig(A)", "Svd(A)", "inv(A)", "Rank(A)"}) {
        CalcState s = CheckedState("4 1 2\n1 5 3\n2 3 6");
        RunChecked(s, step);
        EXPECT_TRUE(s.Log.Checks.empty()) << step;
    }
}

// QR, Eig and Svd work without the rounding of small values, and no input
// is known to lead them astray; their checks are shown to catch factors
// that are wrong by handing them the command's result with one fault
// planted in it.
std::optional<std::string> CheckOf(CalcState& s, const char* step, const CommandResult& planted) {
    const Operation& op = *FindOperationByStep(step);
    CheckedOutcome outcome;
    outcome.Result = &planted;
    return FindResultCheck(op)(s, op, outcome);
}

TEST(FactorChecks, PlantedFaultsAreCaught) {
    CalcState s = CheckedState("4 1 2\n1 5 3\n2 3 6");
    s.CheckResults = false;
    for (const char* step : {"QR(A)", "Eig(A)", "Svd(A)", "LU(A)", "Chol(A)"}) {
        RunChecked(s, step);
        CommandResult r = s.Kept.back().Value;
        EXPECT_FALSE(CheckOf(s, step, r)) << step;
        if (auto* f = std::get_if<FactorPairResult>(&r))
            f->Second[1][1] = Scalar::Real(RealPart(f->Second[1][1]) * 1.001);
        if (auto* e = std::get_if<EigenResult>(&r)) e->Re[2] *= 1.001;
        if (auto* v = std::get_if<SvdResult>(&r)) v->S[1][1] = Scalar::Real(RealPart(v->S[1][1]) * 1.001);
        const std::optional<std::string> line = CheckOf(s, step, r);
        ASSERT_TRUE(line) << step;
        EXPECT_EQ(line->rfind(" Check: a double-precision computation gives ", 0), 0U) << *line;
    }
}

// Svd's U of a tall matrix as it was before its columns were completed: the
// last column zero. The check finds U not orthogonal.
TEST(FactorChecks, TallUWithAZeroColumnIsNotOrthogonal) {
    CalcState s = CheckedState("1 2\n3 4\n5 6");
    s.CheckResults = false;
    RunChecked(s, "Svd(A)");
    CommandResult r = s.Kept.back().Value;
    EXPECT_FALSE(CheckOf(s, "Svd(A)", r));
    auto& svd = std::get<SvdResult>(r);
    for (auto& row : svd.U) row[2] = Scalar::Real(0.0);
    const std::optional<std::string> line = CheckOf(s, "Svd(A)", r);
    ASSERT_TRUE(line);
    EXPECT_NE(line->find("|U'*U - I|"), std::string::npos) << *line;
}

TEST(DeterminantCheck, EliminationFactorBelowTheRounding) {
    CalcState s = CheckedState("1e8 2\n1e-8 -2e-8");
    RunChecked(s, "Det(A)");
    // 1e8 * -2e-8 - 2 * 1e-8 = -2.00000002; the factor 1e-16 was taken as 0.
    EXPECT_NE(OnlyCheck(s).find("gives -2.00000002 for this determinant"), std::string::npos) << OnlyCheck(s);
}

TEST(CheckSwitch, NoCheckWritesNothing) {
    CalcState s = CheckedState("0.000001 0.000001", "0.000001\n0.000001");
    s.CheckResults = false;
    RunChecked(s, "A*B");
    EXPECT_TRUE(s.Log.Checks.empty());
    EXPECT_EQ(s.Panel.Lines(), (std::vector<std::string>{"A*B=", "          0", ""}));
}

TEST(CheckSwitch, AutoChecksToo) {
    CalcState s = CheckedState("0.000001 0.000001", "0.000001\n0.000001");
    try {
        RunAuto(s);
    } catch (const CalcError&) {}
    bool product = false;
    for (const std::string& line : s.Log.Checks)
        if (line.find("of this product") != std::string::npos) product = true;
    EXPECT_TRUE(product);
}

TEST(PanelErrorLine, AnErrorAfterTheLabelClosesIt) {
    CalcState s = CheckedState("1 x");
    EXPECT_FALSE(RunChecked(s, "A").empty());
    ASSERT_EQ(s.Panel.LineCount(), 3U);
    EXPECT_EQ(s.Panel.Lines()[0], "A");
    EXPECT_EQ(s.Panel.Lines()[1], " Error: Could not parse real portion [<?>x].");
    EXPECT_EQ(s.Panel.Lines()[2], "");
}

TEST(PanelErrorLine, AnErrorBeforeTheLabelWritesNothing) {
    CalcState s = CheckedState("1 2\n3 4", "1", "q");
    EXPECT_FALSE(RunChecked(s, "A^x").empty());
    EXPECT_EQ(s.Panel.LineCount(), 0U);
}

TEST(InverseOfNonSquare, IsRefused) {
    CalcState s = CheckedState("1 2 3\n4 5 6", "1 2");
    RunChecked(s, "inv(A)");
    RunChecked(s, "inv(B)");
    EXPECT_EQ(s.Panel.Lines(),
              (std::vector<std::string>{"inv(A)", " Error: To Calculate inv(A), the Matrix must be square!", "",
                                        "inv(B)", " Error: To Calculate inv(B), the Matrix must be square!", ""}));
    EXPECT_TRUE(s.Kept.empty());
}

}  // namespace
}  // namespace quorvix
