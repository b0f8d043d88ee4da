#pragma once
// The locale number conversion: the number syntax of the user's locale
// (its decimal mark only, optional sign, digits, optional exponent, blanks
// around), read in extended precision.
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvix {

// Raises ConversionError "'%s' is not a valid floating point value".
long double LocaleToExtended(std::string_view text, char decimalMark);
// The same, stored as a double (a value too large for a double raises the overflow error).
double LocaleToDouble(std::string_view text, char decimalMark);
// A decimal integer; raises ConversionError "'%s' is not a valid integer value".
std::int32_t TextToInteger(std::string_view text);
// The user's locale decimal symbol as the operating system reports it.
std::string LocaleDecimalMark();

}  // namespace quorvix
