// Progress as both front ends read it: the whole command's fraction, which
// only goes forward (a long power, Auto), and the time left told from it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "command_test_util.h"
#include "commands/auto_run.h"
#include "commands/progress_text.h"
#include "core/cancel.h"

namespace quorvix {
namespace {

using std::chrono::milliseconds;

// An n x n matrix of small entries, so that its powers stay finite.
std::string SmallEntries(int n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> d(-9, 9);
    std::string text;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) text += "0.00" + std::to_string(std::abs(d(gen))) + (j + 1 < n ? " " : "");
        text += "\n";
    }
    return text;
}

// The whole command's fraction, read as often as it can be while `work`
// runs on another thread.
std::vector<double> FractionsWhile(const std::function<void()>& work) {
    ClearCancel();
    ResetProgress();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
    });
    std::vector<double> seen;
    while (!done) {
        const double now = CommandFraction(CurrentProgress());
        if (seen.empty() || now != seen.back()) seen.push_back(now);
        std::this_thread::yield();
    }
    worker.join();
    ResetProgress();
    // Once Auto has ended its stages are gone and nothing is known: that is
    // no command's progress any more.
    while (!seen.empty() && seen.back() < 0.0) seen.pop_back();
    return seen;
}

void ExpectForwardOnly(const std::vector<double>& seen) {
    for (std::size_t i = 1; i < seen.size(); ++i) ASSERT_GE(seen[i], seen[i - 1]) << "report " << i;
}

TEST(ProgressForward, APowerCountsItsProductsAndNeverGoesBack) {
    CalcState s = testing_util::StateWith(SmallEntries(96, 7), "", "120");
    const std::vector<double> seen = FractionsWhile([&] { testing_util::RunOf("A^x")(s); });
    ASSERT_FALSE(seen.empty());
    ExpectForwardOnly(seen);
    // Many steps between nothing and the whole, not the fraction of one
    // product over and over.
    EXPECT_GT(seen.size(), 20u);
    EXPECT_GT(seen.back(), 0.9);
    EXPECT_LE(seen.back(), 1.0);
    EXPECT_FALSE(s.Panel.Lines().empty());
}

TEST(ProgressForward, AutoCountsItsCommandsAndNeverGoesBack) {
    // The powers (x = 150) make the run long enough to be read many times.
    CalcState s = testing_util::StateWith(SmallEntries(60, 3), SmallEntries(60, 4), "150");
    const std::vector<double> seen = FractionsWhile([&] { RunAuto(s); });
    ASSERT_FALSE(seen.empty());
    ExpectForwardOnly(seen);
    EXPECT_GT(seen.size(), 5u);
    // Read last while its final commands ran.
    EXPECT_GT(seen.back(), 0.5);
}

TEST(ProgressForward, CommandFractionOfAutoAndOfOneCommand) {
    Progress p;
    EXPECT_LT(CommandFraction(p), 0.0);
    p.Fraction = 0.25;
    EXPECT_DOUBLE_EQ(CommandFraction(p), 0.25);
    p.Fraction = 1.5;
    EXPECT_DOUBLE_EQ(CommandFraction(p), 1.0);
    // Auto: 10 of 40 commands done, the eleventh half way.
    p.Stages = 40;
    p.Stage = 10;
    p.Fraction = 0.5;
    EXPECT_DOUBLE_EQ(CommandFraction(p), 10.5 / 40);
    // Its running command telling nothing counts as just started.
    p.Fraction = -1.0;
    EXPECT_DOUBLE_EQ(CommandFraction(p), 0.25);
    // The next command started is further on than the last one's end.
    p.Stage = 9;
    p.Fraction = 1.0;
    const double endOfNinth = CommandFraction(p);
    p.Stage = 10;
    p.Fraction = -1.0;
    EXPECT_GE(CommandFraction(p), endOfNinth);
}

TEST(ProgressForward, TimeLeftFromTheRateSoFar) {
    EXPECT_FALSE(TimeLeft(-1.0, milliseconds(5000)));
    EXPECT_FALSE(TimeLeft(0.005, milliseconds(5000)));  // too little done to tell
    EXPECT_FALSE(TimeLeft(0.5, milliseconds(400)));     // too soon to tell
    EXPECT_EQ(TimeLeft(0.25, milliseconds(3000)), milliseconds(9000));
    EXPECT_EQ(TimeLeft(0.5, milliseconds(2000)), milliseconds(2000));
    EXPECT_EQ(TimeLeft(1.0, milliseconds(2000)), milliseconds(0));
}

TEST(ProgressForward, TimeTextSaysElapsedAndLeft) {
    EXPECT_EQ(TimeText(-1.0, milliseconds(65000)), "1:05");
    EXPECT_EQ(TimeText(0.25, milliseconds(3000)), "0:03, about 0:09 left");
    // A part of a second left is a whole second.
    EXPECT_EQ(TimeText(0.8, milliseconds(10000)), "0:10, about 0:03 left");
    EXPECT_EQ(TimeText(0.75, milliseconds(90000)), "1:30, about 0:30 left");
}

}  // namespace
}  // namespace quorvix
