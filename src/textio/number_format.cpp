// Numbers and Scalars as result text. What it does not do: it never prints
// "inf" or "nan" (such a value raises the floating-point error), and it keeps
// no state: the precision, complex format and decimal mark come in `settings`.
#include "textio/number_format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/kernel/fpu.h"
#include "textio/general_number.h"
#include "textio/locale_number.h"
#include "textio/polar_text.h"

namespace quorvix {

namespace {

// 2^63: the first magnitude that no longer rounds into a signed 64-bit integer.
constexpr long double kTwoTo63 = 9223372036854775808.0L;

// The exponent form "%1.4e": one digit, the mark, three digits, "E", the
// exponent's sign and at least three exponent digits. Four significant
// digits, an exact half rounded away from zero.
std::string FormatExponent(long double x, char mark) {
    if (x == 0.0L) return std::string("0") + mark + "000E+000";
    // Forty digits show an exact tie as "5000..." and anything else as
    // clearly above or below it: an extended value differs from a tie at the
    // fifth digit by far more than 1e-40 of its size.
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.39Le", x);
    const char* p = buf;
    const bool negative = *p == '-';
    if (negative) ++p;
    std::string digits;  // forty significant digits
    while (*p != 'e') {
        if (*p != '.') digits += *p;
        ++p;
    }
    int exponent = std::atoi(p + 1);
    std::string kept = digits.substr(0, 4);
    if (digits[4] >= '5') {
        int k = 3;
        while (k >= 0 && kept[static_cast<std::size_t>(k)] == '9') kept[static_cast<std::size_t>(k--)] = '0';
        if (k >= 0) {
            ++kept[static_cast<std::size_t>(k)];
        } else {
            kept = "1000";
            ++exponent;
        }
    }
    std::string out;
    if (negative) out += '-';
    out += kept[0];
    out += mark;
    out.append(kept, 1, 3);
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    std::string expDigits = std::to_string(std::abs(exponent));
    if (expDigits.size() < 3) expDigits.insert(0, 3 - expDigits.size(), '0');
    out += expDigits;
    return out;
}

std::string FormatNumberWithMark(long double x, long double factor, char mark) {
    CheckExtended(x);
    if (factor == 0.0L) return FormatExponent(x, mark);
    const long double scaled = x * factor;
    // Round to the nearest integer, ties to even (the default rounding mode).
    const long double whole = std::nearbyint(scaled);
    // A value whose rounded scaled magnitude does not fit a signed 64-bit
    // integer (from about 9.2e10 at precision 8) is printed as it is, in the
    // general form, rather than stopping the command with an
    // invalid-operation error.
    if (!std::isfinite(whole) || std::fabs(whole) >= kTwoTo63) return FormatGeneral(x, mark);
    const auto n = static_cast<std::int64_t>(whole);
    const long double rounded = static_cast<long double>(n) / factor;
    if (!std::isfinite(rounded)) return FormatGeneral(x, mark);
    return FormatGeneral(rounded, mark);
}

// R + I·i of a text built from F(R) and F(I): the value the rectangular text
// denotes, read back from the same digits with "." as the mark.
struct Rectangular {
    std::string text;
    double re = 0.0;
    double im = 0.0;
};

// The number a formatted part stands for.
double ValueOf(long double x, long double factor) { return LocaleToDouble(FormatNumberWithMark(x, factor, '.'), '.'); }

// With `withValue` the value is filled in as well (the polar form needs it;
// the rectangular form never reads its own text back).
Rectangular RectangularText(const Scalar& v, const OutputSettings& settings, bool withValue) {
    // The parts as the complex arithmetic gives them, so both passed the flush to zero.
    const Scalar half = (v + ComplexConjugate(v)) / Scalar::Integer(2);
    const Scalar imag = -((v - half) * Scalar::Complex(0.0, 1.0));
    const double R = RealPart(half);
    const double I = RealPart(imag);
    const long double F = settings.RoundingFactor;
    const char mark = settings.DecimalMark;

    auto signedImag = [&]() { return KeepMinus(FormatNumberWithMark(I, F, mark), I < 0); };
    auto imagValue = [&]() { return withValue ? ValueOf(I, F) : 0.0; };
    auto realValue = [&]() { return withValue ? ValueOf(R, F) : 0.0; };

    Rectangular r;
    if (R == 0 && I == 0) {
        r.text = "0";
    } else if (I == 0) {
        r.text = FormatNumberWithMark(R, F, mark);
        r.re = realValue();
    } else if (R == 0) {
        if (I == 1) {
            r.text = "i";
            r.im = 1.0;
        } else if (I == -1) {
            r.text = "-i";
            r.im = -1.0;
        } else {
            // No sign stands before the part here, so its text is F(I) as it
            // is: -0.0001i at three decimals is "0i", never "-0i".
            r.text = FormatNumberWithMark(I, F, mark) + "i";
            r.im = imagValue();
        }
    } else {
        r.text = FormatNumberWithMark(R, F, mark);
        r.re = realValue();
        if (I == 1) {
            r.text += "+i";
            r.im = 1.0;
        } else if (I == -1) {
            r.text += "-i";
            r.im = -1.0;
        } else if (I > 0) {
            r.text += '+';
            r.text += FormatNumberWithMark(I, F, mark);
            r.text += 'i';
            r.im = imagValue();
        } else {
            r.text += signedImag();
            r.text += 'i';
            r.im = imagValue();
        }
    }
    return r;
}

}  // namespace

std::string FormatNumber(long double x, const OutputSettings& settings) {
    return FormatNumberWithMark(x, settings.RoundingFactor, settings.DecimalMark);
}

std::string ScalarToText(const Scalar& v, const OutputSettings& settings) {
    const bool polar = settings.Format == ComplexFormat::Polar;
    Rectangular r = RectangularText(v, settings, polar);
    if (!polar) return std::move(r.text);
    // The polar numbers come from the rounded rectangular value, as the
    // rectangular text shows it; the text itself is not parsed again, so a
    // pure imaginary in the exponent form ("2.000E+000i") and any decimal
    // mark work.
    double radius = 0.0;
    double theta = 0.0;
    ComplexToPolar(ComplexFromParts(r.re, r.im), true, radius, theta);
    const long double degrees = static_cast<long double>(theta) * kDegreesPerRadian;
    if (degrees == 0.0L) return std::move(r.text);
    return FormatNumber(radius, settings) + "(" + FormatNumber(degrees, settings) + ")";
}

std::string ElementText(const Scalar& v, const OutputSettings& settings) {
    if (IsComplex(v)) return ScalarToText(v, settings);
    return FormatNumber(ScalarToReal(v), settings);
}

std::string RealElementText(const Scalar& v, const OutputSettings& settings) {
    return FormatNumber(ScalarToReal(v), settings);
}

// ---- The direct way for whole results ---------------------------------------
//
// With the factor exactly 10^p, FormatNumber rounds x*F to the integer n and
// prints n / F in the general form with 15 significant digits. When |n| <
// 10^15 that text is n's own digits with the mark put p places from the
// right: the decimal n * 10^-p has at most 15 significant digits, and the
// extended quotient n / F lies within 2^-64 of it relatively, far less than
// half a unit of the 15th digit, so rounding it to 15 digits gives n * 10^-p
// back, its decimal exponent included (a quotient just below a power of ten
// rounds up to it). So the digits of n are written directly; larger n, other
// factors and the exponent form go the general way. The polar form reads the
// rectangular text back: a part printed this way stands for n * 10^-p, which
// reads back as n / F correctly rounded, so that value is taken directly too.

namespace {

constexpr int kMaxExactDigits = 27;
constexpr int kTextRoom = 96;

// 10^p when the factor is exactly that power (0 <= p <= 27), else -1.
int PrecisionDigits(long double factor) {
    long double power = 1.0L;
    for (int p = 0; p <= kMaxExactDigits; ++p, power *= 10.0L)
        if (factor == power) return p;
    return -1;
}

// x rounded to the nearest integer, ties to even, for 0 <= x < 2^62: added
// to 2^63 the sum has a unit in its last place of 1, so the addition rounds
// x as the default rounding mode rounds to an integer (2^63 is even, so a tie
// goes the same way), and the sum's 64-bit significand is 2^63 + that
// integer, read from the sum's bytes without a conversion.
std::uint64_t RoundHalfEven(long double x) {
    const long double sum = x + 9223372036854775808.0L;
    std::uint64_t significand = 0;
    std::memcpy(&significand, &sum, sizeof significand);  // x87 layout: the significand comes first
    return significand - (std::uint64_t{1} << 63);
}

// "00" to "99".
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the text of `size` bytes of `from` right-aligned in 10 characters.
void AppendRightAligned(std::string& row, const char* from, std::size_t size) {
    if (size < 10) row.append(10 - size, ' ');
    row.append(from, size);
}

}  // namespace

ElementPrinter::ElementPrinter(const OutputSettings& settings)
    : settings_(settings), factor_(settings.RoundingFactor), mark_(settings.DecimalMark) {
    digits_ = factor_ == 0.0L ? -1 : PrecisionDigits(factor_);
}

int ElementPrinter::WriteNumber(char* out, long double x, double* value) const {
    if (digits_ < 0 || !std::isfinite(x)) return -1;
    const long double scaled = x * factor_;
    const bool negative = scaled < 0;
    const long double magnitude = negative ? -scaled : scaled;
    if (!(magnitude < 1e15L)) return -1;
    std::uint64_t n = RoundHalfEven(magnitude);
    if (n >= 1000000000000000u) return -1;
    if (value != nullptr) {
        // The text read back as a number: n * 10^-p exactly, whose correctly
        // rounded extended value is n / F (both exact), stored as a double.
        const long double quotient = static_cast<long double>(n) / factor_;
        *value = n == 0 ? 0.0 : StoreDouble(negative ? -quotient : quotient);
    }
    if (n == 0) {
        out[0] = '0';
        return 1;
    }
    // The digits of n, most significant first.
    char digits[16];
    char* p = digits + 16;
    while (n >= 10) {
        const std::size_t pair = static_cast<std::size_t>(n % 100) * 2;
        n /= 100;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    }
    if (n != 0) *--p = static_cast<char>('0' + n);  // an odd count of digits
    const int count = static_cast<int>(digits + 16 - p);
    const char* d = p;
    int kept = count;  // without trailing zeros
    while (d[kept - 1] == '0') --kept;
    const int exponent = count - 1 - digits_;  // at most 14: fixed or small
    char* o = out;
    if (negative) *o++ = '-';
    if (exponent >= 0) {
        const int wholeDigits = exponent + 1;
        if (kept <= wholeDigits) {
            for (int k = 0; k < kept; ++k) *o++ = d[k];
            for (int k = kept; k < wholeDigits; ++k) *o++ = '0';
        } else {
            for (int k = 0; k < wholeDigits; ++k) *o++ = d[k];
            *o++ = mark_;
            for (int k = wholeDigits; k < kept; ++k) *o++ = d[k];
        }
    } else if (exponent >= -4) {
        *o++ = '0';
        *o++ = mark_;
        for (int k = 0; k < -exponent - 1; ++k) *o++ = '0';
        for (int k = 0; k < kept; ++k) *o++ = d[k];
    } else {
        *o++ = d[0];
        if (kept > 1) {
            *o++ = mark_;
            for (int k = 1; k < kept; ++k) *o++ = d[k];
        }
        *o++ = 'E';
        *o++ = '-';
        const int e = -exponent;  // 5 to 27
        if (e >= 10) *o++ = static_cast<char>('0' + e / 10);
        *o++ = static_cast<char>('0' + e % 10);
    }
    return static_cast<int>(o - out);
}

int ElementPrinter::WriteElement(char* out, const Scalar& v, bool realOnly) const {
    if (realOnly || !IsComplex(v)) return WriteNumber(out, ScalarToReal(v));
    // The rectangular text's R and I, which the complex arithmetic of
    // ScalarToText gives back unchanged (doubling R exactly, halving it,
    // multiplying by i), except that doubling a real part of 2^1023 or more
    // overflows: that the general way raises.
    const double re = v.ComplexValue().Real();
    const double im = v.ComplexValue().Imaginary();
    if (!(std::fabs(re) < 0x1p1023)) return -1;
    // The value each printed part stands for, which the polar form starts from.
    double valueRe = 0.0;
    double valueIm = 0.0;
    char* o = out;
    auto put = [&](long double x, double& value) {
        const int length = WriteNumber(o, x, &value);
        if (length < 0) return false;
        o += length;
        return true;
    };
    if (re == 0 && im == 0) {
        *o++ = '0';
    } else if (im == 0) {
        if (!put(re, valueRe)) return -1;
    } else if (re == 0) {
        if (im == 1) {
            *o++ = 'i';
            valueIm = 1.0;
        } else if (im == -1) {
            *o++ = '-';
            *o++ = 'i';
            valueIm = -1.0;
        } else {
            if (!put(im, valueIm)) return -1;
            *o++ = 'i';
        }
    } else {
        if (!put(re, valueRe)) return -1;
        if (im == 1) {
            *o++ = '+';
            *o++ = 'i';
            valueIm = 1.0;
        } else if (im == -1) {
            *o++ = '-';
            *o++ = 'i';
            valueIm = -1.0;
        } else if (im > 0) {
            *o++ = '+';
            if (!put(im, valueIm)) return -1;
            *o++ = 'i';
        } else {
            // F(I) with its minus, which a part that rounds to "0" keeps
            // too: rounding is symmetric, so that is "-" and F(-I), and the
            // part stands for minus the value of F(-I).
            *o++ = '-';
            if (!put(-static_cast<long double>(im), valueIm)) return -1;
            valueIm = -valueIm;
            *o++ = 'i';
        }
    }
    const int rectangular = static_cast<int>(o - out);
    if (settings_.Format == ComplexFormat::Rectangular) return rectangular;

    // Polar: the radius and angle of the value the rectangular text shows;
    // positive reals and zero keep the rectangular text.
    double radius = 0.0;
    double theta = 0.0;
    ComplexToPolar(ComplexFromParts(valueRe, valueIm), true, radius, theta);
    const long double degrees = static_cast<long double>(theta) * kDegreesPerRadian;
    if (degrees == 0.0L) return rectangular;
    o = out;
    double unused = 0.0;
    if (!put(radius, unused)) return -1;
    *o++ = '(';
    if (!put(degrees, unused)) return -1;
    *o++ = ')';
    return static_cast<int>(o - out);
}

void ElementPrinter::AppendField(std::string& row, const Scalar& v, bool realOnly) const {
    char text[kTextRoom];
    const int length = WriteElement(text, v, realOnly);
    if (length >= 0) {
        AppendRightAligned(row, text, static_cast<std::size_t>(length));
        return;
    }
    const std::string general = realOnly ? RealElementText(v, settings_) : ElementText(v, settings_);
    AppendRightAligned(row, general.data(), general.size());
}

void ElementPrinter::AppendBlockField(std::string& row, const Scalar& v, bool realOnly) const {
    row += ' ';
    AppendField(row, v, realOnly);
}

void ElementPrinter::AppendNumberField(std::string& row, long double x) const {
    char text[kTextRoom];
    const int length = WriteNumber(text, x);
    if (length >= 0) {
        AppendRightAligned(row, text, static_cast<std::size_t>(length));
        return;
    }
    const std::string general = FormatNumber(x, settings_);
    AppendRightAligned(row, general.data(), general.size());
}

}  // namespace quorvix
