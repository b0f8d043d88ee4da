// quorvix-cli's progress line: what it says for a plain step and for Auto,
// and that its percent never goes back while a long power runs.
// (That it is drawn only on a terminal is seen in every golden case: their
// standard error is a file, and a line there would fail the case.)
#include "cli/progress_line.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "commands/calc_state.h"
#include "commands/operation_table.h"
#include "core/cancel.h"
#include "textio/editor_lines.h"

namespace quorvix {
namespace {

using std::chrono::milliseconds;

TEST(ProgressLine, SaysTheStepItsFractionAndTheTime) {
    Progress p;
    EXPECT_EQ(ProgressLineText(p, "inv(A)", milliseconds(1500)), "inv(A), 0:01 (Ctrl+C cancels)");
    p.Fraction = 0.425;
    EXPECT_EQ(ProgressLineText(p, "inv(A)", milliseconds(75000)),
              "inv(A) 42 %, 1:15, about 1:42 left (Ctrl+C cancels)");
    // Auto: the percent of all its commands, 12.425 of 43.
    p.Stage = 12;
    p.Stages = 43;
    p.Label = "Det(A)";
    EXPECT_EQ(ProgressLineText(p, "Auto", milliseconds(3000)),
              "Auto 12 of 43: Det(A) 28 %, 0:03, about 0:08 left (Ctrl+C cancels)");
    // Too soon to tell the time left.
    EXPECT_EQ(ProgressLineText(p, "Auto", milliseconds(900)), "Auto 12 of 43: Det(A) 28 %, 0:00 (Ctrl+C cancels)");
}

// The percents of the lines drawn into `text` ("\rA^(90) 12 %, ...").
std::vector<int> PercentsDrawn(const std::string& text) {
    std::vector<int> percents;
    std::size_t at = 0;
    while ((at = text.find(" %,", at)) != std::string::npos) {
        std::size_t begin = at;
        while (begin > 0 && std::isdigit(static_cast<unsigned char>(text[begin - 1])) != 0) --begin;
        percents.push_back(std::stoi(text.substr(begin, at - begin)));
        at += 3;
    }
    return percents;
}

TEST(ProgressLine, APowersPercentNeverGoesBack) {
    std::string matrix;
    for (int i = 0; i < 80; ++i) {
        for (int j = 0; j < 80; ++j) matrix += (i + j) % 3 == 0 ? "0.01 " : "0.002 ";
        matrix += "\n";
    }
    CalcState s = StartState('.');
    s.MatrixA = SplitEditorText(matrix);
    s.X = "150";
    const Operation* power = FindOperationByStep("A^x");
    ASSERT_NE(power, nullptr);
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    {
        ClearCancel();
        ResetProgress();
        ProgressLine line(out, milliseconds(0), milliseconds(1));
        line.StepStarted("A^x");
        power->Run(s, *power);
        line.StepEnded();
    }
    std::rewind(out);
    std::string drawn;
    for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out)) drawn += static_cast<char>(c);
    std::fclose(out);
    ResetProgress();
    const std::vector<int> percents = PercentsDrawn(drawn);
    ASSERT_GT(percents.size(), 3u) << drawn;
    for (std::size_t i = 1; i < percents.size(); ++i) EXPECT_GE(percents[i], percents[i - 1]) << "line " << i;
    EXPECT_FALSE(s.Panel.Lines().empty());
}

}  // namespace
}  // namespace quorvix
