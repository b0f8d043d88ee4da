// The complex reading of one token, with a direct way for the shapes users
// type. What it does not do: the direct way never accepts a token that the
// rewrite and the parser would refuse, nor gives another value; anything it
// is not sure of (quotes, blanks, "I", polar parts, long numbers, both marks)
// goes the general way.
//
// Why the direct way gives the same value, shape by shape (s an optional
// leading sign, N an unsigned number as the parser reads it, with at least
// one digit, t a sign, "i" only at the end):
//   s N        no "i": the rewrite only changes the mark; the parser reads s N.
//   s N t N2 i the letter follows a digit or ".", so the rewrite leaves the
//              token (after a leading "-" it finds the sign t at least, and
//              keeps it); the parser reads s N up to t, then t, N2 and "i".
//   N i, -N i  N without an exponent sign: the rewrite finds no other sign
//              and puts "0+" or "0" in front; the parser reads 0, the sign
//              and N. ("+N i" is refused by the parser, and "N e-5 i" too,
//              so those go the general way.)
//   i, +i, -i  rewritten to "0+1i" and "0-1i".
//   s N t i    the letter follows a sign, so the rewrite puts "1" before it;
//              the parser reads s N, t, 1 and "i".
// Numbers are read as the parser's number reader reads them (an exponent
// only when a digit follows the letter and its optional sign), and converted
// exactly (ExactDecimalToExtended), which is what the parser's conversion
// gives; the imaginary part takes the sign t by the same multiplication by
// +-1, and Scalar::Complex flushes both parts as the parser's result does.
#include "textio/element_reader.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "core/kernel/fpu.h"
#include "textio/decimal_text.h"
#include "textio/element_parser.h"
#include "textio/locale_number.h"
#include "textio/number_format.h"
#include "textio/polar_text.h"

namespace quorvix {

namespace {

std::string FormatPolarPart(long double x, const OutputSettings& settings) {
    // The rebuilt text is read by the element parser, whose mark is ".":
    // formatting with "." directly gives the same text the decimal-mark rewrite
    // would make of a locale-marked one, whatever the locale's mark is.
    OutputSettings pointed = settings;
    pointed.DecimalMark = '.';
    return FormatNumber(x, pointed);
}

bool ContainsSign(std::string_view s) { return s.find_first_of("+-") != std::string_view::npos; }

// A number of a token: its value as the parser stores it, and whether its
// exponent had a sign.
struct Number {
    double value = 0.0;
    bool signedExponent = false;
};

enum Marks : unsigned { kPoint = 1, kComma = 2 };

// Reads an unsigned number at `pos` by the parser's number rule, negated
// when `negative`; the marks seen ("." or ",") are added to `marks`. False
// (and `pos` unchanged) when there is none or it does not convert exactly.
bool ReadNumber(std::string_view t, std::size_t& pos, bool negative, unsigned& marks, Number& out) {
    std::size_t i = pos;
    const std::size_t wholeBegin = i;
    while (i < t.size() && IsDigit(t[i])) ++i;
    const std::string_view whole = t.substr(wholeBegin, i - wholeBegin);
    std::string_view fraction;
    if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
        marks |= t[i] == '.' ? kPoint : kComma;
        const std::size_t fractionBegin = ++i;
        while (i < t.size() && IsDigit(t[i])) ++i;
        fraction = t.substr(fractionBegin, i - fractionBegin);
    }
    if (whole.empty() && fraction.empty()) return false;
    std::int64_t exponent = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        bool signedExponent = false;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) {
            signedExponent = true;
            negativeExponent = t[j++] == '-';
        }
        if (j < t.size() && IsDigit(t[j])) {
            const std::size_t exponentBegin = j;
            while (j < t.size() && IsDigit(t[j])) ++j;
            exponent = ShortExponent(t.substr(exponentBegin, j - exponentBegin));
            if (exponent < 0) return false;
            if (negativeExponent) exponent = -exponent;
            out.signedExponent = signedExponent;
            i = j;
        }
    }
    long double v = 0.0L;
    if (!ExactDecimalToExtended(whole, fraction, exponent, v)) return false;
    out.value = StoreDouble(negative ? -v : v);
    pos = i;
    return true;
}

