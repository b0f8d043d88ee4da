#pragma once
// "Export result...": the newest kept result, or one factor of it, written
// into a file in the format its name's extension gives.
#include <string>
#include <string_view>

#include "commands/calc_state.h"

namespace quorvix {

// Writes ExportText of the newest kept result (or of its factor `name`) in
// the format of `path`'s extension (export_formats.h), replacing the file
// only once all of it was written. Raises CalcError "There is no result to
// use" and the other errors of choosing the matrix, FileError
// `Cannot export to "NAME": ...` for an extension that names no format, and
// FileError "Cannot create file ..." when the file cannot be written.
void ExportResultFile(const CalcState& s, const std::string& path, std::string_view name);

}  // namespace quorvix
