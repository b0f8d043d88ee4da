#pragma once
// The precision box: its text and the rounding factor that follows from it
// change here and nowhere else, so the two never drift apart.
#include <string>

#include "commands/calc_state.h"

namespace quorvix {

// The user typed `text` into the precision box: the box holds it, and the
// rounding factor follows ("e" the exponent form, a number p the factor
// 10^p). A text that is not a precision raises its conversion error ("'-' is
// not a valid floating point value"); the box keeps the text as typed and
// the factor stays as it was.
void SetPrecision(CalcState& s, std::string text);

// Whether `text` would be taken as a precision under these settings (the
// window shows a red frame while it is not).
bool IsPrecisionText(const std::string& text, const OutputSettings& settings);

}  // namespace quorvix
