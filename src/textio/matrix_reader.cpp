// Reading a matrix from editor text. What it does not do: it never reads or
// writes beyond the first `rows` non-blank lines and the first `cols` tokens
// of each, and it keeps nothing between calls.
//
// The token rule: characters of code 1 to 32 separate tokens; every other
// byte, NUL included, belongs to a token. A token that starts with a double
// quote runs to the matching closing quote, which is dropped, and "" inside
// stands for one quote. An opening quote without a closing one runs to the end
// of the line. A character right after a closing quote starts the next token
// ('"1"2' is the two tokens 1 and 2).
#include "textio/matrix_reader.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/cancel.h"
#include "core/errors.h"
#include "core/kernel/parallel.h"
#include "textio/element_reader.h"
#include "textio/locale_number.h"
#include "textio/number_format.h"
#include "textio/polar_text.h"

namespace quorvix {

namespace {

bool IsSeparator(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

// One token of a line, found without copying.
struct TokenSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool quoted = false;
};

// Finds the token that starts at or after `pos`; false when the line has no more.
bool NextToken(std::string_view line, std::size_t& pos, TokenSpan& token) {
    while (pos < line.size() && IsSeparator(line[pos])) ++pos;
    if (pos >= line.size()) return false;
    if (line[pos] == '"') {
        token.quoted = true;
        token.begin = ++pos;
        while (pos < line.size()) {
            if (line[pos] == '"') {
                if (pos + 1 < line.size() && line[pos + 1] == '"') {
                    pos += 2;
                    continue;
                }
                break;
            }
            ++pos;
        }
        token.end = pos;
        if (pos < line.size()) ++pos;  // the closing quote
        return true;
    }
    token.quoted = false;
    token.begin = pos;
    while (pos < line.size() && !IsSeparator(line[pos])) ++pos;
    token.end = pos;
    return true;
}

// The token's text: the line's own characters, or for a quoted token with
// doubled quotes inside, `scratch` with each pair made one.
std::string_view TokenText(std::string_view line, const TokenSpan& token, std::string& scratch) {
    const std::string_view raw = line.substr(token.begin, token.end - token.begin);
    if (!token.quoted || raw.find("\"\"") == std::string_view::npos) return raw;
    scratch.clear();
    for (std::size_t k = 0; k < raw.size(); ++k) {
        scratch += raw[k];
        if (raw[k] == '"' && k + 1 < raw.size() && raw[k + 1] == '"') ++k;
    }
    return scratch;
}

// Elements read between two looks at the cancel flag: a few microseconds of work.
constexpr std::int32_t kElementsPerCancelCheck = 4096;
// The work of reading one token, in the thread pool's units (about a
// nanosecond): a row is worth splitting over threads from a few thousand
// tokens on.
constexpr std::int64_t kWorkPerToken = 40;

// The editor line (from 0) of each of the first `rows` rows: the non-blank lines.
std::vector<std::int32_t> RowLines(const EditorLines& editor, std::int32_t rows) {
    std::vector<std::int32_t> lines;
    lines.reserve(static_cast<std::size_t>(rows));
    for (std::size_t k = 0; k < editor.size() && static_cast<std::int32_t>(lines.size()) < rows; ++k)
        if (!IsBlankLine(editor[k])) lines.push_back(static_cast<std::int32_t>(k));
    return lines;
}

// Thrown by the token loop when a visit asks it to stop.
struct StopReading {};

// The tokens of one row: visit(i, j, token, line) for its first `cols`
// tokens in order, with a look at the cancel flag every few thousand
// elements (`untilCheck` counts down across the rows one thread reads).
template <typename Visit>
void ReadRowTokens(const std::string& text, std::int32_t i, std::int32_t line, std::int32_t cols,
                   std::int32_t& untilCheck, std::string& scratch, Visit& visit) {
    std::size_t pos = 0;
    TokenSpan span;
    for (std::int32_t j = 0; j < cols && NextToken(text, pos, span); ++j) {
        if (--untilCheck == 0) {
            untilCheck = kElementsPerCancelCheck;
            CheckCancelled();
        }
        if (!visit(i, j, TokenText(text, span, scratch), line)) throw StopReading{};
    }
}

// Calls rows(begin, end, readRow) for ranges of the first `rows` non-blank
// lines on all threads; readRow(i, visit) calls visit(i, j, token, line) for
// row i's first `cols` tokens in order, row i and token j counted from 0,
// `line` the token's editor line counted from 1 as the editor shows its
// lines (blank ones included). A visit returns false to stop the reading;
// the result is then true.
//
// Rows are read on all threads, each row's tokens in order, so what the
// ranges do must be safe for different rows at once. What the reading
// raises, and where it stops, is what reading row after row would raise and
// where it would stop: the first event in row-major order (an error, or a
// visit that stops) wins, whatever the other threads met in later rows.
// A cancel stops the reading within a few thousand elements on every thread
// (and at the start of every range).
template <typename Rows>
bool ForEachRowRange(const EditorLines& editor, std::int32_t rows, std::int32_t cols, Rows&& ranges) {
    if (rows <= 0 || cols <= 0) return false;
    const std::vector<std::int32_t> lines = RowLines(editor, rows);
    try {
        parallel::ParallelFor(static_cast<std::int64_t>(lines.size()), cols * kWorkPerToken,
                              [&](std::int64_t begin, std::int64_t end) {
                                  std::int32_t untilCheck = 1;
                                  std::string scratch;
                                  auto readRow = [&](std::int32_t i, auto& visit) {
                                      const std::int32_t line = lines[static_cast<std::size_t>(i)];
                                      ReadRowTokens(editor[static_cast<std::size_t>(line)], i, line + 1, cols,
                                                    untilCheck, scratch, visit);
                                  };
                                  ranges(static_cast<std::int32_t>(begin), static_cast<std::int32_t>(end), readRow);
                              });
    } catch (const StopReading&) {
        return true;
    }
    return false;
}

// The same, calling visit(i, j, token, line) for every token.
template <typename Visit>
bool ForEachToken(const EditorLines& editor, std::int32_t rows, std::int32_t cols, Visit&& visit) {
    return ForEachRowRange(editor, rows, cols, [&](std::int32_t begin, std::int32_t end, auto& readRow) {
        for (std::int32_t i = begin; i < end; ++i) readRow(i, visit);
    });
}

// Element (i, j) into `target`, where it has that element.
auto StoreInto(RCOMat& target) {
    return [&target](std::int32_t i, std::int32_t j, const Scalar& value) {
        const auto ui = static_cast<std::size_t>(i);
        const auto uj = static_cast<std::size_t>(j);
        if (ui < target.size() && uj < target[ui].size()) target[ui][uj] = value;
    };
}

template <typename Store>
void ReadEach(const EditorLines& editor, std::int32_t rows, std::int32_t cols, const OutputSettings& settings,
              const Store& store) {
    ForEachToken(editor, rows, cols, [&](std::int32_t i, std::int32_t j, std::string_view token, std::int32_t line) {
        store(i, j, ConvertElementAt(line, j + 1, [&] { return ComplexElement(token, settings); }));
        return true;
    });
}

template <typename Store>
bool ReadEachReal(const EditorLines& editor, std::int32_t rows, std::int32_t cols, char decimalMark,
                  const Store& store) {
    return !ForEachToken(
        editor, rows, cols, [&](std::int32_t i, std::int32_t j, std::string_view token, std::int32_t line) {
            if (token.find('i') != std::string_view::npos) return false;
            store(i, j,
                  ConvertElementAt(line, j + 1, [&] { return Scalar::Real(LocaleToDouble(token, decimalMark)); }));
            return true;
        });
}

}  // namespace

bool IsBlankLine(std::string_view line) {
    for (char c : line)
        if (static_cast<unsigned char>(c) > 32) return false;
    return true;
}

std::vector<std::string> SplitTokens(std::string_view line) {
    std::vector<std::string> tokens;
    std::size_t pos = 0;
    TokenSpan span;
    std::string scratch;
    while (NextToken(line, pos, span)) tokens.emplace_back(TokenText(line, span, scratch));
    return tokens;
}

std::string WritableToken(std::string_view token) {
    const bool plain = !token.empty() && token.front() != '"' && std::none_of(token.begin(), token.end(), IsSeparator);
    if (plain) return std::string(token);
    std::string quoted = "\"";
    for (const char c : token) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    quoted += '"';
    return quoted;
}

std::int32_t CountTokens(std::string_view line) {
    std::int32_t count = 0;
    std::size_t pos = 0;
    TokenSpan span;
    while (NextToken(line, pos, span)) ++count;
    return count;
}

std::optional<TokenExtent> FindToken(std::string_view line, std::int32_t element) {
    std::size_t pos = 0;
    TokenSpan span;
    for (std::int32_t k = 1; NextToken(line, pos, span); ++k) {
        if (k < element) continue;
        if (k > element) break;
        if (!span.quoted) return TokenExtent{span.begin, span.end};
        // From the opening quote to the closing one, where there is one.
        return TokenExtent{span.begin - 1, span.end < line.size() ? span.end + 1 : span.end};
    }
    return std::nullopt;
}

std::int32_t CountRows(const EditorLines& editor) {
    std::int32_t rows = 0;
    for (const std::string& line : editor)
        if (!IsBlankLine(line)) ++rows;
    return rows;
}

ColumnCount CountColumns(const EditorLines& editor) {
    // The lines' token counts, on all threads; then the comparison in order.
    std::vector<std::int32_t> counts(editor.size());
    std::size_t bytes = 0;
    for (const std::string& line : editor) bytes += line.size();
    const auto perLine = static_cast<std::int64_t>(editor.empty() ? 1 : bytes / editor.size() + 1);
    parallel::ParallelFor(static_cast<std::int64_t>(editor.size()), perLine, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t k = begin; k < end; ++k)
            counts[static_cast<std::size_t>(k)] = CountTokens(editor[static_cast<std::size_t>(k)]);
    });
    std::int32_t max = 0;
    std::int32_t previous = 0;
    std::int32_t mismatches = 0;
    for (std::size_t k = 0; k < editor.size(); ++k) {
        if (editor[k].empty()) continue;  // an empty line keeps the previous count
        const std::int32_t t = counts[k];
        if (t > max) max = t;
        if (t != 0 && previous != 0 && t != previous) ++mismatches;
        previous = t;  // a line of blanks resets it to 0
    }
    return {max, mismatches >= 1};
}

