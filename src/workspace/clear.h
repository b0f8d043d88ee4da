#pragma once
// Clearing an editor: its whole text goes; no matrix, setting or other editor changes.
#include "commands/calc_state.h"

namespace quorvix {

void ClearResult(CalcState& s);   // Clear1Click, Clear4Click
void ClearMatrixA(CalcState& s);  // Clear3Click
void ClearMatrixB(CalcState& s);  // MenuItem4Click

}  // namespace quorvix
