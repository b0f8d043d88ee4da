// MatMultiply against the reference routine, bit for bit, with 1 and 4
// threads.
#include "core/differential_util.h"

namespace quorvix {
namespace {

using namespace difftest;

// One product of random operands: the same result, status and error.
void CompareProduct(std::mt19937_64& rng, int rows, int inner, int cols, const std::string& what) {
    const Values va = static_cast<Values>(rng() % static_cast<int>(Values::Count));
    const Values vb = rng() % 2 == 0 ? va : static_cast<Values>(rng() % static_cast<int>(Values::Count));
    const Kinds ka = static_cast<Kinds>(rng() % static_cast<int>(Kinds::Count));
    const Kinds kb = rng() % 2 == 0 ? ka : static_cast<Kinds>(rng() % static_cast<int>(Kinds::Count));
    SCOPED_TRACE(what + ": " + std::to_string(rows) + "x" + std::to_string(inner) + " by " + std::to_string(inner) +
                 "x" + std::to_string(cols) + ", A " + Name(va) + " " + Name(ka) + ", B " + Name(vb) + " " + Name(kb));
    const RCOMat a = RandomMatrix(rng, rows, inner, va, ka);
    const RCOMat b = RandomMatrix(rng, inner, cols, vb, kb);
    const RCOMat before = RealRows({{42}});
    RCOMat c = before, cRef = before;
    MatStatus status = MatStatus::Singular, statusRef = MatStatus::Singular;
    EXPECT_EQ(Raised([&] { status = MatMultiply(a, b, c); }),
              Raised([&] { statusRef = reference::MatMultiply(a, b, cRef); }));
    EXPECT_EQ(status, statusRef);
    EXPECT_TRUE(SameBits(c, cRef));
}

TEST_P(Differential, MatMultiply) {
    std::mt19937_64 rng(Seed(1));
    for (int c = 0; c < 1000; ++c) {
        const int rows = RandomSize(rng), inner = RandomSize(rng);
        const int cols = rng() % 8 == 0 ? RandomSize(rng) : rows;
        CompareProduct(rng, rows, inner, cols, "case " + std::to_string(c));
    }
    for (int c = 0; c < 3; ++c) CompareProduct(rng, 150 + c * 70, 300 - c * 60, 140, "large case " + std::to_string(c));
}

TEST_P(Differential, MatMultiplyIntoAnOperand) {
    std::mt19937_64 rng(Seed(2));
    for (int c = 0; c < 50; ++c) {
        const int n = 1 + static_cast<int>(rng() % 40);
        const Kinds k = static_cast<Kinds>(rng() % static_cast<int>(Kinds::Count));
        RCOMat a = RandomMatrix(rng, n, n, Values::Typed, k), b = RandomMatrix(rng, n, n, Values::Typed, k);
        RCOMat aRef = a;
        MatMultiply(a, b, a);
        reference::MatMultiply(aRef, b, aRef);
        EXPECT_TRUE(SameBits(a, aRef)) << "case " << c;
    }
}

}  // namespace
}  // namespace quorvix
