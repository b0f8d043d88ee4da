#include "textio/polar_text.h"

namespace quorvix {

std::optional<PolarTokenText> SplitPolarToken(std::string_view token) {
    const std::size_t open = token.find('(');
    const std::size_t close = token.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos) return std::nullopt;
    PolarTokenText parts;
    parts.Radius = token.substr(0, open);
    if (close > open) parts.Angle = token.substr(open + 1, close - open - 1);
    return parts;
}

std::string KeepMinus(std::string text, bool negative) {
    if (negative && (text.empty() || text[0] != '-')) text.insert(0, 1, '-');
    return text;
}

}  // namespace quorvix
