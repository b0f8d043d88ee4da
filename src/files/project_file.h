#pragma once
// Saving and opening project files (".mtx"): the coefficient x, the precision
// and both matrices as real numbers. The byte layout is in project_codec.h.
#include <cstdint>
#include <span>
#include <string>

#include "commands/calc_state.h"

namespace quorvix {

inline constexpr const char* kProjectExtension = "mtx";
inline constexpr const char* kDamagedProjectReason = "The file is damaged or is not a project file";

// "Save project": x and the precision are converted before the file is
// created; then each editor is measured, and a non-empty one measured again
// and written element by element as locale numbers. A failure leaves any
// earlier file of that name as it was. Raises ConversionError for x, the
// precision ("'e' is not a valid integer value") or an element, FileError
// "Projects in .mtx keep real numbers only (Matrix A, line 1, element 1:
// '10+5i'); save as .qvx to keep everything" for an element of the complex
// notations, FileError "Cannot create file ...".
void SaveProject(CalcState& s, const std::string& path);

// "Open project": the whole file is read and checked before anything
// changes; then x, the precision (and its rounding factor) and each editor
// whose stored matrix is not empty are replaced. A file that begins as a
// text project does (qvx_project.h) is opened as one, whatever its name.
// Raises FileError "Cannot open file ..." for a file that does not exist,
// cannot be read or is not a well-formed project file, and `"NAME" is a
// Matrix Market file, not a project: import it into Matrix A or B` for a
// Matrix Market file; nothing changes then.
void OpenProject(CalcState& s, const std::string& path);

// The file to open for a typed name: the name itself, or, when it has no
// extension and no such file exists but NAME.mtx does, NAME.mtx, as the open
// dialog's default extension does.
std::string ProjectPathToOpen(const std::string& path);

// The opening step on bytes already read; `path` names the file in messages.
void OpenProjectBytes(CalcState& s, std::span<const std::uint8_t> bytes, const std::string& path);

// `path` with "." + ext added when its file name has no extension
// ("work" -> "work.mtx"; "work.txt" stays). `ext` may be given with or without its dot.
std::string WithDefaultExtension(const std::string& path, const std::string& ext);

}  // namespace quorvix
