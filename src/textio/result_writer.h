#pragma once
// The result writer: appends "=" to the label line and prints the result state.
#include "textio/output_settings.h"
#include "textio/result_panel.h"
#include "textio/result_state.h"

namespace quorvix {

// Prints `state` by its ResultKind below the label line (the panel's last
// line); kinds 1 to 7 are set back to rkMatrix afterwards.
void WriteResult(ResultState& state, ResultPanel& panel, const OutputSettings& settings);

}  // namespace quorvix
