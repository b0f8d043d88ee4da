#pragma once
// One token of a matrix editor as a value: the complex reading (the token
// rewrite, then the element parser).
#include <string>
#include <string_view>

#include "core/scalar.h"
#include "textio/output_settings.h"

namespace quorvix {

// Rewrites a token into the form the element parser accepts ("2i" -> "0+2i",
// polar "5(30)" -> "4.33+2.5i" under the current precision).
std::string NormalizeToken(std::string_view token, const OutputSettings& settings);
// Makes "." the decimal mark ("1,5" -> "1.5"; "1.234,5" -> "1,234.5").
std::string NormalizeDecimalMark(std::string_view text);

// ComplexFromText(NormalizeToken(token)): the complex Scalar a token of the
// complex reading denotes, or the error that reading raises.
Scalar ComplexElement(std::string_view token, const OutputSettings& settings);

// The common shapes of a token ("-0.25", "1.5-2e3i", "2i", "-i", "3+i", with
// "." or, in a token without ".", "," as the decimal mark) whose numbers
// convert exactly, as the complex Scalar that the rewrite and the parser
// make of them, found without building any text. False for every other
// token: ComplexElement then takes the rewrite and the parser.
bool ReadCommonElement(std::string_view token, Scalar& value);

}  // namespace quorvix
