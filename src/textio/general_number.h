#pragma once
// The general number form and the general complex text form: the plain
// decimal text that x and project elements are shown in, as opposed to the
// result panel's precision-rounded form.
#include <string>

#include "core/scalar.h"

namespace quorvix {

// At most `digits` significant digits, no trailing zeros, fixed notation for
// magnitudes from 0.0001 up to below 1e15 (after rounding), otherwise
// scientific with at least `minExponentDigits` exponent digits and a sign only
// when negative ('1E15', '1E-005'). -0 prints as "0".
std::string FormatGeneral(long double v, char decimalMark = '.', int digits = 15, int minExponentDigits = 1);

// "re + imi" ('1 + 2i', '3 - 0.5i'), each part in the general form with
// 15 significant digits and exponents of at least three digits.
std::string ComplexToText(const Scalar& v, char decimalMark = '.');

}  // namespace quorvix
