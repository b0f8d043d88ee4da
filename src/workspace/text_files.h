#pragma once
// Plain text files: saving the result panel, and reading a whole file.
#include <cstdio>
#include <string>

#include "commands/calc_state.h"

namespace quorvix {

// "Save result": the panel's plain text, lines separated by CR LF, whatever
// the file's extension (an ".rtf" name gets the same plain text). Replaces
// the file only once all of it was written; raises FileError "Cannot create
// file "%s". %s".
void SaveResult(const CalcState& s, const std::string& path);

// The whole content of a file, or of an open stream such as standard input
// (`name` then names it in messages). Raises FileError "Cannot open file
// "%s". %s" with the system's reason when it cannot be opened or read (a
// folder, say).
std::string ReadWholeFile(const std::string& path);
std::string ReadWholeStream(std::FILE* stream, const std::string& name);

}  // namespace quorvix
