// Cancelling whole commands from another thread, as the window's Cancel and
// quorvix-cli's Ctrl+C do: inv(A), A*B, Eig(A) and Svd(A) on 400 x 400
// matrices stop in their first steps, and the panel keeps the label with the
// cancel notice after it; reading and printing a large matrix stop too.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "command_test_util.h"
#include "commands/guarded_run.h"
#include "commands/operation_table.h"
#include "core/cancel.h"
#include "textio/result_writer.h"

namespace quorvix {
namespace {

// An n x n editor of entries in [-1, 1] with two decimals, as typed.
EditorLines Typed(int n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> d(-100, 100);
    EditorLines lines;
    for (int i = 0; i < n; ++i) {
        std::string line;
        for (int j = 0; j < n; ++j) line += std::to_string(d(gen) / 100.0).substr(0, 5) + " ";
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> CancelledPanel(const char* label) { return {label, kCancelNotice, ""}; }

// Runs the command on another thread and raises the flag as soon as its
// routine reports progress, so that the cancel lands in the middle of it.
GuardedOutcome CancelWhileRunning(CalcState& s, const char* step) {
    ClearCancel();
    ResetProgress();
    GuardedOutcome outcome;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        outcome = RunGuarded(s, testing_util::RunOf(step));
        done = true;
    });
    while (!done && CurrentProgress().Fraction <= 0.0) std::this_thread::yield();
    RequestCancel();
    worker.join();
    ClearCancel();
    ResetProgress();
    return outcome;
}

TEST(CancelCommands, LongCommandsStopWithTheirNotice) {
    for (const char* step : {"inv(A)", "A*B", "Eig(A)", "Svd(A)"}) {
        CalcState s = StartState('.');
        s.MatrixA = Typed(400, 1);
        s.MatrixB = Typed(400, 2);
        const GuardedOutcome outcome = CancelWhileRunning(s, step);
        EXPECT_TRUE(outcome.Cancelled) << step;
        EXPECT_EQ(outcome.Error, "The calculation was cancelled") << step;
        EXPECT_EQ(s.Panel.Lines(), CancelledPanel(step)) << step;
    }
}

// Reading checks the flag every few thousand elements, on every thread.
TEST(CancelCommands, ReadingALargeMatrixStops) {
    CalcState s = StartState('.');
    s.MatrixA = Typed(100, 3);
    RequestCancel();
    const GuardedOutcome outcome = RunGuarded(s, testing_util::RunOf("A"));
    ClearCancel();
    EXPECT_TRUE(outcome.Cancelled);
    EXPECT_EQ(s.Panel.Lines(), CancelledPanel("A"));
}

// Printing too: the label has its "=" and nothing of the block is written.
TEST(CancelCommands, PrintingALargeMatrixStops) {
    MatrixResult result;
    SizeMatrix(result.Matrix, 100, 100);
    ResultPanel panel;
    panel.AddLine("A");
    RequestCancel();
    EXPECT_THROW(WriteResult(result, panel, OutputSettings{}), CancelledError);
    ClearCancel();
    EXPECT_EQ(panel.Lines(), (std::vector<std::string>{"A=", ""}));
}

}  // namespace
}  // namespace quorvix
