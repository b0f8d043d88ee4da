// The element parser ("1+2i", "-2.5e-3", "1 - 2.5 i"). The parser itself
// does not accept forms without a real part ("2i", "-i") or without a number
// before the symbol ("1+i"); the matrix reader rewrites those first.
#include "textio/element_parser.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include "core/errors.h"
#include "core/kernel/fpu.h"
#include "textio/decimal_text.h"

namespace quorvix {

namespace {

// The number reader: blanks (code 32 only), an optional sign, at least one
// more character, digits, an optional "." with digits, an optional exponent.
// Digits are not required ("." and "e5" read as 0). The decimal mark is
// always ".". Returns the length of the text when it fits entirely, otherwise
// the position of the first character that does not fit; `valid` tells
// whether the whole text is a number.
struct Scan {
    bool valid = false;
    std::size_t stop = 0;
    std::size_t signPos = std::string_view::npos;
    std::size_t intBegin = 0, intEnd = 0, fracBegin = 0, fracEnd = 0;
    std::size_t expSignPos = std::string_view::npos, expBegin = 0, expEnd = 0;
};

Scan ScanNumber(std::string_view s) {
    Scan r;
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) r.signPos = i++;
    if (i >= s.size()) {
        r.stop = i;
        return r;
    }
    r.intBegin = i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    r.intEnd = r.fracBegin = r.fracEnd = i;
    if (i < s.size() && s[i] == '.') {
        r.fracBegin = ++i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        r.fracEnd = i;
    }
    r.expBegin = r.expEnd = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        std::size_t signPos = std::string_view::npos;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) signPos = j++;
        if (j < s.size() && IsDigit(s[j])) {
            r.expSignPos = signPos;
            r.expBegin = j;
            while (j < s.size() && IsDigit(s[j])) ++j;
            r.expEnd = i = j;
        }
        // An exponent letter without digits does not fit: the number ends before it.
    }
    r.stop = i;
    r.valid = i == s.size();
    return r;
}

// The value of a scanned number, converted in extended precision, stored as a double.
double ScannedValue(std::string_view s, const Scan& r) {
    const bool negative = r.signPos != std::string_view::npos && s[r.signPos] == '-';
    // A short number converts exactly from its digits, without a canonical text.
    std::int64_t exponent = 0;
    if (r.expEnd > r.expBegin) exponent = ShortExponent(s.substr(r.expBegin, r.expEnd - r.expBegin));
    if (exponent >= 0) {
        if (r.expSignPos != std::string_view::npos && s[r.expSignPos] == '-') exponent = -exponent;
        long double v = 0.0L;
        if (ExactDecimalToExtended(s.substr(r.intBegin, r.intEnd - r.intBegin),
                                   s.substr(r.fracBegin, r.fracEnd - r.fracBegin), exponent, v))
            return StoreDouble(negative ? -v : v);
    }
    std::string canonical;
    canonical.reserve(r.intEnd - r.intBegin + r.fracEnd - r.fracBegin + r.expEnd - r.expBegin + 8);
    if (negative) canonical += '-';
    if (r.intEnd > r.intBegin)
        canonical.append(s.substr(r.intBegin, r.intEnd - r.intBegin));
    else
        canonical += '0';
    canonical += '.';
    canonical.append(s.substr(r.fracBegin, r.fracEnd - r.fracBegin));
    canonical += "0e";
    if (r.expSignPos != std::string_view::npos) canonical += s[r.expSignPos];
    if (r.expEnd > r.expBegin)
        canonical.append(s.substr(r.expBegin, r.expEnd - r.expBegin));
    else
        canonical += '0';
    const long double v = DecimalToExtended(canonical);
    if (std::isinf(v)) RaiseOverflow();
    return StoreDouble(v);
}

// Reads a number with the split rule: the whole text, or, when it fails at
// position k, the characters before k (which must then fit) with the rest
// left over. Returns false when no number can be read.
bool SplitRead(std::string_view text, double& value, std::string_view& rest) {
    Scan whole = ScanNumber(text);
    if (whole.valid) {
        value = ScannedValue(text, whole);
        rest = text.substr(text.size());
        return true;
    }
    const std::string_view head = text.substr(0, whole.stop);
    const Scan part = ScanNumber(head);
    if (!part.valid) return false;
    value = ScannedValue(head, part);
    rest = text.substr(whole.stop);
    return true;
}

std::string_view DropBlanks(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return s.substr(i);
}

[[noreturn]] void Fail(std::string_view text, const char* message, std::string_view working) {
    std::string msg(message);
    msg += " [";
    msg.append(text.substr(0, text.size() - working.size()));
    msg += "<?>";
    msg.append(working);
    msg += ']';
    throw ComplexParseError(msg);
}

}  // namespace

Scalar ComplexFromText(std::string_view text) {
    double re = 0.0;
    std::string_view rest;
    if (!SplitRead(text, re, rest)) Fail(text, "Could not parse real portion", DropBlanks(text));
    rest = DropBlanks(rest);
    if (rest.empty()) return Scalar::Complex(re, 0.0);

    double sign = 1.0;
    if (rest[0] == '-')
        sign = -1.0;
    else if (rest[0] != '+')
        Fail(text, "Could not parse required '+' (or '-') symbol", rest);
    rest = DropBlanks(rest.substr(1));

    double im = 0.0;
    std::string_view after;
    if (!SplitRead(rest, im, after)) Fail(text, "Could not parse imaginary portion", rest);
    im *= sign;

    rest = DropBlanks(after);
    if (rest.empty() || (rest[0] != 'i' && rest[0] != 'I')) Fail(text, "Could not parse required 'i' symbol", rest);
    rest = DropBlanks(rest.substr(1));
    if (!rest.empty()) Fail(text, "Unexpected characters", rest);
    return Scalar::Complex(re, im);
}

}  // namespace quorvix
