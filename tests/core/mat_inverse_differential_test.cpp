// MatInverse, MatInvertLU, MatLUDecompose and MatLUSolveColumn against the
// reference routines, bit for bit, with 1 and 4 threads: on random sizes, and
// on both sides of the cut-offs to the bounded Gauss-Jordan steps and to the
// typed LU.
#include "core/differential_util.h"
#include "core/kernel/dispatch.h"

namespace quorvix {
namespace {

using namespace difftest;

// Equal values in every position (+0 and -0 count as equal): the state of
// the destroyed work arrays, whose zeros may differ in sign where only the
// real parts were worked on.
::testing::AssertionResult SameValues(const RCoVecD& a, const RCoVecD& b) {
    if (a.size() != b.size()) return ::testing::AssertionFailure() << "sizes differ";
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i]))))
            return ::testing::AssertionFailure() << "[" << i << "] " << a[i] << " != " << b[i];
    return ::testing::AssertionSuccess();
}

// A value family and an element kind, drawn in that order.
Values RandomValues(std::mt19937_64& rng) { return static_cast<Values>(rng() % static_cast<int>(Values::Count)); }
Kinds RandomKinds(std::mt19937_64& rng) { return static_cast<Kinds>(rng() % static_cast<int>(Kinds::Count)); }

void CompareGaussJordan(std::mt19937_64& rng, int n, Values v, Kinds k, const std::string& what) {
    SCOPED_TRACE(what + ": " + std::to_string(n) + "x" + std::to_string(n) + ", " + Name(v) + " " + Name(k));
    const RCOMat a = RandomMatrix(rng, n, n, v, k);
    RCoVecD re(static_cast<std::size_t>(n) * n), im(re.size());
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            re[static_cast<std::size_t>(i) * n + j] = RealPart(a[i][j]);
            im[static_cast<std::size_t>(i) * n + j] = ImagPart(a[i][j]);
        }
    RCoVecD reRef = re, imRef = im;
    RCOMat inv = RealRows({{42}}), invRef = inv;
    bool singular = false, singularRef = false;
    const std::string error = Raised([&] { singular = MatInverse(n, re, im, inv); });
    EXPECT_EQ(error, Raised([&] { singularRef = reference::MatInverse(n, reRef, imRef, invRef); }));
    EXPECT_EQ(singular, singularRef);
    EXPECT_TRUE(SameBits(inv, invRef));
    EXPECT_TRUE(SameValues(re, reRef));
    EXPECT_TRUE(SameValues(im, imRef));
}

TEST_P(Differential, MatInverse) {
    std::mt19937_64 rng(Seed(3));
    for (int c = 0; c < 1003; ++c) {
        const int n = c < 1000 ? RandomSize(rng) : 120 + 90 * (c - 1000);
        const Values v = RandomValues(rng);
        CompareGaussJordan(rng, n, v, RandomKinds(rng), (c < 1000 ? "case " : "large case ") + std::to_string(c));
    }
    for (const int n : {kernel::kBoundedInverseFromOrder - 1, kernel::kBoundedInverseFromOrder})
        ForCutOffDraws([&](Values v, Kinds k) { CompareGaussJordan(rng, n, v, k, "at the cut-off"); });
}

// A square operand for the LU routines: random, or made singular by a
// repeated row, or with a tiny block.
RCOMat LUOperand(std::mt19937_64& rng, int n, Values v, Kinds k) {
    RCOMat a = RandomMatrix(rng, n, n, v, k);
    if (n >= 2 && rng() % 6 == 0) a[static_cast<std::size_t>(rng() % n)] = a[0];
    return a;
}

void CompareLU(std::mt19937_64& rng, int n, Values v, Kinds k, const std::string& what) {
    SCOPED_TRACE(what + ": " + std::to_string(n) + "x" + std::to_string(n) + ", " + Name(v) + " " + Name(k));
    const RCOMat m = LUOperand(rng, n, v, k);

    RCOMat a = m, aRef = m;
    RCoVecE rp, cp, rpRef, cpRef;
    MatStatus status = MatStatus::Empty, statusRef = MatStatus::Empty;
    EXPECT_EQ(Raised([&] { status = MatLUDecompose(n, a, rp, cp); }),
              Raised([&] { statusRef = reference::MatLUDecompose(n, aRef, rpRef, cpRef); }));
    EXPECT_EQ(status, statusRef);
    EXPECT_EQ(rp, rpRef);
    EXPECT_EQ(cp, cpRef);
    EXPECT_TRUE(SameBits(a, aRef));

    a = m, aRef = m;
    RCOMat inv = RealRows({{42}}), invRef = inv;
    MatStatus invStatus = MatStatus::Empty, invStatusRef = MatStatus::Empty;
    EXPECT_EQ(Raised([&] { invStatus = MatInvertLU(a, inv); }),
              Raised([&] { invStatusRef = reference::MatInvertLU(aRef, invRef); }));
    EXPECT_EQ(invStatus, invStatusRef);
    EXPECT_TRUE(SameBits(a, aRef));
    EXPECT_TRUE(SameBits(inv, invRef));
}

TEST_P(Differential, MatLUDecomposeAndMatInvertLU) {
    std::mt19937_64 rng(Seed(4));
    for (int c = 0; c < 1502; ++c) {
        const int n = c < 1500 ? RandomSize(rng) : 130 + 100 * (c - 1500);
        const Values v = RandomValues(rng);
        CompareLU(rng, n, v, RandomKinds(rng), (c < 1500 ? "case " : "large case ") + std::to_string(c));
    }
    for (const int n : {kernel::kTypedLUFromOrder - 1, kernel::kTypedLUFromOrder})
        ForCutOffDraws([&](Values v, Kinds k) { CompareLU(rng, n, v, k, "at the cut-off"); });
}

}  // namespace
}  // namespace quorvix
