// MatDeterminant, MatRank, MatLU and MatLDL against the reference routines,
// bit for bit (results, the state of the destroyed operand, errors), with 1
// and 4 threads: on random sizes, and on both sides of each routine's cut-off
// to its typed path.
#include "core/differential_util.h"
#include "core/kernel/dispatch.h"
#include "core/mat_ldl.h"

namespace quorvix {
namespace {

using namespace difftest;

struct Draw {
    Values values;
    Kinds kinds;
    std::string Describe(int rows, int cols) const {
        return std::to_string(rows) + "x" + std::to_string(cols) + ", " + Name(values) + " " + Name(kinds);
    }
};

Draw RandomDraw(std::mt19937_64& rng) {
    return {static_cast<Values>(rng() % static_cast<int>(Values::Count)),
            static_cast<Kinds>(rng() % static_cast<int>(Kinds::Count))};
}

// One random operand of each routine against the reference: the result, the
// destroyed operand and the error.
void CompareDeterminant(std::mt19937_64& rng, int n, int cols, const Draw& d, const std::string& what) {
    SCOPED_TRACE(what + ": " + d.Describe(n, cols));
    const RCOMat m = RandomMatrix(rng, n, cols, d.values, d.kinds);
    RCOMat a = m, aRef = m;
    Scalar det, detRef;
    EXPECT_EQ(Raised([&] { det = MatDeterminant(a, n, cols); }),
              Raised([&] { detRef = reference::MatDeterminant(aRef, n, cols); }));
    EXPECT_TRUE(SameBits(det, detRef)) << Describe(det) << " " << Describe(detRef);
    EXPECT_TRUE(SameBits(a, aRef));
}

void CompareRank(std::mt19937_64& rng, int rows, int cols, const Draw& d, const std::string& what) {
    SCOPED_TRACE(what + ": " + d.Describe(rows, cols));
    const RCOMat m = RandomMatrix(rng, rows, cols, d.values, d.kinds);
    RCOMat a = m, aRef = m;
    double rank = -1, rankRef = -1;
    EXPECT_EQ(Raised([&] { rank = MatRank(a, rows, cols); }),
              Raised([&] { rankRef = reference::MatRank(aRef, rows, cols); }));
    EXPECT_EQ(rank, rankRef);
    EXPECT_TRUE(SameBits(a, aRef));
}

void CompareDoolittle(std::mt19937_64& rng, int n, int cols, const Draw& d, const std::string& what) {
    SCOPED_TRACE(what + ": " + d.Describe(n, cols));
    RCOMat m = RandomMatrix(rng, n, cols, d.values, d.kinds);
    // Doolittle has no pivoting: a heavy diagonal keeps most cases going.
    if (rng() % 2 == 0 && d.values != Values::Edge)
        for (int i = 0; i < std::min(n, cols); ++i) m[i][i] = m[i][i] * Scalar::Integer(64);
    RCOMat a = m, aRef = m, l, u, lRef, uRef;
    SizeMatrix(l, n, cols);
    SizeMatrix(u, n, cols);
    SizeMatrix(lRef, n, cols);
    SizeMatrix(uRef, n, cols);
    std::int32_t result = 9, resultRef = 9;
    EXPECT_EQ(Raised([&] { result = MatLU(a, l, u, n, cols); }),
              Raised([&] { resultRef = reference::MatLU(aRef, lRef, uRef, n, cols); }));
    EXPECT_EQ(result, resultRef);
    EXPECT_TRUE(SameBits(a, aRef));
    EXPECT_TRUE(SameBits(l, lRef));
    EXPECT_TRUE(SameBits(u, uRef));
}

void CompareLDL(std::mt19937_64& rng, int n, const Draw& d, const std::string& what) {
    SCOPED_TRACE(what + ": " + d.Describe(n, n));
    RCOMat m = RandomMatrix(rng, n, n, d.values, d.kinds);
    // Half of the cases symmetric with a heavy diagonal, so that they factor.
    if (rng() % 2 == 0 && d.values != Values::Edge)
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < i; ++j) m[i][j] = m[j][i];
            m[i][i] = m[i][i] + Scalar::Integer(4 * n);
        }
    RCOMat a = m, aRef = m, l = RealRows({{7}}), dd = l, lRef = l, ddRef = l;
    bool ok = false, okRef = false;
    EXPECT_EQ(Raised([&] { ok = MatLDL(a, l, dd); }), Raised([&] { okRef = reference::MatLDL(aRef, lRef, ddRef); }));
    EXPECT_EQ(ok, okRef);
    EXPECT_TRUE(SameBits(a, aRef));
    EXPECT_TRUE(SameBits(l, lRef));
    EXPECT_TRUE(SameBits(dd, ddRef));
}

TEST_P(Differential, MatDeterminant) {
    std::mt19937_64 rng(Seed(5));
    for (int c = 0; c < 1500; ++c) {
        const int n = c < 1497 ? RandomSize(rng) : 100 + 60 * (c - 1497);
        const int cols = rng() % 10 == 0 ? RandomSize(rng) : n;
        CompareDeterminant(rng, n, cols, RandomDraw(rng), "case " + std::to_string(c));
    }
    for (const int n : {kernel::kTypedDeterminantFromOrder - 1, kernel::kTypedDeterminantFromOrder})
        ForCutOffDraws([&](Values v, Kinds k) { CompareDeterminant(rng, n, n, {v, k}, "at the cut-off"); });
}

TEST_P(Differential, MatRank) {
    std::mt19937_64 rng(Seed(6));
    for (int c = 0; c < 1500; ++c) {
        const bool large = c >= 1497;
        const int rows = large ? 80 + 70 * (c - 1497) : RandomSize(rng);
        const int cols = large ? 150 : rng() % 2 == 0 ? rows : RandomSize(rng);
        CompareRank(rng, rows, cols, RandomDraw(rng), "case " + std::to_string(c));
    }
    // One element short of the cut-off (11 x 13), and a square at it.
    constexpr int side = 12;
    static_assert(side * side == kernel::kTypedRankFromElements);
    ForCutOffDraws([&](Values v, Kinds k) {
        CompareRank(rng, side - 1, side + 1, {v, k}, "below the cut-off");
        CompareRank(rng, side, side, {v, k}, "at the cut-off");
    });
}

TEST_P(Differential, MatLU) {
    std::mt19937_64 rng(Seed(7));
    for (int c = 0; c < 1500; ++c) {
        const int n = c < 1498 ? RandomSize(rng) : 120 + 90 * (c - 1498);
        const int cols = rng() % 10 == 0 ? RandomSize(rng) : n;
        CompareDoolittle(rng, n, cols, RandomDraw(rng), "case " + std::to_string(c));
    }
    for (const int n : {kernel::kTypedDoolittleFromOrder - 1, kernel::kTypedDoolittleFromOrder})
        ForCutOffDraws([&](Values v, Kinds k) { CompareDoolittle(rng, n, n, {v, k}, "at the cut-off"); });
}

TEST_P(Differential, MatLDL) {
    std::mt19937_64 rng(Seed(8));
    for (int c = 0; c < 1500; ++c) {
        const int n = c < 1498 ? RandomSize(rng) : 150 + 100 * (c - 1498);
        CompareLDL(rng, n, RandomDraw(rng), "case " + std::to_string(c));
    }
    for (const int n : {kernel::kTypedLDLFromOrder - 1, kernel::kTypedLDLFromOrder})
        ForCutOffDraws([&](Values v, Kinds k) { CompareLDL(rng, n, {v, k}, "at the cut-off"); });
}

}  // namespace
}  // namespace quorvix
