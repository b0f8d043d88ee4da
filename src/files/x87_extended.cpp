// The codec does not look at the bits of a long double: it takes the value
// apart with frexp and puts it together again with ldexp, so a 64-bit
// long double, an x87 one and a 128-bit one all give the same ten bytes.
#include "files/x87_extended.h"

#include <cmath>
#include <limits>

namespace quorvix {

namespace {

constexpr int kBias = 16383;
constexpr std::uint32_t kMaxExponent = 0x7FFF;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 62;
// A significand unit of the smallest exponent: denormals are multiples of 2^-16445.
constexpr int kDenormalScale = kBias - 1 + 63;  // 16445

std::array<std::uint8_t, kExtendedBytes> Pack(bool negative, std::uint32_t exponent, std::uint64_t significand) {
    std::array<std::uint8_t, kExtendedBytes> out{};
    for (int k = 0; k < 8; ++k) out[k] = static_cast<std::uint8_t>(significand >> (8 * k));
    const std::uint32_t word = (negative ? 0x8000u : 0u) | (exponent & kMaxExponent);
    out[8] = static_cast<std::uint8_t>(word & 0xFF);
    out[9] = static_cast<std::uint8_t>(word >> 8);
    return out;
}

// An integral long double in [0, 2^64] to its 64-bit value. The caller has
// already rounded it; 2^64 itself is handled by the caller.
std::uint64_t ToUnsigned(long double integral) {
    // Two halves, so that no conversion sees a value above what the
    // target type holds on any platform.
    const long double high = std::floor(std::ldexp(integral, -32));
    const long double low = integral - std::ldexp(high, 32);
    return (static_cast<std::uint64_t>(high) << 32) | static_cast<std::uint64_t>(low);
}

}  // namespace

std::array<std::uint8_t, kExtendedBytes> EncodeExtended(long double v) {
    const bool negative = std::signbit(v);
    if (std::isnan(v)) return Pack(negative, kMaxExponent, kIntegerBit | kQuietBit);
    if (std::isinf(v)) return Pack(negative, kMaxExponent, kIntegerBit);
    if (v == 0.0L) return Pack(negative, 0, 0);

    const long double magnitude = std::fabs(v);
    int e = 0;
    const long double mantissa = std::frexp(magnitude, &e);  // magnitude = mantissa * 2^e, mantissa in [0.5, 1)
    long biased = static_cast<long>(e) - 1 + kBias;
    long double scaled;
    if (biased >= 1) {
        scaled = std::nearbyint(std::ldexp(mantissa, 64));  // in [2^63, 2^64]
    } else {
        // Denormal: the significand counts units of 2^-16445 and the
        // exponent field is 0.
        scaled = std::nearbyint(std::ldexp(magnitude, kDenormalScale));
        biased = 0;
    }
    const long double twoTo64 = std::ldexp(1.0L, 64);
    std::uint64_t significand;
    if (scaled >= twoTo64) {  // rounding carried into a new binary digit
        significand = kIntegerBit;
        ++biased;
    } else {
        significand = ToUnsigned(scaled);
    }
    // A denormal that rounded up to the integer bit is the smallest normal.
    if (biased == 0 && (significand & kIntegerBit) != 0) biased = 1;
    if (biased >= static_cast<long>(kMaxExponent)) return Pack(negative, kMaxExponent, kIntegerBit);
    return Pack(negative, static_cast<std::uint32_t>(biased), significand);
}

long double DecodeExtended(const std::uint8_t* bytes) {
    std::uint64_t significand = 0;
    for (int k = 7; k >= 0; --k) significand = (significand << 8) | bytes[k];
    const std::uint32_t word = static_cast<std::uint32_t>(bytes[8]) | (static_cast<std::uint32_t>(bytes[9]) << 8);
    const bool negative = (word & 0x8000u) != 0;
    const std::uint32_t exponent = word & kMaxExponent;
    const bool integerBit = (significand & kIntegerBit) != 0;

    long double magnitude;
    if (exponent == kMaxExponent) {
        if (!integerBit) {
            magnitude = std::numeric_limits<long double>::quiet_NaN();  // pseudo-infinity or pseudo-NaN
        } else if ((significand & ~kIntegerBit) == 0) {
            magnitude = std::numeric_limits<long double>::infinity();
        } else {
            magnitude = std::numeric_limits<long double>::quiet_NaN();
        }
    } else if (exponent == 0) {
        // Denormals, and pseudo-denormals, which the unit reads with the
        // exponent of the smallest normal: both are significand * 2^-16445.
        magnitude = std::ldexp(static_cast<long double>(significand), -kDenormalScale);
    } else if (!integerBit) {
        magnitude = std::numeric_limits<long double>::quiet_NaN();  // unnormal
    } else {
        magnitude = std::ldexp(static_cast<long double>(significand), static_cast<int>(exponent) - kBias - 63);
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace quorvix
