// Auto on 50 x 50 matrices: random real and complex ones, ill-conditioned
// ones (Hilbert, Vandermonde), rank-deficient ones (zero and repeated rows),
// and entries near the ends of the double range. Each run must complete, or
// stop at a floating-point error with its message; see auto_stress.h.
#include <gtest/gtest.h>

#include "stress/auto_stress.h"

namespace quorvix::stress {
namespace {

constexpr int kN = 50;

std::mt19937_64 Rng(std::uint64_t salt) { return std::mt19937_64(Seed() * 1000003u + salt); }

TEST(AutoStress, RandomReal50Completes) {
    auto rng = Rng(1);
    const AutoRun run =
        RunAutoAndCheck(RealText(RandomMatrix(kN, kN, rng)), RealText(RandomMatrix(kN, kN, rng)), "3", "3");
    Report("random real 50x50", run);
    EXPECT_FALSE(run.Error.has_value());
}

TEST(AutoStress, RandomComplex50Completes) {
    auto rng = Rng(2);
    const Matrix ar = RandomMatrix(kN, kN, rng), ai = RandomMatrix(kN, kN, rng);
    const Matrix br = RandomMatrix(kN, kN, rng), bi = RandomMatrix(kN, kN, rng);
    const AutoRun run = RunAutoAndCheck(ComplexText(ar, ai), ComplexText(br, bi), "-2", "5");
    Report("random complex 50x50", run);
    EXPECT_FALSE(run.Error.has_value());
}

TEST(AutoStress, HilbertAndVandermonde50) {
    const AutoRun run = RunAutoAndCheck(RealText(Hilbert(kN)), RealText(Vandermonde(kN)), "-2", "8");
    Report("Hilbert and Vandermonde 50x50", run);
}

TEST(AutoStress, ZeroAndRepeatedRows50) {
    auto rng = Rng(3);
    Matrix a = RandomMatrix(kN, kN, rng);
    Matrix b = RandomMatrix(kN, kN, rng);
    for (int i = 0; i < kN; i += 5) a[i].assign(kN, 0.0);  // every fifth row zero
    for (int i = 1; i < kN; i += 2) b[i] = b[i - 1];       // every row twice
    const AutoRun run = RunAutoAndCheck(RealText(a), RealText(b), "-3", "3");
    Report("zero and repeated rows 50x50", run);
    // Nothing here can overflow: a singular matrix is refused, not an error.
    EXPECT_FALSE(run.Error.has_value());
}

TEST(AutoStress, AllZero50) {
    const Matrix zero(kN, std::vector<double>(kN, 0.0));
    const AutoRun run = RunAutoAndCheck(RealText(zero), RealText(zero), "-1", "e");
    Report("zero 50x50", run);
    EXPECT_FALSE(run.Error.has_value());
}

TEST(AutoStress, EntriesNear1e300) {
    auto rng = Rng(4);
    const AutoRun run = RunAutoAndCheck(RealText(RandomMatrix(kN, kN, rng, 1e300)),
                                        RealText(RandomMatrix(kN, kN, rng, 1e300)), "2", "e");
    Report("entries near 1e300 50x50", run);
}

TEST(AutoStress, EntriesNear1eMinus300) {
    auto rng = Rng(5);
    const AutoRun run = RunAutoAndCheck(RealText(RandomMatrix(kN, kN, rng, 1e-300)),
                                        RealText(RandomMatrix(kN, kN, rng, 1e-300)), "2", "e");
    Report("entries near 1e-300 50x50", run);
}

TEST(AutoStress, EntriesOfBothExtremes) {
    auto rng = Rng(6);
    Matrix a = RandomMatrix(kN, kN, rng);
    Matrix b = RandomMatrix(kN, kN, rng);
    for (int i = 0; i < kN; ++i)
        for (int j = 0; j < kN; ++j) {
            a[i][j] *= (i + j) % 2 == 0 ? 1e300 : 1e-300;
            b[i][j] *= i % 3 == 0 ? 1e-300 : 1e300;
        }
    const AutoRun run = RunAutoAndCheck(RealText(a), RealText(b), "-2", "3");
    Report("entries of 1e300 and 1e-300 mixed 50x50", run);
}

TEST(AutoStress, ComplexNearOverflow) {
    auto rng = Rng(7);
    const Matrix re = RandomMatrix(kN, kN, rng, 1e154), im = RandomMatrix(kN, kN, rng, 1e154);
    const AutoRun run = RunAutoAndCheck(ComplexText(re, im), ComplexText(im, re), "2", "3");
    Report("complex entries near 1e154 50x50", run);
}

TEST(AutoStress, WideAndTallShapes) {
    auto rng = Rng(8);
    const AutoRun run =
        RunAutoAndCheck(RealText(RandomMatrix(1, kN, rng)), RealText(RandomMatrix(kN, 3, rng)), "2", "3");
    Report("1x50 and 50x3", run);
    EXPECT_FALSE(run.Error.has_value());
}

}  // namespace
}  // namespace quorvix::stress
