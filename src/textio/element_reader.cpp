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

#include <cstdint>

#include "core/decimal_text.h"
#include "core/fpu.h"
#include "textio/matrix_reader.h"

namespace quorvix {

namespace {

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

}  // namespace quorvix
