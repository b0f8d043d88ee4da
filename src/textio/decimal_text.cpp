#include "textio/decimal_text.h"

#include <locale.h>
#include <cstdlib>

namespace quorvix {

namespace {

locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// 10^0 .. 10^27, each exact in a 64-bit significand.
constexpr int kExactTenPowers = 27;
constexpr long double kTenPowers[kExactTenPowers + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
    1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

constexpr std::size_t kMaxIntegerDigits = 19;  // 10^19 - 1 < 2^64

}  // namespace

long double DecimalToExtended(const std::string& canonical) { return strtold_l(canonical.c_str(), nullptr, CLocale()); }

bool ExactDecimalToExtended(std::string_view whole, std::string_view fraction, std::int64_t exponent,
                            long double& value) {
    // The digits D (whole, then fraction) are n * 10^rest: n their first 19
    // significant digits (leading zeros add nothing), `rest` the digits after
    // those, which must all be zeros. The value is D * 10^(exponent - the
    // fraction's length).
    std::uint64_t n = 0;
    std::size_t taken = 0;
    std::size_t rest = 0;
    auto take = [&](std::string_view digits) {
        for (char c : digits) {
            if (taken < kMaxIntegerDigits) {
                n = n * 10 + static_cast<std::uint64_t>(c - '0');
                if (n != 0) ++taken;
            } else if (c != '0') {
                return false;
            } else {
                ++rest;
            }
        }
        return true;
    };
    if (!take(whole) || !take(fraction)) return false;
    if (n == 0) {
        value = 0.0L;
        return true;
    }
    const std::int64_t power = exponent - static_cast<std::int64_t>(fraction.size()) + static_cast<std::int64_t>(rest);
    if (power > kExactTenPowers || power < -kExactTenPowers) return false;
    const long double digits = static_cast<long double>(n);
    value = power >= 0 ? digits * kTenPowers[power] : digits / kTenPowers[-power];
    return true;
}

}  // namespace quorvix