bool IsSign(char c) { return c == '+' || c == '-'; }

}  // namespace

bool ReadCommonElement(std::string_view t, Scalar& value) {
    if (t.empty()) return false;
    const std::size_t last = t.size() - 1;
    std::size_t pos = 0;
    const char lead = IsSign(t[0]) ? t[pos++] : '\0';
    const bool negative = lead == '-';
    if (pos == last && t[pos] == 'i') {  // "i", "+i", "-i"
        value = Scalar::Complex(0.0, negative ? -1.0 : 1.0);
        return true;
    }
    unsigned marks = 0;
    Number first;
    if (!ReadNumber(t, pos, negative, marks, first)) return false;
    double re = first.value;
    double im = 0.0;
    if (pos == t.size()) {
        // s N: a real number.
    } else if (pos == last && t[pos] == 'i') {
        // N i or -N i: a pure imaginary number.
        if (lead == '+' || first.signedExponent) return false;
        re = 0.0;
        im = first.value;
    } else if (IsSign(t[pos])) {
        const double sign = t[pos++] == '-' ? -1.0 : 1.0;
        if (pos == last && t[pos] == 'i') {
            im = sign;  // s N t i
        } else {
            Number second;
            if (!ReadNumber(t, pos, false, marks, second) || pos != last || t[pos] != 'i') return false;
            im = second.value * sign;  // s N t N2 i
        }
    } else {
        return false;
    }
    // A token with both marks is rewritten by swapping them: the general way.
    if (marks == (kPoint | kComma)) return false;
    value = Scalar::Complex(re, im);
    return true;
}

Scalar ComplexElement(std::string_view token, const OutputSettings& settings) {
    Scalar value;
    if (ReadCommonElement(token, value)) return value;
    return ComplexFromText(NormalizeToken(token, settings));
}

std::string NormalizeToken(std::string_view token, const OutputSettings& settings) {
    std::string s(token);
    std::string r = s;
    const std::size_t p = s.find('i');
    if (p != std::string::npos) {
        if (s == "i" || s == "+i") {
            r = "0+1i";
        } else if (s == "-i") {
            r = "0-1i";
        } else {
            if (p > 0 && (s[p - 1] == '+' || s[p - 1] == '-')) {
                // '3+i' -> '3+1i': the number before the symbol is filled in.
                s.pop_back();
                s += "1i";
                r = s;
            }
            if (!ContainsSign(s)) {
                r = "0+" + s;  // "2i" -> "0+2i"
            } else if (s[0] == '-') {
                // '-2i' -> '0-2i'; '-1-2i' has a real part and stays.
                std::size_t signs = 0;
                for (std::size_t k = 1; k + 1 < s.size(); ++k)
                    if (s[k] == '+' || s[k] == '-') ++signs;
                r = signs == 0 ? "0" + s : s;
            }
        }
    }

    if (const std::optional<PolarTokenText> polar = SplitPolarToken(s)) {
        // The value is rebuilt as rectangular text at the display precision.
        const long double radius = LocaleToExtended(polar->Radius, settings.DecimalMark);
        const long double angle = LocaleToExtended(polar->Angle, settings.DecimalMark);
        const long double theta = angle / kDegreesPerRadian;
        const long double re = std::cos(theta) * radius;
        const long double im = std::sin(theta) * radius;
        r = FormatPolarPart(re, settings);
        if (im >= 0) r += '+';
        r += KeepMinus(FormatPolarPart(im, settings), im < 0);  // '5(-0.001)' is '5-0i', never '50i'
        r += 'i';
    }
    return NormalizeDecimalMark(r);
}

std::string NormalizeDecimalMark(std::string_view text) {
    const std::size_t dot = text.find('.');
    const std::size_t comma = text.find(',');
    std::string out(text);
    if (comma == std::string_view::npos) return out;  // "." only, or neither
    if (dot == std::string_view::npos) {
        for (char& c : out)
            if (c == ',') c = '.';
        return out;
    }
    if (dot > comma) return out;  // '1,234.5' stays
    // Both, the point first: the two marks change places ('1.234,5' -> '1,234.5').
    for (char& c : out) {
        if (c == ',')
            c = '.';
        else if (c == '.')
            c = ',';
    }
    return out;
}

}  // namespace quorvix
