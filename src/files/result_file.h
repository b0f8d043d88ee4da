#pragma once
// The result file: the result panel saved as plain text.
#include <string>

#include "commands/calc_state.h"

namespace quorvix {

// "Save result": the panel's plain text, lines separated by CR LF, whatever
// the file's extension (an ".rtf" name gets the same plain text). Replaces
// the file only once all of it was written; raises FileError "Cannot create
// file "%s". %s".
void SaveResult(const CalcState& s, const std::string& path);

}  // namespace quorvix
