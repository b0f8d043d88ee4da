#pragma once
// The 80-bit extended number of the x87 unit as ten bytes, little-endian:
// bytes 0 to 7 the 64-bit significand with its explicit integer bit, bytes 8
// and 9 the 15-bit exponent (bias 16383) with the sign in the top bit.
//
// The codec works from the value (sign, exponent, significand), never from the
// memory of a long double, so it gives the same bytes on every platform. Where
// long double is narrower than 64 bits of significand the decoded value is
// rounded to it; where it is wider, encoding rounds to 64 bits, ties to even.
#include <array>
#include <cstdint>

namespace quorvix {

inline constexpr int kExtendedBytes = 10;

// Zeros keep their sign; infinities and NaNs get the unit's encodings
// (integer bit set; a NaN is quiet and keeps its sign).
std::array<std::uint8_t, kExtendedBytes> EncodeExtended(long double v);

// Reads ten bytes. Denormals and pseudo-denormals (exponent 0, integer bit
// set) decode to their value; the encodings the unit refuses as operands
// (unnormals, pseudo-infinities, pseudo-NaNs) decode to a quiet NaN, as the
// unit's invalid-operation response would give.
long double DecodeExtended(const std::uint8_t* bytes);

}  // namespace quorvix
