#pragma once
// "Auto": every operation on the current A, B and x, in the table's order.
#include "commands/calc_state.h"

namespace quorvix {

// Clears the result panel, then runs each operation's full command. A command
// that refuses its input (an error line, a notice) does not stop the run, and
// neither does one that raises an error: its message follows what it wrote,
// as the line " Error: " + message + "." and an empty line, and the next
// command runs. After the last command, the first error raised is raised
// again, so that the front end reports it once. A cancel stops the whole run
// at once.
void RunAuto(CalcState& s);

}  // namespace quorvix
