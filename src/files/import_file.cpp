#include "files/import_file.h"

#include <cstdio>
#include <utility>

#include "files/text_files.h"
#include "textio/exact_text.h"

namespace quorvix {

void ImportTextIntoEditor(CalcState& s, Operand which, std::string_view text, const std::string& name,
                          const ImportLimits& limits) {
    const RCOMat m = ReadImportText(text, name, s.Settings, limits);
    EditorLines lines = ExactMatrixLines(m, s.Settings.DecimalMark);
    EditorOf(s, which) = std::move(lines);
}

void ImportFileIntoEditor(CalcState& s, Operand which, const std::string& path) {
    if (path == "-") {
        const std::string text = ReadWholeStream(stdin, kStandardInputName);
        ImportTextIntoEditor(s, which, text, kStandardInputName);
        return;
    }
    const std::string text = ReadWholeFile(path);
    ImportTextIntoEditor(s, which, text, path);
}

}  // namespace quorvix
