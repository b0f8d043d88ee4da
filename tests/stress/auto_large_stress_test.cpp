// Auto on 200 x 200 random real and complex matrices. Run alone (ctest runs
// each case in a process of its own), the peak resident memory it reports is
// this run's.
#include <gtest/gtest.h>

#include "stress/auto_stress.h"

namespace quorvix::stress {
namespace {

constexpr int kN = 200;

TEST(AutoStressLarge, RandomReal200Completes) {
    std::mt19937_64 rng(Seed() * 1000003u + 200);
    const AutoRun run =
        RunAutoAndCheck(RealText(RandomMatrix(kN, kN, rng)), RealText(RandomMatrix(kN, kN, rng)), "2", "3");
    Report("random real 200x200", run);
    EXPECT_FALSE(run.Error.has_value());
}

TEST(AutoStressLarge, RandomComplex200Completes) {
    std::mt19937_64 rng(Seed() * 1000003u + 201);
    const Matrix ar = RandomMatrix(kN, kN, rng), ai = RandomMatrix(kN, kN, rng);
    const Matrix br = RandomMatrix(kN, kN, rng), bi = RandomMatrix(kN, kN, rng);
    const AutoRun run = RunAutoAndCheck(ComplexText(ar, ai), ComplexText(br, bi), "2", "3");
    Report("random complex 200x200", run);
    EXPECT_FALSE(run.Error.has_value());
}

}  // namespace
}  // namespace quorvix::stress
