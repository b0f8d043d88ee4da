// Pivots by |re| + |im| and whole complex multipliers change nothing for real
// matrices: Det, Rank, the packed LU factors and MatInvertLU give the same
// bits as the routines that pivoted by the real part alone (kept in
// reference/real_part_pivots.h). Real here means every imaginary part is 0,
// whatever the element kind: complex as the reader makes them, real, integer
// or a mix. The seed is printed; QUORVIX_SEED=<number> replays a run.
#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <random>
#include <string>

#include "core/mat_test_util.h"
#include "core/reference/real_part_pivots.h"

namespace quorvix {
namespace {

using namespace mattest;
namespace old = reference::realpivot;

// Element kinds of a random real matrix.
enum class Kinds { Complex, Real, Integer, Mixed };

// Values of a few kinds of real matrix: two-decimal entries as typed, small
// integers (many ties between magnitudes, so the first-largest rule matters),
// and products of two thin integer matrices (rank-deficient, exact zeros).
RCOMat RandomRealMatrix(std::mt19937_64& rng, int rows, int cols, Kinds kinds) {
    std::vector<std::vector<double>> v(rows, std::vector<double>(cols));
    switch (rng() % 3) {
        case 0: {
            std::uniform_int_distribution<int> d(-999, 999);
            for (auto& row : v)
                for (double& x : row) x = d(rng) / 100.0;
            break;
        }
        case 1: {
            std::uniform_int_distribution<int> d(-3, 3);
            for (auto& row : v)
                for (double& x : row) x = d(rng);
            break;
        }
        default: {
            const int r = 1 + static_cast<int>(rng() % static_cast<unsigned>(std::min(rows, cols)));
            std::uniform_int_distribution<int> d(-4, 4);
            std::vector<std::vector<double>> x(rows, std::vector<double>(r)), y(r, std::vector<double>(cols));
            for (auto& row : x)
                for (double& e : row) e = d(rng);
            for (auto& row : y)
                for (double& e : row) e = d(rng);
            for (int i = 0; i < rows; ++i)
                for (int j = 0; j < cols; ++j)
                    for (int k = 0; k < r; ++k) v[i][j] += x[i][k] * y[k][j];
        }
    }
    RCOMat m(rows, RCOVec(cols));
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const double x = v[i][j];
            Kinds k = kinds == Kinds::Mixed ? (rng() % 2 == 0 ? Kinds::Real : Kinds::Integer) : kinds;
            if (k == Kinds::Integer && x != static_cast<std::int32_t>(x)) k = Kinds::Real;
            m[i][j] = k == Kinds::Complex ? C(x) : k == Kinds::Real ? R(x) : I(static_cast<std::int32_t>(x));
        }
    return m;
}

TEST(PivotMagnitudeProperty, RealMatricesKeepTheirBits) {
    const std::uint64_t seed = TestSeed(20260701);
    std::cout << "[ seed     ] QUORVIX_SEED=" << seed << "\n";
    std::mt19937_64 rng(seed);
    for (int c = 0; c < 2000; ++c) {
        const int rows = 1 + static_cast<int>(rng() % 9);
        const int cols = rng() % 2 == 0 ? rows : 1 + static_cast<int>(rng() % 9);
        const Kinds kinds = static_cast<Kinds>(rng() % 4);
        const RCOMat m = RandomRealMatrix(rng, rows, cols, kinds);
        SCOPED_TRACE("case " + std::to_string(c) + ", " + std::to_string(rows) + "x" + std::to_string(cols) +
                     ", kinds " + std::to_string(static_cast<int>(kinds)));

        RCOMat a = m, b = m;
        EXPECT_EQ(MatRank(a, rows, cols), old::MatRank(b, rows, cols));
        EXPECT_TRUE(SameBits(a, b));
        if (rows != cols) continue;

        a = m, b = m;
        const Scalar det = MatDeterminant(a, rows, cols);
        EXPECT_TRUE(SameBits(det, old::MatDeterminant(b, rows, cols))) << Describe(det);
        EXPECT_TRUE(SameBits(a, b));

        a = m, b = m;
        RCoVecE rp, cp, rpOld, cpOld;
        EXPECT_EQ(MatLUDecompose(rows, a, rp, cp), old::MatLUDecompose(rows, b, rpOld, cpOld));
        EXPECT_EQ(rp, rpOld);
        EXPECT_EQ(cp, cpOld);
        EXPECT_TRUE(SameBits(a, b));

        a = m, b = m;
        RCOMat inv, invOld;
        MatStatus invStatus = MatStatus::Empty, invStatusOld = MatStatus::Empty;
        EXPECT_EQ(ErrorOf([&] { invStatus = MatInvertLU(a, inv); }),
                  ErrorOf([&] { invStatusOld = old::MatInvertLU(b, invOld); }));
        EXPECT_EQ(invStatus, invStatusOld);
        EXPECT_TRUE(SameBits(inv, invOld));
    }
}

}  // namespace
}  // namespace quorvix
