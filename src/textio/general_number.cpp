// The general number form: up to `digits` significant digits, no trailing
// zeros, fixed notation from 0.0001 up to below 10^digits, scientific otherwise.
#include "textio/general_number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/kernel/fpu.h"

namespace quorvix {

std::string FormatGeneral(long double v, char decimalMark, int digits, int minExponentDigits) {
    if (std::isnan(v)) RaiseInvalidOp();
    if (std::isinf(v)) RaiseOverflow();
    if (v == 0.0L) return "0";
    if (digits < 1) digits = 1;
    if (digits > 18) digits = 18;

    // Round to the significant digits once; the decimal exponent of the
    // rounded value decides between fixed and scientific notation.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", digits - 1, v);
    std::string text(buf);
    const std::size_t ePos = text.find('e');
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    const bool negative = text[0] == '-';
    std::string mantissa;  // the significant digits without the point
    for (std::size_t i = negative ? 1 : 0; i < ePos; ++i)
        if (text[i] != '.') mantissa += text[i];
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

    std::string out;
    if (negative) out += '-';
    if (exponent >= -4 && exponent < digits) {
        if (exponent < 0) {
            out += '0';
            out += decimalMark;
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += mantissa;
        } else {
            const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
            if (mantissa.size() <= intDigits) {
                out += mantissa;
                out.append(intDigits - mantissa.size(), '0');
            } else {
                out.append(mantissa, 0, intDigits);
                out += decimalMark;
                out.append(mantissa, intDigits, std::string::npos);
            }
        }
        return out;
    }
    out += mantissa[0];
    if (mantissa.size() > 1) {
        out += decimalMark;
        out.append(mantissa, 1, std::string::npos);
    }
    out += 'E';
    if (exponent < 0) out += '-';
    std::string expDigits = std::to_string(std::abs(exponent));
    if (static_cast<int>(expDigits.size()) < minExponentDigits)
        expDigits.insert(0, static_cast<std::size_t>(minExponentDigits) - expDigits.size(), '0');
    out += expDigits;
    return out;
}

std::string ComplexToText(const Scalar& v, char decimalMark) {
    const TComplexData c = ToComplexData(v);
    std::string text = FormatGeneral(c.Real(), decimalMark, 15, 3);
    text += c.Imaginary() >= 0 ? " + " : " - ";
    text += FormatGeneral(std::fabs(c.Imaginary()), decimalMark, 15, 3);
    text += 'i';
    return text;
}

}  // namespace quorvix
