// The locale number conversion. What it does not do: no thousands
// separators, no "inf" or "nan", no hexadecimal, and only the blank (code 32)
// counts as a surrounding blank. The text is checked here and then handed to
// the C library in a canonical "C" form, so the process locale never matters.
#include "textio/locale_number.h"

#include <langinfo.h>
#include <locale.h>
#include <cmath>
#include <cstdlib>

#include "core/errors.h"
#include "core/kernel/fpu.h"
#include "textio/decimal_text.h"

namespace quorvix {

namespace {

[[noreturn]] void NotAFloat(std::string_view text) {
    std::string msg = "'";
    msg.append(text);
    msg += "' is not a valid floating point value";
    throw ConversionError(msg);
}

// Exponents are kept as a saturated integer: anything beyond this bound is
// far outside the extended range either way, and a text of a million exponent
// digits must not reach the C library as such.
constexpr long kExponentBound = 1000000;

// The common case without any text built: blanks, an optional sign, digits
// with at most one decimal mark, an optional exponent of a few digits, blanks,
// and a value that converts exactly (ExactDecimalToExtended). False for
// anything else, which the full conversion below then reads or refuses.
bool ExactLocaleNumber(std::string_view text, char decimalMark, long double& value) {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && text[i] == ' ') ++i;
    while (end > i && text[end - 1] == ' ') --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t wholeBegin = i;
    while (i < end && IsDigit(text[i])) ++i;
    const std::string_view whole = text.substr(wholeBegin, i - wholeBegin);
    std::string_view fraction;
    if (i < end && text[i] == decimalMark) {
        const std::size_t fractionBegin = ++i;
        while (i < end && IsDigit(text[i])) ++i;
        fraction = text.substr(fractionBegin, i - fractionBegin);
    }
    if (whole.empty() && fraction.empty()) return false;
    std::int64_t exponent = 0;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
        const std::size_t exponentBegin = i;
        while (i < end && IsDigit(text[i])) ++i;
        exponent = ShortExponent(text.substr(exponentBegin, i - exponentBegin));
        if (exponent < 0) return false;
        if (negativeExponent) exponent = -exponent;
    }
    if (i != end || !ExactDecimalToExtended(whole, fraction, exponent, value)) return false;
    if (negative) value = -value;
    return true;
}

}  // namespace

long double LocaleToExtended(std::string_view text, char decimalMark) {
    if (long double exact = 0.0L; ExactLocaleNumber(text, decimalMark, exact)) return exact;
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && text[i] == ' ') ++i;
    while (end > i && text[end - 1] == ' ') --end;

    std::string canonical;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') canonical += '-';
        ++i;
    }
    // Leading zeros of the whole part carry no value; dropping them keeps the
    // canonical copy short for texts such as "000...0001".
    std::size_t digits = 0;
    bool leadingZeros = true;
    while (i < end && IsDigit(text[i])) {
        if (!(leadingZeros && text[i] == '0')) {
            leadingZeros = false;
            canonical += text[i];
        }
        ++i;
        ++digits;
    }
    if (leadingZeros) canonical += '0';
    if (i < end && text[i] == decimalMark) {
        ++i;
        canonical += '.';
        while (i < end && IsDigit(text[i])) {
            canonical += text[i];
            ++i;
            ++digits;
        }
    }
    if (digits == 0) NotAFloat(text);
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        if (i >= end || !IsDigit(text[i])) NotAFloat(text);
        long exponent = 0;
        while (i < end && IsDigit(text[i])) {
            if (exponent < kExponentBound) exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        canonical += 'e';
        if (negative) canonical += '-';
        canonical += std::to_string(exponent);
    }
    if (i != end) NotAFloat(text);

    const long double v = DecimalToExtended(canonical);
    // Too large for the extended range: the text does not denote a value.
    // Too small underflows quietly to 0 or a denormal.
    if (!std::isfinite(v)) NotAFloat(text);
    return v;
}

double LocaleToDouble(std::string_view text, char decimalMark) {
    return StoreDouble(LocaleToExtended(text, decimalMark));
}

std::int32_t TextToInteger(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool ok = i < text.size();
    std::int64_t value = 0;
    for (; ok && i < text.size(); ++i) {
        if (!IsDigit(text[i])) {
            ok = false;
            break;
        }
        value = value * 10 + (text[i] - '0');
        if (value > (std::int64_t{1} << 31)) ok = false;  // saturate: stays out of range
    }
    if (ok) {
        const std::int64_t signedValue = negative ? -value : value;
        if (signedValue >= INT32_MIN && signedValue <= INT32_MAX) return static_cast<std::int32_t>(signedValue);
    }
    std::string msg = "'";
    msg.append(text);
    msg += "' is not a valid integer value";
    throw ConversionError(msg);
}

std::string LocaleDecimalMark() {
    // The user's locale as the environment names it; a locale that is not
    // installed, or that reports no radix character, leaves the point.
    std::string mark = ".";
    const locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) return mark;
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    if (radix != nullptr && radix[0] != '\0') {
        std::string answer(radix);
        if (answer.size() > 100) answer.resize(100);
        mark = answer;
    }
    freelocale(loc);
    return mark;
}

}  // namespace quorvix