void ReadElements(const EditorLines& editor, std::int32_t rows, std::int32_t cols, const OutputSettings& settings,
                  const ElementSink& store) {
    ReadEach(editor, rows, cols, settings, store);
}

void ReadMatrix(const EditorLines& editor, std::int32_t rows, std::int32_t cols, RCOMat& target,
                const OutputSettings& settings) {
    ReadEach(editor, rows, cols, settings, StoreInto(target));
}

void ReadMatrixRows(const EditorLines& editor, std::int32_t rows, std::int32_t cols, const OutputSettings& settings,
                    const RowSink& onRow) {
    ForEachRowRange(editor, rows, cols, [&](std::int32_t begin, std::int32_t end, auto& readRow) {
        // One row of this thread's own, empty again before each row is read.
        RCOVec row;
        auto visit = [&](std::int32_t, std::int32_t j, std::string_view token, std::int32_t line) {
            row[static_cast<std::size_t>(j)] =
                ConvertElementAt(line, j + 1, [&] { return ComplexElement(token, settings); });
            return true;
        };
        for (std::int32_t i = begin; i < end; ++i) {
            row.assign(static_cast<std::size_t>(cols), Scalar());
            readRow(i, visit);
            onRow(i, row);
        }
    });
}

bool ReadRealElements(const EditorLines& editor, std::int32_t rows, std::int32_t cols, char decimalMark,
                      const ElementSink& store) {
    return ReadEachReal(editor, rows, cols, decimalMark, store);
}

bool ReadRealMatrix(const EditorLines& editor, std::int32_t rows, std::int32_t cols, RCOMat& target, char decimalMark) {
    return ReadEachReal(editor, rows, cols, decimalMark, StoreInto(target));
}

}  // namespace quorvix
