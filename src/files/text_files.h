#pragma once
// Reading a whole text file, or a whole stream.
#include <cstdio>
#include <string>

namespace quorvix {

// The whole content of a file, or of an open stream such as standard input
// (`name` then names it in messages). Raises FileError "Cannot open file
// "%s". %s" with the system's reason when it cannot be opened or read (a
// folder, say).
std::string ReadWholeFile(const std::string& path);
std::string ReadWholeStream(std::FILE* stream, const std::string& name);

}  // namespace quorvix
