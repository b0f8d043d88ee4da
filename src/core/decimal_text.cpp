#include "core/decimal_text.h"

#include <cstdlib>
#include <locale.h>

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

long double DecimalToExtended(const std::string& canonical) {
    return strtold_l(canonical.c_str(), nullptr, CLocale());
}

bool ExactDecimalToExtended(std::string_view whole, std::string_view fraction, std::int64_t exponent,
                            long double& value) {
    const std::size_t count = whole.size() + fraction.size();
    auto digit = [&](std::size_t k) { return k < whole.size() ? whole[k] : fraction[k - whole.size()]; };
    std::size_t first = 0;
    while (first < count && digit(first) == '0') ++first;
    if (first == count) {
        value = 0.0L;
        return true;
    }
    std::size_t last = count - 1;
    while (digit(last) == '0') --last;
    if (last - first + 1 > kMaxIntegerDigits) return false;
    std::uint64_t n = 0;
    for (std::size_t k = first; k <= last; ++k) n = n * 10 + static_cast<std::uint64_t>(digit(k) - '0');
    // The value is n * 10^power: the fraction's digits lower the power, the
    // trailing zeros that n leaves out raise it.
    const std::int64_t power = exponent - static_cast<std::int64_t>(fraction.size()) +
                               static_cast<std::int64_t>(count - 1 - last);
    if (power > kExactTenPowers || power < -kExactTenPowers) return false;
    const long double digits = static_cast<long double>(n);
    value = power >= 0 ? digits * kTenPowers[power] : digits / kTenPowers[-power];
    return true;
}

}  // namespace quorvix
