// The runner lends its state to one command at a time and takes it back,
// on the worker as at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <thread>

#include "core/cancel.h"
#include "ui/command_runner.h"

namespace quorvix {
namespace {

class Runner : public ::testing::Test {
protected:
    // Waits for the running command's end.
    void Finish() {
        if (runner.Running()) {
            ASSERT_TRUE(finished.wait(10000));
        }
    }

    QWidget window;
    CommandRunner runner{&window, StartState('.')};
    QSignalSpy finished{&runner, &CommandRunner::Finished};
};

TEST_F(Runner, TheWorkersChangesComeBackAndNothingElseRunsMeanwhile) {
    runner.Start(
        [](CalcState& s) {
            s.X = "7";
            s.Panel.AddLine("done");
        },
        false);
    ASSERT_TRUE(runner.Running());
    int ranMeanwhile = 0;
    EXPECT_FALSE(runner.RunNow([&](CalcState&) { ++ranMeanwhile; }).has_value());
    runner.Start([&](CalcState&) { ++ranMeanwhile; }, false);
    Finish();
    EXPECT_EQ(ranMeanwhile, 0);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(runner.Running());
    EXPECT_EQ(runner.State().X, "7");
    EXPECT_EQ(runner.State().Panel.Lines(), std::vector<std::string>{"done"});
    EXPECT_FALSE(runner.Outcome().Error);
}

TEST_F(Runner, CancelStopsTheCommandAtItsNextCheckAndSaysSoInThePanel) {
    runner.Start(
        [](CalcState&) {
            for (;;) CheckCancelled();
        },
        false);
    runner.Cancel();
    Finish();
    EXPECT_TRUE(runner.Outcome().Cancelled);
    EXPECT_EQ(runner.State().Panel.Lines().front(), kCancelNotice);
}

TEST_F(Runner, AnEarlierCancelDoesNotStopTheNextCommand) {
    RequestCancel();
    const std::optional<GuardedOutcome> now = runner.RunNow([](CalcState&) { CheckCancelled(); });
    ASSERT_TRUE(now.has_value());
    EXPECT_FALSE(now->Error);
    RequestCancel();
    runner.Start([](CalcState&) { CheckCancelled(); }, false);
    Finish();
    EXPECT_FALSE(runner.Outcome().Error);
    EXPECT_TRUE(runner.State().Panel.Lines().empty());
}

TEST_F(Runner, TheBusyCursorShowsAtOnceWhenAskedAndGoesWithTheCommand) {
    for (const bool atOnce : {true, false}) {
        runner.Start(
            [](CalcState&) {
                for (;;) {
                    CheckCancelled();  // ends the job with the cancel
                    std::this_thread::yield();
                }
            },
            atOnce);
        EXPECT_EQ(QApplication::overrideCursor() != nullptr, atOnce) << atOnce;
        // A command still running after a moment shows it in any case.
        QSignalSpy slow(&runner, &CommandRunner::Slow);
        ASSERT_TRUE(slow.wait(5000));
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        runner.Cancel();
        Finish();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << atOnce;
    }
}

}  // namespace
}  // namespace quorvix
