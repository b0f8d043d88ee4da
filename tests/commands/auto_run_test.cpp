// "Auto": the 43 commands in their fixed order, refusals and errors that do
// not stop the run, and a cancel that does.
#include "commands/auto_run.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/cancel.h"
#include "core/errors.h"

namespace quorvix {
namespace {

// The order in which Auto presses the buttons, by their result labels (the
// powers show the exponent, here x = 1).
const std::vector<std::string> kLabels = {
    "A",       "B",       "A+B",   "A'",       "B'",       "A-B",    "inv(A)",  "inv(B)",  "A*B",
    "Max(A)",  "Max(B)",  "A.*B",  "Min(A)",   "Min(B)",   "A/B",    "Norm(A)", "Norm(B)", "A./B",
    "Dim(A)",  "Dim(B)",  "A&B",   "Trace(A)", "Trace(B)", "A|B",    "Det(A)",  "Det(B)",  "A#B",
    "Rank(A)", "Rank(B)", "A*x",   "Eig(A)",   "Eig(B)",   "B*x",    "QR(A)",   "QR(B)",   "A^(1)",
    "LU(A)",   "LU(B)",   "B^(1)", "Chol(A)",  "Chol(B)",  "Svd(A)", "Svd(B)",
};

CalcState Identities() {
    CalcState s;
    s.MatrixA = {"1 0 0", "0 1 0", "0 0 1"};
    s.MatrixB = s.MatrixA;
    s.X = "1";
    s.Precision = "3";
    return s;
}

// Label lines are the ones that start with neither a blank nor the warning:
// every printed value, message and factor heading starts with a blank.
std::vector<std::string> LabelLines(const CalcState& s) {
    std::vector<std::string> labels;
    for (const std::string& line : s.Panel.Lines())
        if (!line.empty() && line[0] != ' ' && line.rfind("Warning", 0) != 0) labels.push_back(line);
    return labels;
}

std::vector<std::string> WithEquals(std::vector<std::string> labels) {
    for (std::string& l : labels) l += "=";
    return labels;
}

TEST(Auto, RunsAllCommandsInOrderOnTheStartMatrices) {
    ASSERT_EQ(kLabels.size(), 43u);
    CalcState s = Identities();
    s.Panel.AddLine("an earlier result");
    RunAuto(s);
    // Every command prints its result, except A./B, which refuses the zeros of B.
    std::vector<std::string> expected = WithEquals(kLabels);
    expected[17] = "A./B";
    EXPECT_EQ(LabelLines(s), expected);
    const auto& lines = s.Panel.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), " Error: To Calculate A./B, the Matrix B without 0!"), lines.end());
    EXPECT_EQ(s.Panel.Lines().front(), "A=");
    EXPECT_TRUE(s.Panel.Lines().back().empty());
}

TEST(Auto, RefusalsDoNotStopTheRun) {
    CalcState s = Identities();
    s.MatrixA = {"1 2 3", "4 5 6"};
    RunAuto(s);
    std::vector<std::string> labels = LabelLines(s);
    for (std::string& l : labels)
        if (!l.empty() && l.back() == '=') l.pop_back();
    EXPECT_EQ(labels, kLabels);
    const auto& lines = s.Panel.Lines();
    auto has = [&](const std::string& text) { return std::find(lines.begin(), lines.end(), text) != lines.end(); };
    EXPECT_TRUE(has(" Error: To Calculate A+B, the two Matrice must be same dimensions!"));
    EXPECT_TRUE(has(" Error: To Calculate Det(A), the Matrix must be square!"));
    EXPECT_TRUE(has(" Error: To Calculate A^x, A must be square! "));
    EXPECT_EQ(lines.back(), "");
}

TEST(Auto, AnErrorIsWrittenAndTheRunGoesOn) {
    CalcState s = Identities();
    s.MatrixB = {"1 abc"};
    try {
        RunAuto(s);
        FAIL() << "Auto raised nothing";
    } catch (const ComplexParseError& e) {
        // The first error, raised again at the end, with its place.
        EXPECT_STREQ(e.what(), "Could not parse real portion [<?>abc]");
        EXPECT_EQ(e.Place(), (ErrorPlace{ErrorEditor::B, 1, 2}));
    }
    // Every command ran: each one that reads B has the error line after its label.
    std::vector<std::string> labels = LabelLines(s);
    for (std::string& l : labels)
        if (!l.empty() && l.back() == '=') l.pop_back();
    EXPECT_EQ(labels, kLabels);
    const std::vector<std::string> failedB = {"B", " Error: Could not parse real portion [<?>abc].", ""};
    const auto& lines = s.Panel.Lines();
    EXPECT_NE(std::search(lines.begin(), lines.end(), failedB.begin(), failedB.end()), lines.end());
    // The real-only reader's own message.
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"Svd(B)", " Error: 'abc' is not a valid floating point value.", ""}));
}

// A real 200 x 200 matrix with entries in [-10, 10]: its determinant is far
// beyond the double range, and Auto must still reach Rank, Eig, Svd and the rest.
TEST(Auto, AnOverflowingDeterminantDoesNotHideTheRest) {
    std::mt19937_64 rng(20261208u);
    CalcState s = Identities();
    s.MatrixA.clear();
    for (int i = 0; i < 200; ++i) {
        std::string line;
        for (int j = 0; j < 200; ++j) {
            // From the raw 64-bit output, which the standard fixes, so the matrix is the same everywhere.
            const double v = static_cast<double>(rng() >> 11) * 0x1p-53 * 20.0 - 10.0;
            char text[32];
            std::snprintf(text, sizeof text, "%.6f ", v);
            line += text;
        }
        s.MatrixA.push_back(line);
    }
    s.MatrixB = {"2"};
    EXPECT_THROW(RunAuto(s), ArithmeticError);
    const auto& lines = s.Panel.Lines();
    const std::vector<std::string> det = {"Det(A)", " Error: Floating point overflow.", "", "Det(B)="};
    EXPECT_NE(std::search(lines.begin(), lines.end(), det.begin(), det.end()), lines.end());
    for (const char* later : {"Rank(A)=", "Eig(A)=", "QR(A)=", "LU(A)=", "Svd(A)=", "Svd(B)="})
        EXPECT_NE(std::find(lines.begin(), lines.end(), later), lines.end()) << later;
}

TEST(Auto, ACancelStopsTheRunBetweenCommands) {
    CalcState s = Identities();
    s.Panel.AddLine("an earlier result");
    RequestCancel();
    EXPECT_THROW(RunAuto(s), CancelledError);
    ClearCancel();
    EXPECT_TRUE(s.Panel.Lines().empty());
}

TEST(Auto, LeavesNoStageBehind) {
    CalcState s = Identities();
    RunAuto(s);
    EXPECT_EQ(CurrentProgress().Stages, 0);
    s.MatrixB = {"1 abc"};
    EXPECT_THROW(RunAuto(s), ComplexParseError);
    const Progress after = CurrentProgress();
    EXPECT_EQ(after.Stages, 0);
    EXPECT_EQ(after.Label, nullptr);
}

}  // namespace
}  // namespace quorvix
