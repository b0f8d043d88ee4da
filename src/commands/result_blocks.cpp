#include "commands/result_blocks.h"

#include <string_view>

namespace quorvix {

namespace {

// A label line is the label and "=", with nothing but blanks after it (the
// panel's text tools never touch a label).
bool IsLabelLine(std::string_view line, std::string_view label) {
    if (line.size() <= label.size() || !line.starts_with(label) || line[label.size()] != '=') return false;
    return line.find_first_not_of(" \t\r", label.size() + 1) == std::string_view::npos;
}

}  // namespace

std::optional<std::size_t> KeptResultAtLine(const std::vector<KeptResult>& kept, const std::vector<std::string>& lines,
                                            std::size_t line) {
    std::optional<std::size_t> found;
    std::size_t next = 0;  // the kept result whose label comes next
    for (std::size_t i = 0; i < lines.size() && i <= line && next < kept.size(); ++i) {
        if (IsLabelLine(lines[i], kept[next].Label)) found = ++next;
    }
    return found;
}

}  // namespace quorvix
