#include "files/export_file.h"

#include <optional>

#include "commands/result_choice.h"
#include "core/errors.h"
#include "files/export_formats.h"
#include "files/replacing_file.h"

namespace quorvix {

void ExportResultFile(const CalcState& s, const std::string& path, std::string_view name,
                      std::optional<std::size_t> number) {
    const KeptResult& kept = ChooseKeptResult(s, number);
    const std::optional<ExportFormat> format = ExportFormatOfPath(path);
    if (!format)
        throw FileError("Cannot export to \"" + path + "\": its name must end in " + ExportExtensions() +
                        ", which say the format");
    const std::string text = ExportText(kept, name, *format, s.Settings);
    ReplacingFile out(path);
    out.Write(text);
    out.Commit();
}

}  // namespace quorvix
