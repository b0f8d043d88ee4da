#pragma once
// Reading a matrix from editor text: one row per non-blank line, elements
// separated by characters of code 1 to 32, double-quoted tokens allowed.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/matrice2.h"
#include "textio/editor_lines.h"
#include "textio/output_settings.h"

namespace quorvix {

inline constexpr const char* kIncompleteWarning =
    "Warning : Matrix is incomplete, and the null elements will be replaced by zeros.";
inline constexpr const char* kRealMatrixNotice = " Notice: Please input real matrix!";

// True for a line that holds only characters of code 0 to 32: such a line is
// not a row.
bool IsBlankLine(std::string_view line);
// Splits one line into tokens by the token rule.
std::vector<std::string> SplitTokens(std::string_view line);
// The text the token rule reads back as exactly this one token: the token
// itself, or, when it is empty, begins with a quote or holds a separator, the
// token in quotes with each quote inside doubled. The tools that rebuild an
// editor from its tokens write them this way, so no element splits in two.
std::string WritableToken(std::string_view token);
// Number of tokens of one line.
std::int32_t CountTokens(std::string_view line);
// Where the `element`-th token (from 1) of `line` lies, as byte offsets: its
// first byte and the byte after it, a quoted token's quotes included; nothing
// when the line has fewer tokens. Lets the window select the token an error
// names.
struct TokenExtent {
    std::size_t Begin = 0;
    std::size_t End = 0;
    bool operator==(const TokenExtent&) const = default;
};
std::optional<TokenExtent> FindToken(std::string_view line, std::int32_t element);
// Number of lines that are not blank (codes 0 to 32 trimmed).
std::int32_t CountRows(const EditorLines& editor);
// The largest token count of the lines, and whether non-empty lines disagree
// in their counts (then the caller writes kIncompleteWarning to the panel,
// once per measured editor).
struct ColumnCount {
    std::int32_t Columns = 0;
    bool Incomplete = false;
    bool operator==(const ColumnCount&) const = default;
};
ColumnCount CountColumns(const EditorLines& editor);

// Calls store(i, j, value) for every element the text supplies, for the
// first `rows` non-blank lines and the first `cols` tokens of each.
// A token that cannot be converted raises its error (CalcError) marked with
// its editor line and its element within that line, both counted from 1 (the
// reading modes below do the same); the caller adds which editor it read.
//
// Rows are read on all threads (core/parallel.h), each row's elements in
// order: `store` is called for different rows at once and must be safe for
// that. The reading ends as reading row after row would end: at the first
// element, in row-major order, whose conversion or whose `store` raises, and
// that error is raised (any exception `store` throws ends the reading the
// same way). Rows after that element may have been read and stored by then;
// a caller drops what the reading filled when it raises.
using ElementSink = std::function<void(std::int32_t, std::int32_t, const Scalar&)>;
void ReadElements(const EditorLines& editor, std::int32_t rows, std::int32_t cols, const OutputSettings& settings,
                  const ElementSink& store);
// Complex reading into `target`, already sized rows x cols; every supplied
// element becomes a complex Scalar, missing ones stay as they are (empty).
void ReadMatrix(const EditorLines& editor, std::int32_t rows, std::int32_t cols, RCOMat& target,
                const OutputSettings& settings);

// Complex reading a row at a time, for a caller that combines each row of
// an operand as it is read: for each row i, `row` (cols elements, empty where
// the text supplies none) is handed to onRow(i, row), for different rows at
// once as `store` above.
using RowSink = std::function<void(std::int32_t, RCOVec&)>;
void ReadMatrixRows(const EditorLines& editor, std::int32_t rows, std::int32_t cols, const OutputSettings& settings,
                    const RowSink& onRow);

// Real-only reading: tokens are converted as locale numbers and handed to
// store(i, j, value) as real Scalars. A token containing "i" stops the reading
// at once with false (the caller writes kRealMatrixNotice), unless an error
// comes first in row-major order.
bool ReadRealElements(const EditorLines& editor, std::int32_t rows, std::int32_t cols, char decimalMark,
                      const ElementSink& store);
bool ReadRealMatrix(const EditorLines& editor, std::int32_t rows, std::int32_t cols, RCOMat& target, char decimalMark);

}  // namespace quorvix
