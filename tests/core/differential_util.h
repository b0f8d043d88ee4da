#pragma once
// Random operands and outcome comparison for the differential tests, which
// hold the typed and threaded kernels to the straightforward reference
// routines (reference/matrice2_reference.h) bit for bit: every stored double,
// every element kind, the library status and every error message.
//
// Operands mix the element kinds the library meets (complex as the reader
// makes them, real, integer, empty) with value families chosen to reach the
// edges of the arithmetic: entries as typed, exponents wide enough to
// overflow and underflow, magnitudes around the 1e-12 flush of complex parts,
// mantissas whose products and sums are exact ties of the extended-to-double
// store, and small integers (exact cancellation, equal pivot magnitudes).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <typeinfo>

#include "core/errors.h"
#include "core/kernel/kernel_simd.h"
#include "core/kernel/parallel.h"
#include "core/mat_test_util.h"
#include "core/matrice2.h"
#include "core/reference/matrice2_reference.h"

namespace quorvix::difftest {

using namespace mattest;

enum class Values { Typed, Wide, Huge, Edge, Tiny, Ties, SmallInt, Sparse, Count };
enum class Kinds { Complex, ComplexRealParts, Real, Integer, Mixed, Count };

inline const char* Name(Values v) {
    static const char* names[] = {"typed", "wide", "huge", "near overflow", "tiny", "ties", "small integers", "sparse"};
    return names[static_cast<int>(v)];
}
inline const char* Name(Kinds k) {
    static const char* names[] = {"complex", "complex with zero imaginary parts", "real", "integer", "mixed"};
    return names[static_cast<int>(k)];
}

inline double RandomValue(std::mt19937_64& rng, Values values) {
    const double sign = rng() % 2 == 0 ? 1.0 : -1.0;
    switch (values) {
        case Values::Typed: return static_cast<double>(static_cast<int>(rng() % 201) - 100) / 100.0;
        case Values::Wide: {
            if (rng() % 16 == 0) return 0.0;
            const double m = 1.0 + static_cast<double>(rng() >> 11) * 0x1p-53;
            return sign * std::ldexp(m, static_cast<int>(rng() % 1041) - 520);
        }
        case Values::Huge: return sign * std::pow(10.0, 150.0 + static_cast<double>(rng() % 1000) / 100.0);
        case Values::Edge: {
            // Within a factor 16 of the largest double: sums and products of
            // two overflow, and so do many steps of an elimination.
            if (rng() % 4 == 0) return sign * (1.0 + static_cast<double>(rng() % 100));
            return sign *
                   std::ldexp(1.0 + static_cast<double>(rng() >> 11) * 0x1p-53, 1019 + static_cast<int>(rng() % 5));
        }
        case Values::Tiny: return sign * std::pow(10.0, -13.0 + static_cast<double>(rng() % 800) / 100.0);
        case Values::Ties: {
            // An odd mantissa of 27 bits: products of two are exact with 54
            // bits, halfway between two doubles; sums of shifted ones tie too.
            const double m = static_cast<double>((rng() & ((1u << 26) - 1)) | (1u << 26) | 1u);
            return sign * std::ldexp(m, -26 - static_cast<int>(rng() % 30));
        }
        case Values::SmallInt: return static_cast<double>(static_cast<int>(rng() % 7) - 3);
        case Values::Sparse: return rng() % 10 < 7 ? 0.0 : static_cast<double>(static_cast<int>(rng() % 5) - 2);
        case Values::Count: break;
    }
    return 0.0;
}

inline Scalar RandomElement(std::mt19937_64& rng, Values values, Kinds kinds) {
    Kinds k = kinds;
    if (k == Kinds::Mixed) {
        const unsigned pick = rng() % 8;
        if (pick == 0) return Scalar();  // empty
        k = pick < 4 ? Kinds::Complex : pick < 6 ? Kinds::Real : Kinds::Integer;
    }
    const double x = RandomValue(rng, values);
    switch (k) {
        case Kinds::Complex: return Scalar::Complex(x, rng() % 4 == 0 ? 0.0 : RandomValue(rng, values));
        case Kinds::ComplexRealParts: return Scalar::Complex(x, 0.0);
        case Kinds::Real: return Scalar::Real(x);
        case Kinds::Integer: {
            if (rng() % 8 == 0) return Scalar::Integer(rng() % 2 == 0 ? 2147483647 : -2147483647 - 1);
            const double r = std::nearbyint(std::fmax(-1e9, std::fmin(1e9, x * 10)));
            return Scalar::Integer(static_cast<std::int32_t>(r));
        }
        default: return Scalar();
    }
}

inline RCOMat RandomMatrix(std::mt19937_64& rng, int rows, int cols, Values values, Kinds kinds) {
    RCOMat m(static_cast<std::size_t>(rows), RCOVec(static_cast<std::size_t>(cols)));
    for (auto& row : m)
        for (auto& x : row) x = RandomElement(rng, values, kinds);
    return m;
}

// A size from 0 to 64, half of the time at most 8 (small cases are cheap and
// meet the corner cases most often).
inline int RandomSize(std::mt19937_64& rng) { return static_cast<int>(rng() % 2 == 0 ? rng() % 9 : rng() % 65); }

// Calls draw(values, kinds) four times for every element kind with each
// value family that reaches the edges of the typed kernels: the draws a test
// runs on each side of a routine's cut-off (kernel/dispatch.h), so that the
// first shape on the faster path meets every kind of operand.
template <class DrawFn>
void ForCutOffDraws(DrawFn&& draw) {
    for (int kinds = 0; kinds < static_cast<int>(Kinds::Count); ++kinds)
        for (Values values : {Values::Typed, Values::Ties, Values::Tiny, Values::Edge})
            for (int repeat = 0; repeat < 4; ++repeat) draw(values, static_cast<Kinds>(kinds));
}

// What a call left: the error it raised (type and message), or none.
inline std::string Raised(const std::function<void()>& call) {
    try {
        call();
    } catch (const CalcError& e) {
        return std::string(typeid(e).name()) + ": " + e.what();
    }
    return "";
}

// The seed of a differential test, printed; QUORVIX_SEED replays it.
inline std::uint64_t Seed(std::uint64_t salt) {
    const std::uint64_t seed = TestSeed(20260702);
    std::cout << "[ seed     ] QUORVIX_SEED=" << seed << "\n";
    return seed * 1000003u + salt;
}

// How the kernels run: the thread count, and whether the AVX2 paths may run
// (false: the x87 and SSE2 loops throughout).
struct KernelSetup {
    int threads;
    bool simd;
};

// Runs each differential test with 1 and with 4 threads, the parallel split
// lowered so that small matrices are split too, and with the AVX2 paths on
// and off.
class Differential : public ::testing::TestWithParam<KernelSetup> {
protected:
    void SetUp() override {
        parallel::SetThreadCount(GetParam().threads);
        parallel::SetMinParallelWork(GetParam().threads > 1 ? 64 : 0);
        kernel::simd::SetEnabled(GetParam().simd);
    }
    void TearDown() override {
        parallel::SetThreadCount(0);
        parallel::SetMinParallelWork(0);
        kernel::simd::SetEnabled(true);
    }
};

inline std::string SetupName(const ::testing::TestParamInfo<KernelSetup>& info) {
    return std::to_string(info.param.threads) + (info.param.threads == 1 ? "Thread" : "Threads") +
           (info.param.simd ? "" : "X87");
}

}  // namespace quorvix::difftest
