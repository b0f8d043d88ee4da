#pragma once
// The commands that rewrite an editor's text without computing: the
// complex-format choice, "Polar To Rect", "Rect to Polar", "comma to dot",
// "dot to comma", "Align" and "Clear". Each replaces an editor's text only
// once its new text is complete, so a failed conversion leaves it as it was.
#include "commands/calc_state.h"
#include "commands/command_frame.h"
#include "textio/output_settings.h"

namespace quorvix {

inline constexpr const char* kReplacedNotice = "Successed!";

// The three editors of the window.
enum class Editor { MatrixA, MatrixB, Result };

// Choosing an item of "Complex Format": the format is set first; then x,
// Matrix A and Matrix B are rewritten in the new notation, in this order. A
// failure leaves the controls after the failing one as they were, and the
// format stays chosen.
void SetComplexFormat(CalcState& s, ComplexFormat newFormat);

// "Polar To Rect": polar tokens become the text of their value, which
// follows the current complex format.
void PolarToRect(CalcState& s, Operand which);
// "Rect to Polar": complex tokens become "radius(degrees)" while the polar
// format is chosen; otherwise only the spacing is rebuilt.
void RectToPolar(CalcState& s, Operand which);

// The result panel's "comma to dot" and "dot to comma": every mark swapped,
// then the "Successed!" box, also when nothing was replaced.
void PanelCommaToDot(CalcState& s);
void PanelDotToComma(CalcState& s);

// "Align": the tokens of the editor in columns of equal width.
void AlignEditor(CalcState& s, Editor editor);
// "Clear": the editor's whole text goes; clearing the result panel also drops
// the results it kept. Nothing else changes.
void ClearEditor(CalcState& s, Editor editor);

}  // namespace quorvix
