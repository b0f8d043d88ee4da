#pragma once
// Running one operation as both front ends run it: its command, then the
// double-precision check of its answer. The window's command runner, Auto
// and quorvix-cli's steps all come here, so the panel reads the same in
// each.
#include "commands/calc_state.h"
#include "commands/operation_table.h"

namespace quorvix {

// Runs op.Run(state, op). When the command raises an error after writing its
// label, the line " Error: " + message + "." and an empty line follow it (a
// bare label above the next result would say nothing), and the error goes
// on to the caller. With state.CheckResults on, the operation's check runs
// after its result, refusal or error and may add its " Check: " line. A
// cancel passes through untouched.
void RunOperation(CalcState& state, const Operation& op);

}  // namespace quorvix
