#pragma once
// Editor lines that look like comma-separated values ("1,2" and "3,4" on
// their lines, or "1,2,3"), which the editors' reading takes as numbers with
// a decimal comma: "1,2" is the one number 1.2, "1,2,3" an error. The
// reading stays as it is; this lets the command layer say so once.
#include <cstdint>
#include <optional>
#include <string>

#include "textio/editor_lines.h"

namespace quorvix {

struct CommaLine {
    std::int32_t Line = 0;  // counted from 1 as the editor shows its lines, blank ones included
    std::string Token;      // its first token, as typed
};

// The first line of `editor` each of whose tokens holds a comma; nothing when
// there is none (or the editor holds no comma at all, which is checked first
// and costs one pass over the text).
std::optional<CommaLine> FindCommaSeparatedLine(const EditorLines& editor);

}  // namespace quorvix
