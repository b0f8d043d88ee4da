#include "textio/comma_lines.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "textio/matrix_reader.h"

namespace quorvix {

namespace {

bool HasComma(std::string_view text) { return std::memchr(text.data(), ',', text.size()) != nullptr; }

}  // namespace

std::optional<CommaLine> FindCommaSeparatedLine(const EditorLines& editor) {
    for (std::size_t k = 0; k < editor.size(); ++k) {
        if (!HasComma(editor[k])) continue;
        const std::vector<std::string> tokens = SplitTokens(editor[k]);
        bool every = !tokens.empty();
        for (const std::string& token : tokens) every = every && HasComma(token);
        if (every) return CommaLine{static_cast<std::int32_t>(k) + 1, tokens.front()};
    }
    return std::nullopt;
}

}  // namespace quorvix
