// The guarded run both front ends use: errors as reports, and the cancel
// notice after what the cancelled command wrote.
#include "workspace/guarded_run.h"

#include <gtest/gtest.h>

#include "commands/operation_table.h"
#include "core/cancel.h"

namespace quorvix {
namespace {

TEST(GuardedRun, ACancelWritesItsNoticeAfterTheLabel) {
    CalcState s = StartState('.');
    s.X = "100000000";
    RequestCancel();
    const GuardedOutcome outcome = RunGuarded(s, FindOperationByStep("A^x")->Run);
    ClearCancel();
    EXPECT_TRUE(outcome.Cancelled);
    EXPECT_EQ(outcome.Error, "The calculation was cancelled");
    EXPECT_EQ(s.Panel.Lines(),
              (std::vector<std::string>{"A^(100000000)", " Notice: The calculation was cancelled.", ""}));
}

TEST(GuardedRun, AnErrorKeepsItsPlaceAndWritesNothing) {
    CalcState s = StartState('.');
    s.MatrixA = {"1 2", "3 q"};
    bool cancelled = true;
    EXPECT_EQ(RunGuarded(s, FindOperationByStep("A")->Run, cancelled), "Could not parse real portion [<?>q]");
    EXPECT_FALSE(cancelled);
    const GuardedOutcome outcome = RunGuarded(s, FindOperationByStep("Det(A)")->Run);
    EXPECT_EQ(outcome.Place, (ErrorPlace{ErrorEditor::A, 2, 2}));
    EXPECT_EQ(s.Panel.Lines(), (std::vector<std::string>{"A", "Det(A)"}));
}

}  // namespace
}  // namespace quorvix
