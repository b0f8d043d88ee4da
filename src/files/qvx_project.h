#pragma once
// Saving and opening text projects (".qvx"): both editors' text exactly as
// typed, x, the precision, the complex format, the result panel and the kept
// results with their values. The byte layout is in qvx_codec.h.
#include <string>
#include <string_view>

#include "commands/calc_state.h"

namespace quorvix {

inline constexpr const char* kTextProjectExtension = "qvx";

// Whether `path` names a text project by its extension (".qvx", any case).
bool IsTextProjectPath(const std::string& path);

// "Save project" to a text project: replaces the file only once all of it
// was written. Raises FileError "Cannot create file ...". Nothing of the
// state is converted, so nothing else can fail.
void SaveTextProject(const CalcState& s, const std::string& path);

// "Open project" of a text project: the whole file is read and checked
// before anything changes; then the state is as it was saved. Raises
// FileError `Cannot open file "NAME". ...`: the system's reason, "The file is
// damaged or is not a project file", or for a file of a later version of
// the format a reason that says so; nothing changes then.
void OpenTextProject(CalcState& s, const std::string& path);
// The opening step on bytes already read; `path` names the file in messages.
void OpenTextProjectBytes(CalcState& s, std::string_view bytes, const std::string& path);

}  // namespace quorvix
