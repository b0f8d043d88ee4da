// quorvix-cli's progress line: what it says for a plain step and for Auto.
// (That it is drawn only on a terminal is seen in every golden case: their
// standard error is a file, and a line there would fail the case.)
#include "cli/progress_line.h"

#include <gtest/gtest.h>

namespace quorvix {
namespace {

using std::chrono::milliseconds;

TEST(ProgressLine, SaysTheStepItsFractionAndTheTime) {
    Progress p;
    EXPECT_EQ(ProgressLineText(p, "inv(A)", milliseconds(1500)), "inv(A), 0:01 (Ctrl+C cancels)");
    p.Fraction = 0.425;
    EXPECT_EQ(ProgressLineText(p, "inv(A)", milliseconds(75000)), "inv(A) 42 %, 1:15 (Ctrl+C cancels)");
    p.Stage = 12;
    p.Stages = 43;
    p.Label = "Det(A)";
    EXPECT_EQ(ProgressLineText(p, "Auto", milliseconds(3000)), "Auto 12 of 43: Det(A) 42 %, 0:03 (Ctrl+C cancels)");
}

}  // namespace
}  // namespace quorvix
