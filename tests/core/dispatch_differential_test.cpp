// Every cut-off of kernel/dispatch.h met from both sides: the shape just
// below it takes the plain path, the shape at it the faster one, and both give
// the reference routine's bits (result, destroyed operand, status, error)
// for every element kind, with 1 and 4 threads, with AVX2 and without.
#include "core/differential_util.h"
#include "core/kernel/dispatch.h"
#include "core/mat_ldl.h"

namespace quorvix {
namespace {

using namespace difftest;

// A square operand of order n; for LDL' half of them symmetric with a heavy
// diagonal, so that the factorization runs to its end.
RCOMat Operand(std::mt19937_64& rng, int rows, int cols, Values v, Kinds k) {
    RCOMat m = RandomMatrix(rng, rows, cols, v, k);
    if (rows == cols && rng() % 2 == 0)
        for (int i = 0; i < rows; ++i) {
            for (int j = 0; j < i; ++j) m[i][j] = m[j][i];
            m[i][i] = m[i][i] + Scalar::Integer(4 * rows);
        }
    return m;
}

void CompareProduct(std::mt19937_64& rng, int rows, int inner, int cols, Values v, Kinds k) {
    const RCOMat a = RandomMatrix(rng, rows, inner, v, k), b = RandomMatrix(rng, inner, cols, v, k);
    RCOMat c = RealRows({{42}}), cRef = c;
    MatStatus status = MatStatus::Empty, statusRef = MatStatus::Empty;
    EXPECT_EQ(Raised([&] { status = MatMultiply(a, b, c); }),
              Raised([&] { statusRef = reference::MatMultiply(a, b, cRef); }));
    EXPECT_EQ(status, statusRef);
    EXPECT_TRUE(SameBits(c, cRef));
}

void CompareInvertLU(std::mt19937_64& rng, int n, Values v, Kinds k) {
    const RCOMat m = Operand(rng, n, n, v, k);
    RCOMat a = m, aRef = m, inv = RealRows({{42}}), invRef = inv;
    MatStatus status = MatStatus::Empty, statusRef = MatStatus::Empty;
    EXPECT_EQ(Raised([&] { status = MatInvertLU(a, inv); }),
              Raised([&] { statusRef = reference::MatInvertLU(aRef, invRef); }));
    EXPECT_EQ(status, statusRef);
    EXPECT_TRUE(SameBits(a, aRef));
    EXPECT_TRUE(SameBits(inv, invRef));
}

void CompareDeterminant(std::mt19937_64& rng, int n, Values v, Kinds k) {
    const RCOMat m = Operand(rng, n, n, v, k);
    RCOMat a = m, aRef = m;
    Scalar det, detRef;
    EXPECT_EQ(Raised([&] { det = MatDeterminant(a, n, n); }),
              Raised([&] { detRef = reference::MatDeterminant(aRef, n, n); }));
    EXPECT_TRUE(SameBits(det, detRef));
    EXPECT_TRUE(SameBits(a, aRef));
}

void CompareDoolittle(std::mt19937_64& rng, int n, Values v, Kinds k) {
    const RCOMat m = Operand(rng, n, n, v, k);
    RCOMat a = m, aRef = m, l, u, lRef, uRef;
    for (RCOMat* f : {&l, &u, &lRef, &uRef}) SizeMatrix(*f, n, n);
    std::int32_t result = 9, resultRef = 9;
    EXPECT_EQ(Raised([&] { result = MatLU(a, l, u, n, n); }),
              Raised([&] { resultRef = reference::MatLU(aRef, lRef, uRef, n, n); }));
    EXPECT_EQ(result, resultRef);
    EXPECT_TRUE(SameBits(l, lRef));
    EXPECT_TRUE(SameBits(u, uRef));
}

void CompareRank(std::mt19937_64& rng, int rows, int cols, Values v, Kinds k) {
    const RCOMat m = Operand(rng, rows, cols, v, k);
    RCOMat a = m, aRef = m;
    double rank = -1, rankRef = -1;
    EXPECT_EQ(Raised([&] { rank = MatRank(a, rows, cols); }),
              Raised([&] { rankRef = reference::MatRank(aRef, rows, cols); }));
    EXPECT_EQ(rank, rankRef);
    EXPECT_TRUE(SameBits(a, aRef));
}

void CompareLDL(std::mt19937_64& rng, int n, Values v, Kinds k) {
    const RCOMat m = Operand(rng, n, n, v, k);
    RCOMat a = m, aRef = m, l = RealRows({{7}}), d = l, lRef = l, dRef = l;
    bool ok = false, okRef = false;
    EXPECT_EQ(Raised([&] { ok = MatLDL(a, l, d); }), Raised([&] { okRef = reference::MatLDL(aRef, lRef, dRef); }));
    EXPECT_EQ(ok, okRef);
    EXPECT_TRUE(SameBits(l, lRef));
    EXPECT_TRUE(SameBits(d, dRef));
}

void CompareGaussJordan(std::mt19937_64& rng, int n, Values v, Kinds k) {
    const RCOMat m = Operand(rng, n, n, v, k);
    RCoVecD re(static_cast<std::size_t>(n) * n), im(re.size());
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            re[static_cast<std::size_t>(i) * n + j] = RealPart(m[i][j]);
            im[static_cast<std::size_t>(i) * n + j] = ImagPart(m[i][j]);
        }
    RCoVecD reRef = re, imRef = im;
    RCOMat inv = RealRows({{42}}), invRef = inv;
    bool singular = false, singularRef = false;
    EXPECT_EQ(Raised([&] { singular = MatInverse(n, re, im, inv); }),
              Raised([&] { singularRef = reference::MatInverse(n, reRef, imRef, invRef); }));
    EXPECT_EQ(singular, singularRef);
    EXPECT_TRUE(SameBits(inv, invRef));
}

// One routine's cut-off: the shape (rows, cols; inner for the product) on
// each side of it.
struct Shape {
    int rows, inner, cols;
};
struct CutOff {
    const char* routine;
    Shape below, at;
    void (*compare)(std::mt19937_64&, const Shape&, Values, Kinds);
};

constexpr int kLU = kernel::kTypedLUFromOrder;
constexpr int kDet = kernel::kTypedDeterminantFromOrder;
constexpr int kDoolittle = kernel::kTypedDoolittleFromOrder;
constexpr int kLDL = kernel::kTypedLDLFromOrder;
constexpr int kGaussJordan = kernel::kBoundedInverseFromOrder;
// The product's work and the rank's elements: a shape one short of the
// cut-off (a 1 x 1 by 1 x 511 product, an 11 x 13 rank matrix) and a cube or
// square at it.
constexpr int kProductCube = 8;
static_assert(kProductCube * kProductCube * kProductCube == kernel::kTypedProductFromWork);
constexpr int kRankSide = 12;
static_assert(kRankSide * kRankSide == kernel::kTypedRankFromElements);
static_assert((kRankSide - 1) * (kRankSide + 1) == kernel::kTypedRankFromElements - 1);

const CutOff kCutOffs[] = {
    {"MatMultiply",
     {1, 1, static_cast<int>(kernel::kTypedProductFromWork) - 1},
     {kProductCube, kProductCube, kProductCube},
     [](std::mt19937_64& rng, const Shape& s, Values v, Kinds k) {
         CompareProduct(rng, s.rows, s.inner, s.cols, v, k);
     }},
    {"MatInvertLU",
     {kLU - 1, 0, kLU - 1},
     {kLU, 0, kLU},
     [](std::mt19937_64& rng, const Shape& s, Values v, Kinds k) { CompareInvertLU(rng, s.rows, v, k); }},
    {"MatDeterminant",
     {kDet - 1, 0, kDet - 1},
     {kDet, 0, kDet},
     [](std::mt19937_64& rng, const Shape& s, Values v, Kinds k) { CompareDeterminant(rng, s.rows, v, k); }},
    {"MatLU",
     {kDoolittle - 1, 0, kDoolittle - 1},
     {kDoolittle, 0, kDoolittle},
     [](std::mt19937_64& rng, const Shape& s, Values v, Kinds k) { CompareDoolittle(rng, s.rows, v, k); }},
    {"MatRank",
     {kRankSide - 1, 0, kRankSide + 1},
     {kRankSide, 0, kRankSide},
     [](std::mt19937_64& rng, const Shape& s, Values v, Kinds k) { CompareRank(rng, s.rows, s.cols, v, k); }},
    {"MatLDL",
     {kLDL - 1, 0, kLDL - 1},
     {kLDL, 0, kLDL},
     [](std::mt19937_64& rng, const Shape& s, Values v, Kinds k) { CompareLDL(rng, s.rows, v, k); }},
    {"MatInverse",
     {kGaussJordan - 1, 0, kGaussJordan - 1},
     {kGaussJordan, 0, kGaussJordan},
     [](std::mt19937_64& rng, const Shape& s, Values v, Kinds k) { CompareGaussJordan(rng, s.rows, v, k); }},
};

TEST_P(Differential, EachCutOffFromBothSides) {
    std::mt19937_64 rng(Seed(11));
    for (const CutOff& c : kCutOffs)
        for (const Shape* shape : {&c.below, &c.at})
            for (int kinds = 0; kinds < static_cast<int>(Kinds::Count); ++kinds)
                for (Values values : {Values::Typed, Values::Ties, Values::Tiny, Values::Edge})
                    for (int draw = 0; draw < 4; ++draw) {
                        const Kinds k = static_cast<Kinds>(kinds);
                        SCOPED_TRACE(std::string(c.routine) + " " + std::to_string(shape->rows) + "x" +
                                     std::to_string(shape->cols) + ", " + Name(values) + " " + Name(k));
                        c.compare(rng, *shape, values, k);
                    }
}

}  // namespace
}  // namespace quorvix
