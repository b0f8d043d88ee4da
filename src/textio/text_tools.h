#pragma once
// The editor rewriting tools: rectangular and polar notation, decimal marks in
// the result panel, and aligning tokens in columns. They work on the editors'
// lines and hand back new lines, so a failed conversion leaves the caller's
// editor as it was.
#include <string>
#include <string_view>

#include "textio/matrix_reader.h"
#include "textio/output_settings.h"
#include "textio/result_panel.h"

namespace quorvix {

enum class Conversion {
    None,     // every token unchanged (only the spacing is rebuilt)
    ToRect,   // polar tokens "r(deg)" become ScalarToText of their value
    ToPolar,  // tokens with an "i" become "radius(degrees)"
};

// A token with both "(" and ")": radius before the first "(", degrees between
// the first "(" and the first ")", both locale numbers; it becomes
// ScalarToText of the value, which follows the current complex format. Other
// tokens are returned unchanged. Raises the conversion error of a bad number.
std::string TokenToRect(std::string_view token, const OutputSettings& settings);
// A token with a lower-case "i" is read as a complex number and becomes
// FormatNumber(radius) + "(" + FormatNumber(degrees) + ")", the angle in
// (-180, 180]. Other tokens (reals, polar tokens) are returned unchanged.
std::string TokenToPolar(std::string_view token, const OutputSettings& settings);
std::string ConvertToken(std::string_view token, Conversion conversion, const OutputSettings& settings);

// The editor rebuilt from its rows (its non-blank lines, as many as CountRows
// counts): each token, converted and written as WritableToken, followed by
// two blanks. A token that cannot be converted raises its error marked with
// its line and element (from 1). CountColumns runs too and may append the
// incomplete warning to `panel`. Blank lines are not carried over; every
// rebuilt line ends with a line break, so a non-empty result ends with an
// empty line.
EditorLines RewriteEditor(const EditorLines& editor, Conversion conversion, const OutputSettings& settings,
                          ResultPanel& panel);

// Tokens lined up in columns, each written as WritableToken: w is the longest
// written token over all lines; each is left-aligned in a field of w + 2
// characters, so a line reads back as the same tokens. Empty lines are
// dropped; a line of blanks becomes an empty line.
EditorLines AlignLines(const EditorLines& lines);

// Every `from` in the panel becomes `to`.
void ReplaceInPanel(ResultPanel& panel, char from, char to);

}  // namespace quorvix
