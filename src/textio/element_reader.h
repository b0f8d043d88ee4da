#pragma once
// One token of a matrix editor as a value: the complex reading (the token
// rewrite, then the element parser) and the real-only reading (the locale
// number conversion).
#include <string_view>

#include "core/scalar.h"
#include "textio/output_settings.h"

namespace quorvix {

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
