#pragma once
// "Export result...": a kept result (the newest unless a number is given), or
// one factor of it, written into a file in the format its name's extension
// gives.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "commands/calc_state.h"

namespace quorvix {

// Writes ExportText of kept result `number` (from 1; none: the newest), or of
// its factor `name`, in the format of `path`'s extension (export_formats.h),
// replacing the file only once all of it was written. Raises CalcError "There is no result to
// use" and the other errors of choosing the matrix, FileError
// `Cannot export to "NAME": ...` for an extension that names no format, and
// FileError "Cannot create file ..." when the file cannot be written.
void ExportResultFile(const CalcState& s, const std::string& path, std::string_view name,
                      std::optional<std::size_t> number = std::nullopt);

}  // namespace quorvix
