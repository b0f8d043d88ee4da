#pragma once
// The two pieces every reader of decimal numbers shares: the digit test, and
// the conversion of a decimal number to an extended number. The readers check
// the user's text by their own rules first and hand over either the digit
// runs of a short number, which convert exactly without any text, or a
// canonical form ("-12.5e3", "." as the mark), so the conversion never
// depends on the process locale.
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvix {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The correctly rounded extended value of `canonical`; an infinity when it
// is beyond the extended range, 0 or a denormal when it is below it.
long double DecimalToExtended(const std::string& canonical);

// The correctly rounded extended value of the unsigned decimal number whose
// digits are `whole` followed by `fraction` (digit characters only), times
// 10^exponent, when it can be had without the general conversion: at most 19
// significant digits, which a 64-bit integer holds and a 64-bit significand
// holds exactly, and a remaining power of ten within +-27, which an extended
// number holds exactly too (5^27 < 2^64). The value is then that integer
// multiplied or divided once by the power, and one correctly rounded
// operation on two exact operands gives the correctly rounded result, the
// same that DecimalToExtended gives for the same number. False otherwise
// (more digits, a larger exponent): the caller converts its canonical text.
bool ExactDecimalToExtended(std::string_view whole, std::string_view fraction, std::int64_t exponent,
                            long double& value);

// The value of a run of at most `maxDigits` exponent digits, or -1 when the
// run is empty or longer (the caller's general conversion takes it then).
inline std::int64_t ShortExponent(std::string_view digits, std::size_t maxDigits = 6) {
    if (digits.empty() || digits.size() > maxDigits) return -1;
    std::int64_t e = 0;
    for (char c : digits) e = e * 10 + (c - '0');
    return e;
}

}  // namespace quorvix
