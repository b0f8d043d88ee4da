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
// Stores are not checked: the caller either knows that no fault can happen
// or looks at the fault flags afterwards. The x87 work and the flushes (plain
// double work, two elements at a time) run as separate passes over at most
// kRowPiece elements.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/kernel_support.h"

namespace quorvix::kernel {

inline constexpr std::int32_t kRowPiece = 128;

enum class Mode { Complex, RealParts, Real };

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
    return bMin > 0.0 && static_cast<double>(static_cast<Ext>(std::fabs(a)) * bMin) > 1e-12;
}

// c[0..count) := c -/+ a*b in the given mode (bi, ci unused unless complex).
// bMin: the smallest magnitude of a non-zero element of b, when known (0
// otherwise); it spares the flush of products that cannot be flushed.
template <bool Subtract>
inline void RowOp(Mode mode, double ar, double ai, const double* br, const double* bi, double* cr, double* ci,
                  std::int32_t count, double bMin = 0.0) {
    const bool flushProducts = mode == Mode::RealParts && ar != 0.0 && !ProductsStayAboveFlush(ar, bMin);
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
