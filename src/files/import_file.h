#pragma once
// "Import matrix into A/B...": a file (or a text, for "Paste as matrix") read
// as a matrix in any of the import forms, which then becomes the editor's
// text at full precision.
#include <string>
#include <string_view>

#include "commands/calc_state.h"
#include "commands/command_frame.h"
#include "files/import_formats.h"

namespace quorvix {

// The name standard input goes by in messages.
inline constexpr const char* kStandardInputName = "standard input";

// Reads `text` (ReadImportText, `name` naming it in messages) and rewrites
// the editor of `which` with the matrix as ExactMatrixLines writes it, with
// the state's decimal mark. A refusal (FileError `Cannot import "NAME":
// ...`, a cancel) changes nothing.
void ImportTextIntoEditor(CalcState& s, Operand which, std::string_view text, const std::string& name,
                          const ImportLimits& limits = {});

// The same for the content of the file `path` ("-": standard input). A file
// that cannot be read raises FileError "Cannot open file ...".
void ImportFileIntoEditor(CalcState& s, Operand which, const std::string& path);

}  // namespace quorvix
