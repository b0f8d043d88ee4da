#pragma once
// Saving the result panel: its plain text, lines separated by CR LF, whatever
// the file's extension (an ".rtf" name gets the same plain text).
#include <string>

#include "commands/calc_state.h"

namespace quorvix {

// Replaces the file only once all of it was written; raises FileError
// "Cannot create file "%s". %s".
void SaveResult(const CalcState& s, const std::string& path);

}  // namespace quorvix
