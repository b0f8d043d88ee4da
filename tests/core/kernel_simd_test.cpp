// The AVX2 real multiply-add against the x87 loop, element by element, on
// operands made to be hard for it: exact products and sums within a few
// 64-bit ulps of a midpoint between two doubles (both sides, both signs, ties
// at 64 bits, exactly on the midpoint), results next to a power of two, next
// to the largest double, around the 1e-12 flush of complex parts, and tiny
// or subnormal. Every case also checks that both paths raise a fault flag or
// neither does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/kernel/fault_scope.h"
#include "core/kernel/kernel_rows.h"
#include "core/kernel/kernel_simd.h"
#include "core/kernel/kernel_support.h"
#include "core/mat_test_util.h"

namespace quorvix {
namespace {

using kernel::Mode;
__extension__ typedef unsigned __int128 U128;
__extension__ typedef __int128 I128;

constexpr std::int32_t kLanes = 16;
constexpr std::uint64_t kTop = 1ull << 52;  // the leading bit of a 53-bit significand

std::uint64_t Bits(double x) {
    std::uint64_t u = 0;
    std::memcpy(&u, &x, sizeof u);
    return u;
}

// A double from a significand below 2^53 and an exponent.
double Make(std::uint64_t m, int e, bool negative) {
    return std::ldexp(static_cast<double>(m), e) * (negative ? -1 : 1);
}

// The inverse of an odd a modulo 2^64.
std::uint64_t InverseOdd(std::uint64_t a) {
    std::uint64_t x = a;
    for (int i = 0; i < 6; ++i) x *= 2 - a * x;
    return x;
}

// A distance from a midpoint in units of the product's last bit, where a
// 64-bit ulp is `ulp64` units: on it, a tie at 64 bits either side, or within
// four 64-bit ulps.
std::int64_t Offset(std::mt19937_64& rng, std::int64_t ulp64) {
    switch (rng() % 8) {
        case 0: return 0;
        case 1: return ulp64 / 2;
        case 2: return -ulp64 / 2;
        case 3: return static_cast<std::int64_t>(rng() % 3) - 1;
        default: return static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(8 * ulp64)) - 4 * ulp64;
    }
}

struct Row {
    double a = 0.0;
    double b[kLanes] = {};
    double c[kLanes] = {};
};

// B with A*B of 106 bits whose low 53 bits are 2^52 + offset: the product is
// that close to a midpoint between two doubles.
bool NearMidpointFactor(std::mt19937_64& rng, std::uint64_t a, std::uint64_t& b) {
    const std::uint64_t mask = (1ull << 53) - 1;
    const std::uint64_t low = (kTop + static_cast<std::uint64_t>(Offset(rng, 1ll << 42))) & mask;
    b = (low * InverseOdd(a)) & mask;
    return b >= kTop && static_cast<U128>(a) * b >= static_cast<U128>(1) << 105;
}

// A and B (53-bit significands) with |A*B - target| <= 4 * ulp64, by trying
// random A; false when none was found.
bool NearTarget(std::mt19937_64& rng, U128 target, std::int64_t ulp64, std::uint64_t& a, std::uint64_t& b) {
    const U128 wanted = target + static_cast<U128>(static_cast<I128>(Offset(rng, ulp64)));
    for (int attempt = 0; attempt < 20000; ++attempt) {
        a = (rng() >> 11) | kTop;
        b = static_cast<std::uint64_t>((wanted + a / 2) / a);
        if (b < kTop || b >= 2 * kTop) continue;
        const U128 p = static_cast<U128>(a) * b;
        const U128 d = p > target ? p - target : target - p;
        if (d <= static_cast<U128>(4 * ulp64)) return true;
    }
    return false;
}

// Accumulators of about the product's size (or zero, or of another size).
double Accumulator(std::mt19937_64& rng, double product) {
    switch (rng() % 4) {
        case 0: return 0.0;
        case 1: return std::ldexp(static_cast<double>((rng() >> 11) | kTop), -52 - static_cast<int>(rng() % 60));
        default: return std::ldexp(product, static_cast<int>(rng() % 5) - 2) * (rng() % 2 ? 1 : -1);
    }
}

// Products near midpoints in every binade from 2^-900 to 2^1000.
Row ProductsNearMidpoints(std::mt19937_64& rng) {
    Row r;
    std::uint64_t a = (rng() >> 11) | kTop | 1u;
    const int ea = static_cast<int>(rng() % 900) - 500;
    const int eb = static_cast<int>(rng() % 900) - 450 - ea / 2 - 105;
    r.a = Make(a, ea, rng() % 2);
    for (int l = 0; l < kLanes; ++l) {
        std::uint64_t b = 0;
        while (!NearMidpointFactor(rng, a, b)) {}
        r.b[l] = Make(b, eb, rng() % 2);
        r.c[l] = Accumulator(rng, r.a * r.b[l]);
    }
    return r;
}

// Exact products (a power of two times b) and accumulators c with c + p
// within a few 64-bit ulps of a midpoint: p about half an ulp of c (either
// side, or a quarter ulp when c is a power of two), or the other way round.
Row SumsNearMidpoints(std::mt19937_64& rng) {
    Row r;
    const int shift = static_cast<int>(rng() % 40) - 20;
    r.a = std::ldexp(1.0, shift) * (rng() % 2 ? 1 : -1);
    for (int l = 0; l < kLanes; ++l) {
        const bool powerOfTwo = rng() % 4 == 0;
        const std::uint64_t m = powerOfTwo ? kTop : (rng() >> 11) | kTop;
        const int e = static_cast<int>(rng() % 1800) - 900;
        const double x = Make(m, e, rng() % 2);
        // Half an ulp of x is 2^(e-1); a quarter below a power of two.
        const int half = powerOfTwo && rng() % 2 ? e - 2 : e - 1;
        // Half an ulp plus or minus off units of 2^-52 of it.
        const double y = Make(kTop + static_cast<std::uint64_t>(Offset(rng, 1ll << 42)), half - 52, rng() % 2);
        const bool small = rng() % 2;  // the product is the small one
        r.c[l] = small ? x : y;
        r.b[l] = (small ? y : x) / r.a;
    }
    return r;
}

// One lane near a given target (a product of a row's `a`), the others plain.
Row Targeted(std::mt19937_64& rng, U128 target, std::int64_t ulp64, int scale, double accumulatorScale) {
    Row r;
    std::uint64_t a = 0, b = 0;
    if (!NearTarget(rng, target, ulp64, a, b)) return r;
    const bool na = rng() % 2, nb = rng() % 2;
    // Both factors finite: a = A * 2^ea, b = B * 2^(scale - ea).
    const int lo = std::max(-150, scale - 970), hi = std::min(150, scale + 1000);
    const int ea = lo + static_cast<int>(rng() % static_cast<std::uint64_t>(hi - lo + 1));
    r.a = Make(a, ea, na);
    const int hard = static_cast<int>(rng() % kLanes);
    for (int l = 0; l < kLanes; ++l) {
        r.b[l] = l == hard ? Make(b, scale - ea, nb)
                           : Make((rng() >> 11) | kTop, scale - ea - 1 - static_cast<int>(rng() % 3), rng() % 2);
        r.c[l] = rng() % 2 ? 0.0 : accumulatorScale * 0.5 * static_cast<double>(rng() % 3) * (rng() % 2 ? 1 : -1);
    }
    return r;
}

// Products next to a power of two (below it, where half an ulp is a quarter
// of the ulp above, or above it), anywhere up to the largest double.
Row PowersOfTwo(std::mt19937_64& rng) {
    const bool below = rng() % 2;
    const U128 two105 = static_cast<U128>(1) << 105;
    const U128 target = below ? two105 - (static_cast<U128>(1) << 51) : two105 + (static_cast<U128>(1) << 52);
    const int scale = rng() % 8 == 0 ? 1024 - 105 : static_cast<int>(rng() % 1900) - 950 - 105;
    return Targeted(rng, target, below ? 1ll << 41 : 1ll << 42, scale, std::ldexp(1.0, scale + 105 - 1));
}

// Products next to the largest double, and sums that carry them over.
Row NearOverflow(std::mt19937_64& rng) {
    // The midpoint between the largest double and 2^1024 is (2^54 - 1) * 2^970.
    const U128 target = ((static_cast<U128>(1) << 54) - 1) << 51;
    return Targeted(rng, target, 1ll << 41, 970 - 51, 0x1p1023);
}

// Products next to the midpoints around 1e-12, where complex parts are flushed.
Row AroundTheFlush(std::mt19937_64& rng) {
    int e = 0;
    const double m = std::frexp(1e-12, &e);  // 1e-12 = m * 2^e, m in [0.5, 1)
    const auto significand = static_cast<std::uint64_t>(std::ldexp(m, 53));
    const U128 target = static_cast<U128>(2 * significand + (rng() % 2 ? 1 : std::uint64_t(-1))) << 52;
    return Targeted(rng, target, 1ll << 42, e - 53 - 1 - 52, rng() % 2 ? 2e-12 : 0.0);
}

// Tiny products and accumulators, down to the subnormal range.
Row Tiny(std::mt19937_64& rng) {
    Row r = ProductsNearMidpoints(rng);
    const int down = static_cast<int>(rng() % 200);
    r.a = std::ldexp(r.a, -std::ilogb(r.a) - 480 - down / 2);
    for (int l = 0; l < kLanes; ++l) {
        r.b[l] = std::ldexp(r.b[l], -std::ilogb(r.b[l]) - 500 - static_cast<int>(rng() % 120));
        r.c[l] =
            rng() % 3 == 0 ? 0.0 : std::ldexp(static_cast<double>(rng() >> 11), -1074 + static_cast<int>(rng() % 80));
    }
    return r;
}

struct Outcome {
    double c[kLanes];
    bool raised;
};

Outcome RunRow(const Row& row, Mode mode, bool subtract, double bMin, bool simd) {
    kernel::simd::SetEnabled(simd);
    Outcome out{};
    std::memcpy(out.c, row.c, sizeof out.c);
    FaultScope faults;
    if (subtract)
        kernel::RowOp<true>(mode, row.a, 0.0, row.b, nullptr, out.c, nullptr, kLanes, bMin);
    else
        kernel::RowOp<false>(mode, row.a, 0.0, row.b, nullptr, out.c, nullptr, kLanes, bMin);
    out.raised = faults.Raised();
    kernel::simd::SetEnabled(true);
    return out;
}

// A real part as the complex values hold it.
double Flushed(double x) { return std::fabs(x) <= 1e-12 ? 0.0 : x; }

struct Family {
    const char* name;
    Row (*make)(std::mt19937_64&);
    int rows;
    double hardShare;  // the least share of lanes where plain double arithmetic is wrong
};

class SimdRealStep : public ::testing::Test {
protected:
    void SetUp() override {
        kernel::simd::SetEnabled(true);
        if (!kernel::simd::Enabled()) GTEST_SKIP() << "no AVX2 and FMA on this processor";
    }
};

TEST_F(SimdRealStep, MatchesTheX87LoopOnHardOperands) {
    const Family families[] = {
        {"products near midpoints", ProductsNearMidpoints, 1 << 15, 0.02},
        {"sums near midpoints", SumsNearMidpoints, 1 << 15, 0.02},
        {"powers of two", PowersOfTwo, 1 << 11, 0.0},
        {"near overflow", NearOverflow, 1 << 11, 0.0},
        {"around the flush", AroundTheFlush, 1 << 11, 0.0},
        {"tiny", Tiny, 1 << 13, 0.0},
    };
    const std::uint64_t seed = mattest::TestSeed(20261208);
    std::cout << "[ seed     ] QUORVIX_SEED=" << seed << "\n";
    for (const Family& f : families) {
        std::mt19937_64 rng(seed ^ std::hash<std::string>()(f.name));
        std::int64_t lanes = 0, hard = 0, mismatches = 0;
        for (int i = 0; i < f.rows && mismatches < 10; ++i) {
            Row row = f.make(rng);
            if (rng() % 2 == 0)  // as the real parts of complex values
                for (int l = 0; l < kLanes; ++l) row.c[l] = Flushed(row.c[l]);
            const double bMin = kernel::SmallestNonZero(row.b, kLanes);
            // Real values; real parts with the flush of products where it can
            // matter, and with it always.
            const std::pair<Mode, double> setups[] = {
                {Mode::Real, bMin}, {Mode::RealParts, bMin}, {Mode::RealParts, 0.0}};
            for (const auto& [mode, knownMin] : setups)
                for (bool subtract : {false, true}) {
                    const Outcome x87 = RunRow(row, mode, subtract, knownMin, false);
                    const Outcome simd = RunRow(row, mode, subtract, knownMin, true);
                    lanes += kLanes;
                    EXPECT_EQ(x87.raised, simd.raised) << f.name << " row " << i;
                    for (int l = 0; l < kLanes; ++l) {
                        // Plain double arithmetic, for the share of hard cases.
                        const double p = row.a * row.b[l];
                        const double plain = subtract ? row.c[l] - p : row.c[l] + p;
                        if (mode == Mode::Real && !x87.raised && Bits(plain) != Bits(x87.c[l])) ++hard;
                        if (x87.raised || Bits(x87.c[l]) == Bits(simd.c[l])) continue;
                        ++mismatches;
                        ADD_FAILURE() << f.name << " row " << i << " lane " << l << (subtract ? " c - a*b" : " c + a*b")
                                      << ": a = " << std::hexfloat << row.a << ", b = " << row.b[l]
                                      << ", c = " << row.c[l] << ": x87 " << x87.c[l] << ", AVX2 " << simd.c[l];
                    }
                }
        }
        std::cout << "[ family   ] " << f.name << ": " << lanes << " steps, " << hard
                  << " where plain double arithmetic differs\n";
        EXPECT_GE(static_cast<double>(hard), f.hardShare * static_cast<double>(lanes)) << f.name;
    }
}

// The accumulated form (products of a block of k in registers) against the
// x87 loop one k at a time.
TEST_F(SimdRealStep, AccumulatedRowsMatchTheX87Loop) {
    std::mt19937_64 rng(mattest::TestSeed(20261209));
    constexpr int kSteps = 24, kCount = 23;  // a strip of 16, one of 4 and three lanes left
    for (int t = 0; t < 2000; ++t) {
        std::vector<double> a(kSteps), b(static_cast<std::size_t>(kSteps) * kCount), c(kCount);
        for (int k = 0; k < kSteps; ++k) {
            const Row row = rng() % 2 ? ProductsNearMidpoints(rng) : SumsNearMidpoints(rng);
            a[k] = row.a;
            for (int j = 0; j < kCount; ++j) b[static_cast<std::size_t>(k) * kCount + j] = row.b[j % kLanes];
            if (k == 0)
                for (int j = 0; j < kCount; ++j) c[j] = row.c[j % kLanes];
        }
        for (const auto flush : {kernel::simd::Flush::None, kernel::simd::Flush::Sums, kernel::simd::Flush::All}) {
            const Mode mode = flush == kernel::simd::Flush::None ? Mode::Real : Mode::RealParts;
            std::vector<double> start = c;
            if (mode == Mode::RealParts)
                for (double& x : start) x = Flushed(x);
            // Products that the flush of sums alone must not meet tiny.
            const double bMin = flush == kernel::simd::Flush::All ? 0.0 : 1e300;
            std::vector<double> want = start, got = start;
            kernel::simd::SetEnabled(false);
            for (int k = 0; k < kSteps; ++k)
                kernel::RowOp<true>(mode, a[k], 0.0, b.data() + static_cast<std::size_t>(k) * kCount, nullptr,
                                    want.data(), nullptr, kCount, flush == kernel::simd::Flush::Sums ? bMin : 0.0);
            kernel::simd::SetEnabled(true);
            kernel::simd::RealRows(true, flush, a.data(), b.data(), kCount, got.data(), kSteps, kCount);
            for (int j = 0; j < kCount; ++j)
                ASSERT_EQ(Bits(want[j]), Bits(got[j]))
                    << "case " << t << " column " << j << " flush " << static_cast<int>(flush);
        }
    }
}

}  // namespace
}  // namespace quorvix
