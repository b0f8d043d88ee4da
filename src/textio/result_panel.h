#pragma once
// The result panel: a plain-text editor that only grows (the clear commands
// excepted). Lines are kept as a vector so that appending stays linear.
#include <string>
#include <string_view>
#include <vector>

namespace quorvix {

class ResultPanel {
public:
    // Adds a new line at the end.
    void AddLine(std::string line) { lines_.push_back(std::move(line)); }
    // Appends text to the last line (adds a line first when the panel is empty).
    void AppendToLast(std::string_view text) {
        if (lines_.empty()) lines_.emplace_back();
        lines_.back().append(text);
    }
    void AppendToLast(const char* text) { AppendToLast(std::string_view(text)); }
    // The same, taking the text over when the last line is empty.
    void AppendToLast(std::string&& text) {
        if (lines_.empty()) lines_.emplace_back();
        if (lines_.back().empty())
            lines_.back() = std::move(text);
        else
            lines_.back().append(text);
    }
    void Clear() { lines_.clear(); }
    const std::vector<std::string>& Lines() const { return lines_; }
    std::vector<std::string>& MutableLines() { return lines_; }
    std::size_t LineCount() const { return lines_.size(); }
    // The whole text, lines joined by `eol` (no line break after the last line).
    std::string Text(std::string_view eol = "\n") const;

private:
    std::vector<std::string> lines_;
};

}  // namespace quorvix
