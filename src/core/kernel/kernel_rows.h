#pragma once
// The inner loops of the typed kernels: c[j] := c[j] + a*b[j] or
// c[j] := c[j] - a*b[j] along a row, with the roundings of the Scalar
// arithmetic for each element kind:
//   complex: each part of the product, then each part of the sum, evaluated
//            with a 64-bit significand, stored as double and flushed at 1e-12;
//   complex with every imaginary part 0: the same on the real parts (the
//            imaginary parts of products and sums are zeros, stored as +0);
//   real:    product and sum each evaluated with a 64-bit significand and
//            stored as double.
// Stores are not checked: the caller either knows that no result can reach
// 2^1000 or looks at the fault flags afterwards. The x87 work and the flushes
// (plain double work, two elements at a time) run as separate passes over at
// most kRowPiece elements; the real modes run in AVX2 instead where the
// processor has it (kernel_simd.h), with the same results.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "core/kernel/kernel_simd.h"
#include "core/kernel/kernel_support.h"

namespace quorvix::kernel {

inline constexpr std::int32_t kRowPiece = 128;

enum class Mode { Complex, RealParts, Real };

// The Scalar an element of a dense copy stands for in the given mode.
inline Scalar MakeScalar(Mode mode, double re, double im) {
    switch (mode) {
        case Mode::Complex: return Scalar::Complex(re, im);
        case Mode::RealParts: return Scalar::Complex(re, 0.0);
        case Mode::Real: return Scalar::Real(re);
    }
    return Scalar();
}

template <bool Subtract>
inline void ComplexRowPiece(Ext ar, Ext ai, const double* br, const double* bi, double* cr, double* ci,
                            std::int32_t count) {
    alignas(16) double pr[kRowPiece], pi[kRowPiece];
    for (std::int32_t j = 0; j < count; ++j) {
        const Ext r = br[j], m = bi[j];
        pr[j] = static_cast<double>(ar * r - ai * m);
        pi[j] = static_cast<double>(ar * m + ai * r);
    }
    FlushAll(pr, count);
    FlushAll(pi, count);
    for (std::int32_t j = 0; j < count; ++j) {
        if constexpr (Subtract) {
            cr[j] = static_cast<double>(static_cast<Ext>(cr[j]) - pr[j]);
            ci[j] = static_cast<double>(static_cast<Ext>(ci[j]) - pi[j]);
        } else {
            cr[j] = static_cast<double>(static_cast<Ext>(cr[j]) + pr[j]);
            ci[j] = static_cast<double>(static_cast<Ext>(ci[j]) + pi[j]);
        }
    }
    FlushAll(cr, count);
    FlushAll(ci, count);
}

template <bool Subtract>
inline void RealPartsRowPiece(Ext a, const double* b, double* c, std::int32_t count, bool flushProducts) {
    alignas(16) double p[kRowPiece];
    for (std::int32_t j = 0; j < count; ++j) p[j] = static_cast<double>(a * static_cast<Ext>(b[j]));
    if (flushProducts) FlushAll(p, count);
    for (std::int32_t j = 0; j < count; ++j) {
        if constexpr (Subtract)
            c[j] = static_cast<double>(static_cast<Ext>(c[j]) - p[j]);
        else
            c[j] = static_cast<double>(static_cast<Ext>(c[j]) + p[j]);
    }
    FlushAll(c, count);
}

template <bool Subtract>
inline void RealRowPiece(Ext a, const double* b, double* c, std::int32_t count) {
    for (std::int32_t j = 0; j < count; ++j) {
        const double p = static_cast<double>(a * static_cast<Ext>(b[j]));
        if constexpr (Subtract)
            c[j] = static_cast<double>(static_cast<Ext>(c[j]) - p);
        else
            c[j] = static_cast<double>(static_cast<Ext>(c[j]) + p);
    }
}

// True when no product of `a` with a non-zero element of magnitude at least
// `bMin` can be a part that the flush changes: rounding is monotonic, so such
// products stay above 1e-12 when |a| * bMin does. (Products that are zeros
// need no flush: a zero added to or taken from a flushed value leaves it, or
// gives +0.) A bMin of 0 means unknown.
inline bool ProductsStayAboveFlush(double a, double bMin) {
    return bMin > 0.0 && static_cast<double>(static_cast<Ext>(std::fabs(a)) * bMin) > kFlushLimit;
}

// True when the real step with multiplier `a` runs in AVX2 (see RowOp).
inline bool SimdStep(Mode mode, double a, double bMin) {
    return mode != Mode::Complex && simd::Enabled() && (mode == Mode::RealParts || simd::RealStepFits(a, bMin));
}

// What the real step with multiplier `a` flushes: the real parts' sums, and
// their products unless none of them can be flushed (products that are zeros
// need no flush: a zero added to or taken from a flushed value leaves it, or
// gives +0).
inline simd::Flush FlushFor(Mode mode, double a, double bMin) {
    if (mode != Mode::RealParts) return simd::Flush::None;
    return a != 0.0 && !ProductsStayAboveFlush(a, bMin) ? simd::Flush::All : simd::Flush::Sums;
}

// Whether a run of real steps, with multipliers a[from..to) against rows
// whose smallest non-zero magnitude is bMinAt(k), runs in AVX2 as a whole,
// and with what flush: nothing when one of them cannot (or the processor
// has no AVX2).
template <typename SmallestAt>
std::optional<simd::Flush> SimdRunFlush(Mode mode, const double* a, std::int32_t from, std::int32_t to,
                                        SmallestAt&& bMinAt) {
    if (mode == Mode::Complex || !simd::Enabled()) return std::nullopt;
    simd::Flush flush = FlushFor(mode, 0.0, 0.0);
    for (std::int32_t k = from; k < to; ++k) {
        const double bMin = bMinAt(k);
        if (!SimdStep(mode, a[k], bMin)) return std::nullopt;
        if (FlushFor(mode, a[k], bMin) == simd::Flush::All) flush = simd::Flush::All;
    }
    return flush;
}

// c[0..count) := c -/+ a*b in the given mode (bi, ci unused unless complex).
// bMin: the smallest magnitude of a non-zero element of b, when known (0
// otherwise); it spares the flush of products that cannot be flushed, and
// lets the real mode run in AVX2 (which needs to know that no product is
// tiny and not zero).
template <bool Subtract>
inline void RowOp(Mode mode, double ar, double ai, const double* br, const double* bi, double* cr, double* ci,
                  std::int32_t count, double bMin = 0.0) {
    const simd::Flush flush = FlushFor(mode, ar, bMin);
    if (SimdStep(mode, ar, bMin)) {
        simd::RealRow(Subtract, flush, ar, br, cr, count);
        return;
    }
    const bool flushProducts = flush == simd::Flush::All;
    for (std::int32_t j0 = 0; j0 < count; j0 += kRowPiece) {
        const std::int32_t piece = std::min(kRowPiece, count - j0);
        switch (mode) {
            case Mode::Complex: ComplexRowPiece<Subtract>(ar, ai, br + j0, bi + j0, cr + j0, ci + j0, piece); break;
            case Mode::RealParts: RealPartsRowPiece<Subtract>(ar, br + j0, cr + j0, piece, flushProducts); break;
            case Mode::Real: RealRowPiece<Subtract>(ar, br + j0, cr + j0, piece); break;
        }
    }
}

}  // namespace quorvix::kernel
