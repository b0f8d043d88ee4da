#include "commands/comma_hint.h"

#include <cstdint>
#include <optional>

namespace quorvix {

namespace {

// FNV-1a over the lines, each closed by a byte no line holds.
std::uint64_t Digest(const EditorLines& editor) {
    std::uint64_t h = 14695981039346656037ull;
    auto add = [&h](unsigned char c) {
        h ^= c;
        h *= 1099511628211ull;
    };
    for (const std::string& line : editor) {
        for (const char c : line) add(static_cast<unsigned char>(c));
        add('\n');
    }
    return h | 1u;  // never 0, which stands for "no hint given"
}

}  // namespace

std::string CommaHintText(Operand which, const CommaLine& line) {
    const std::string editor = std::string("Matrix ") + OperandName(which);
    return editor + ", line " + std::to_string(line.Line) +
           " looks like comma-separated values, but a comma inside an element is a decimal mark: '" + line.Token +
           "' is read as one number. To read the values one by one, import them into " + editor +
           " or use \"Paste as matrix\".";
}

void HintAtCommaSeparatedLines(CalcState& s, Operand which) {
    if (s.Settings.DecimalMark != '.') return;
    const EditorLines& editor = EditorOf(s, which);
    const std::optional<CommaLine> line = FindCommaSeparatedLine(editor);
    if (!line) return;
    std::uint64_t& hinted = which == Operand::A ? s.Hinted.A : s.Hinted.B;
    const std::uint64_t digest = Digest(editor);
    if (hinted == digest) return;
    hinted = digest;
    s.Hints.push_back(CommaHintText(which, *line));
}

}  // namespace quorvix
