#pragma once
// The result writer: appends "=" to the label line and prints a command's result.
#include "textio/command_result.h"
#include "textio/output_settings.h"
#include "textio/result_panel.h"

namespace quorvix {

// Prints `result` below the label line (the panel's last line).
void WriteResult(const CommandResult& result, ResultPanel& panel, const OutputSettings& settings);

}  // namespace quorvix
