#include "textio/result_panel.h"

namespace quorvix {

std::string ResultPanel::Text(std::string_view eol) const {
    std::size_t size = 0;
    for (const std::string& line : lines_) size += line.size() + eol.size();
    std::string text;
    text.reserve(size);
    for (std::size_t k = 0; k < lines_.size(); ++k) {
        if (k != 0) text.append(eol);
        text.append(lines_[k]);
    }
    return text;
}

}  // namespace quorvix
