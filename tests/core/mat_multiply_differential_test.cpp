// MatMultiply against the reference routine, bit for bit, with 1 and 4
// threads: on random shapes, and on both sides of the cut-off to the typed
// product.
#include "core/differential_util.h"
#include "core/kernel/dispatch.h"

namespace quorvix {
namespace {

using namespace difftest;

// The value families and kinds of the two operands.
struct ProductDraw {
    Values va, vb;
    Kinds ka, kb;
};

ProductDraw RandomProductDraw(std::mt19937_64& rng) {
    ProductDraw d{};
    d.va = static_cast<Values>(rng() % static_cast<int>(Values::Count));
    d.vb = rng() % 2 == 0 ? d.va : static_cast<Values>(rng() % static_cast<int>(Values::Count));
    d.ka = static_cast<Kinds>(rng() % static_cast<int>(Kinds::Count));
    d.kb = rng() % 2 == 0 ? d.ka : static_cast<Kinds>(rng() % static_cast<int>(Kinds::Count));
    return d;
}

// One product of random operands: the same result, status and error.
void CompareProduct(std::mt19937_64& rng, int rows, int inner, int cols, const ProductDraw& d,
                    const std::string& what) {
    const auto [va, vb, ka, kb] = d;
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
        CompareProduct(rng, rows, inner, cols, RandomProductDraw(rng), "case " + std::to_string(c));
    }
    for (int c = 0; c < 3; ++c)
        CompareProduct(rng, 150 + c * 70, 300 - c * 60, 140, RandomProductDraw(rng), "large case " + std::to_string(c));
    // One multiply-add short of the cut-off (1 x 1 by 1 x 511), and a cube at it.
    constexpr int side = 8;
    static_assert(side * side * side == kernel::kTypedProductFromWork);
    ForCutOffDraws([&](Values v, Kinds k) {
        CompareProduct(rng, 1, 1, side * side * side - 1, {v, v, k, k}, "below the cut-off");
        CompareProduct(rng, side, side, side, {v, v, k, k}, "at the cut-off");
    });
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
