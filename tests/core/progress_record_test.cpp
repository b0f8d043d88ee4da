// The progress record: a fraction that only goes forward within a command,
// counted within the running part of a routine made of parts.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "core/cancel.h"

namespace quorvix {
namespace {

class ProgressRecord : public ::testing::Test {
protected:
    void SetUp() override { ResetProgress(); }
    void TearDown() override { ResetProgress(); }
};

TEST_F(ProgressRecord, UnknownUntilAStepIsReported) {
    EXPECT_LT(CurrentProgress().Fraction, 0.0);
    CheckCancelled();
    EXPECT_LT(CurrentProgress().Fraction, 0.0);
    CheckCancelled(0, 8);
    EXPECT_EQ(CurrentProgress().Fraction, 0.0);
    CheckCancelled(2, 8);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 0.25);
}

TEST_F(ProgressRecord, AReportBehindTheRecordLeavesIt) {
    // Two threads of a split loop: the second starts half way, the first
    // then reports its own earlier rows.
    CheckCancelled(50, 100);
    CheckCancelled(10, 100);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 0.5);
    // A second routine of the same command starts again from nothing.
    CheckCancelled(0, 7);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 0.5);
    CheckCancelled(6, 8);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 0.75);
    // More than the whole counts as the whole.
    CheckCancelled(12, 8);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 1.0);
}

TEST_F(ProgressRecord, StepsCountWithinTheRunningPart) {
    SetProgressPart(0, 4);
    EXPECT_EQ(CurrentProgress().Fraction, 0.0);
    CheckCancelled(1, 2);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 0.125);
    SetProgressPart(1, 4);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 0.25);
    // The next part's steps start from its own beginning, not from 0.
    CheckCancelled(0, 2);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 0.25);
    CheckCancelled(2, 2);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 0.5);
    SetProgressPart(3, 4);
    CheckCancelled(1, 4);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 0.8125);
    // No parts at all is no part.
    SetProgressPart(0, 0);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 0.8125);
}

TEST_F(ProgressRecord, ResetForgetsTheFractionAndTheParts) {
    SetProgressPart(2, 3);
    CheckCancelled(1, 2);
    ResetProgress();
    EXPECT_LT(CurrentProgress().Fraction, 0.0);
    CheckCancelled(1, 2);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 0.5);
    // A new stage of Auto starts its command afresh too.
    SetProgressStage(3, 43, "Det(A)");
    EXPECT_LT(CurrentProgress().Fraction, 0.0);
    SetProgressStage(0, 0, nullptr);
}

TEST_F(ProgressRecord, ThreadsReportingAtOnceNeverPullItBack) {
    // Each thread walks its own rows; a reader sees the record only grow.
    constexpr int kRows = 20000;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = t * kRows / 4; i < (t + 1) * kRows / 4; ++i) CheckCancelled(i + 1, kRows);
        });
    double last = -1.0;
    bool forward = true;
    for (int i = 0; i < 20000; ++i) {
        const double now = CurrentProgress().Fraction;
        forward = forward && now >= last;
        last = now;
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_TRUE(forward);
    EXPECT_DOUBLE_EQ(CurrentProgress().Fraction, 1.0);
}

// Auto's place as a reader sees it while another thread runs Auto's
// `stages` commands of `steps` steps each, the reader reading at least twice
// after every tenth command and after the last: one per command done plus
// the running command's fraction. Whether it ever went back, and the last
// place read.
struct PlacesRead {
    bool Forward = true;
    double Last = 0.0;
};
PlacesRead ReadWhileAutoRuns(int stages, int steps) {
    std::atomic<long> reads{0};
    std::atomic<bool> done{false};
    std::thread autoRun([&] {
        for (int stage = 0; stage < stages; ++stage) {
            SetProgressStage(stage, stages, "Det(A)");
            for (int step = 1; step <= steps; ++step) CheckCancelled(step, steps);
            if (stage % 10 != 9 && stage + 1 != stages) continue;
            const long before = reads.load();
            while (reads.load() < before + 2) std::this_thread::yield();
        }
        done = true;
    });
    PlacesRead read;
    while (!done) {
        const Progress p = CurrentProgress();
        if (p.Stages == stages) {
            const double place = p.Stage + std::max(p.Fraction, 0.0);
            read.Forward = read.Forward && place >= read.Last;
            read.Last = place;
        }
        reads.fetch_add(1);
    }
    autoRun.join();
    SetProgressStage(0, 0, nullptr);
    return read;
}

TEST_F(ProgressRecord, AutoReadWhileItMovesOnIsNeverBehind) {
    // The fraction and the stage are read together: a reader never pairs the
    // last command's end with the next command's stage (a step ahead, then
    // back). The moment is short, so Auto runs many times.
    for (int run = 0; run < 10; ++run) {
        const PlacesRead read = ReadWhileAutoRuns(1000, 50);
        ASSERT_TRUE(read.Forward) << "run " << run;
        EXPECT_EQ(read.Last, 1000.0);
    }
    const Progress after = CurrentProgress();
    EXPECT_EQ(after.Stages, 0);
    EXPECT_EQ(after.Label, nullptr);
    EXPECT_LT(after.Fraction, 0.0);
}

}  // namespace
}  // namespace quorvix
