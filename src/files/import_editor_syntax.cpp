// Text in the editors' own syntax, read by the editors' complex reading, so
// that an import of such a file gives what typing it would give. Unlike the
// editors it refuses rows of different lengths rather than fill them with
// zeros: an imported matrix is whole or not at all.
#include <string>

#include "core/errors.h"
#include "files/import_numbers.h"
#include "files/import_readers.h"
#include "textio/editor_lines.h"
#include "textio/matrix_reader.h"

namespace quorvix {

RCOMat ReadEditorSyntax(std::string_view text, const OutputSettings& settings, const ImportLimits& limits) {
    const EditorLines lines = SplitEditorText(text);
    std::int32_t firstLine = 0;
    std::int32_t cols = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (IsBlankLine(lines[k])) continue;
        const std::int32_t count = CountTokens(lines[k]);
        const auto number = static_cast<std::int32_t>(k) + 1;
        if (firstLine == 0) {
            firstLine = number;
            cols = count;
        } else if (count != cols) {
            throw ImportFault{"line " + std::to_string(number) + " has " +
                              CountOf(static_cast<std::size_t>(count), "element", "elements") + ", line " +
                              std::to_string(firstLine) + " has " + std::to_string(cols)};
        }
    }
    const std::int32_t rows = CountRows(lines);
    if (rows == 0) throw ImportFault{"it holds no numbers"};
    if (static_cast<std::size_t>(rows) > limits.MaxElements / static_cast<std::size_t>(cols))
        throw ImportFault{"it holds more numbers than an editor can take"};
    RCOMat m;
    SizeMatrix(m, rows, cols);
    try {
        ReadMatrix(lines, rows, cols, m, settings);
    } catch (const CancelledError&) {
        throw;
    } catch (CalcError& e) {
        // The reader marked the element; any editor lets its place be read.
        e.SetEditor(ErrorEditor::A);
        const std::optional<ErrorPlace> place = e.Place();
        std::string detail = e.what();
        if (place) detail = PlaceText({place->Line, 0, place->Element}) + ": " + detail;
        throw ImportFault{detail};
    }
    return m;
}

}  // namespace quorvix
