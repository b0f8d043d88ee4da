// The guarded run both front ends use: the cancel notice after what the
// cancelled command wrote. (Errors and their places reach quorvix-cli's golden
// cases through the same run.)
#include "commands/guarded_run.h"

#include <gtest/gtest.h>

#include "command_test_util.h"
#include "commands/operation_table.h"
#include "core/cancel.h"

namespace quorvix {
namespace {

TEST(GuardedRun, ACancelWritesItsNoticeAfterTheLabel) {
    CalcState s = StartState('.');
    s.X = "100000000";
    RequestCancel();
    const GuardedOutcome outcome = RunGuarded(s, testing_util::RunOf("A^x"));
    ClearCancel();
    EXPECT_TRUE(outcome.Cancelled);
    EXPECT_EQ(outcome.Error, "The calculation was cancelled");
    EXPECT_EQ(s.Panel.Lines(),
              (std::vector<std::string>{"A^(100000000)", " Notice: The calculation was cancelled.", ""}));
}

}  // namespace
}  // namespace quorvix
