// Reference copy (see textio_reference.h): the routine as it was before its
// fast path, kept unchanged but for the namespace.
// Numbers and Scalars as result text. What it does not do: it never prints
// "inf" or "nan" (such a value raises the floating-point error), and it keeps
// no state: the precision, complex format and decimal mark come in `settings`.
#include "textio/reference/textio_reference.h"

#include "textio/number_format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/kernel/fpu.h"
#include "textio/general_number.h"
#include "textio/locale_number.h"
#include "textio/polar_text.h"

namespace quorvix::reference {

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
double ValueOf(long double x, long double factor) {
    return reference::LocaleToDouble(FormatNumberWithMark(x, factor, '.'), '.');
}

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
    return reference::FormatNumber(radius, settings) + "(" + reference::FormatNumber(degrees, settings) + ")";
}

std::string ElementText(const Scalar& v, const OutputSettings& settings) {
    if (IsComplex(v)) return reference::ScalarToText(v, settings);
    return reference::FormatNumber(ScalarToReal(v), settings);
}

std::string RealElementText(const Scalar& v, const OutputSettings& settings) {
    return reference::FormatNumber(ScalarToReal(v), settings);
}

}  // namespace quorvix::reference
