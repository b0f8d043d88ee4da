#pragma once
// "Auto": every operation on the current A, B and x, in the table's order.
#include "commands/calc_state.h"

namespace quorvix {

// Clears the result panel, then runs each operation's full command. A command
// that refuses its input (an error line, a notice) does not stop the run; an
// error raised by a command (a parse error, a fault, a cancel) ends the run
// and propagates, and the panel keeps what was written up to that point.
void RunAuto(CalcState& s);

}  // namespace quorvix
