// Delimited text: one row per non-blank line, fields separated by one
// character. What it does not do: no header line, no quoted separators (a
// field may stand in double quotes, which are dropped), no empty fields.
#include <cstdint>
#include <string>
#include <vector>

#include "core/cancel.h"
#include "core/kernel/parallel.h"
#include "files/import_numbers.h"
#include "files/import_readers.h"

namespace quorvix {

namespace {

std::size_t FieldCount(std::string_view line, char separator) {
    std::size_t n = 1;
    for (const char c : line)
        if (c == separator) ++n;
    return n;
}

// The work of one field in the thread pool's units (about a nanosecond).
constexpr std::int64_t kWorkPerField = 60;

}  // namespace

RCOMat ReadDelimited(std::string_view text, char separator, const ImportLimits& limits) {
    std::vector<TextLine> lines = SplitTextLines(text);
    std::erase_if(lines, [](const TextLine& line) { return TrimBlanks(line.Text).empty(); });
    if (lines.empty()) throw ImportFault{"it holds no numbers"};
    const std::size_t cols = FieldCount(lines.front().Text, separator);
    if (lines.size() > limits.MaxElements / cols) throw ImportFault{"it holds more numbers than an editor can take"};
    const bool comma = separator != ',';
    RCOMat m(lines.size());
    const auto total = static_cast<std::int64_t>(lines.size());
    parallel::ParallelFor(
        total, static_cast<std::int64_t>(cols) * kWorkPerField, [&](std::int64_t begin, std::int64_t end) {
            for (std::int64_t i = begin; i < end; ++i) {
                CheckCancelled(i, total);
                const TextLine& line = lines[static_cast<std::size_t>(i)];
                const std::size_t count = FieldCount(line.Text, separator);
                if (count != cols)
                    throw ImportFault{"line " + std::to_string(line.Number) + " has " +
                                      CountOf(count, "element", "elements") + ", line " +
                                      std::to_string(lines.front().Number) + " has " + std::to_string(cols)};
                RCOVec& row = m[static_cast<std::size_t>(i)];
                row.reserve(cols);
                std::size_t start = 0;
                for (std::size_t j = 0; j < cols; ++j) {
                    std::size_t stop = line.Text.find(separator, start);
                    if (stop == std::string_view::npos) stop = line.Text.size();
                    std::string_view field = TrimBlanks(line.Text.substr(start, stop - start));
                    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
                        field = TrimBlanks(field.substr(1, field.size() - 2));
                    row.push_back(ReadMachineElement(field, comma, {line.Number, 0, static_cast<std::int32_t>(j) + 1}));
                    start = stop + 1;
                }
            }
        });
    return m;
}

}  // namespace quorvix
