#pragma once
// The hint for an editor that looks like comma-separated values while the
// decimal mark is ".": the editors read "1,2" as the one number 1.2, which is
// the design's reading and stays; the hint says what to do instead.
#include <string>

#include "commands/calc_state.h"
#include "commands/command_frame.h"
#include "textio/comma_lines.h"

namespace quorvix {

// The hint's text for `line` of the editor of `which`.
std::string CommaHintText(Operand which, const CommaLine& line);

// Adds the hint to s.Hints when the decimal mark is "." and a line of the
// editor looks like comma-separated values, once for each text of the
// editor: not again until its text has changed.
void HintAtCommaSeparatedLines(CalcState& s, Operand which);

}  // namespace quorvix
