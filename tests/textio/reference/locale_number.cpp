// Reference copy (see textio_reference.h): the routine as it was before its
// fast path, kept unchanged but for the namespace.
// The locale number conversion. What it does not do: no thousands
// separators, no "inf" or "nan", no hexadecimal, and only the blank (code 32)
// counts as a surrounding blank. The text is checked here and then handed to
// the C library in a canonical "C" form, so the process locale never matters.
#include "textio/reference/textio_reference.h"

#include "textio/locale_number.h"

#include <cmath>
#include <cstdlib>

#include "core/errors.h"
#include "core/kernel/fpu.h"
#include "textio/decimal_text.h"

namespace quorvix::reference {

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

}  // namespace

long double LocaleToExtended(std::string_view text, char decimalMark) {
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
    return StoreDouble(reference::LocaleToExtended(text, decimalMark));
}

}  // namespace quorvix::reference
