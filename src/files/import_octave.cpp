// Octave/MATLAB matrix literals: "[1 2; 3 4]", "[1, 2; 3, 4]", rows also
// ended by line breaks, "..." continuing a row on the next line, "%" and "#"
// comments, optionally as "NAME = [...];". What it does not do: no
// expressions (only the sign between the parts of a complex number), no
// nested brackets, no "Inf" or "NaN".
//
// Blanks follow Octave's rule inside brackets: a sign with blanks on both
// sides joins its neighbours ("[1 - 2i]" is one element), a sign right
// before its number starts an element ("[1 -2i]" is two); "1+2i" without
// blanks is one element anyway.
#include <cstdint>
#include <string>
#include <vector>

#include "core/cancel.h"
#include "files/import_numbers.h"
#include "files/import_readers.h"
#include "files/literal_text.h"

namespace quorvix {

namespace {

// One run of characters between separators.
struct Run {
    std::string Text;
    std::int32_t Line = 0;
    bool AfterComma = false;
};

bool IsSign(std::string_view s) { return s == "+" || s == "-"; }
bool EndsWithSign(std::string_view s) { return s.size() > 1 && (s.back() == '+' || s.back() == '-'); }

// The elements of one row: runs joined where a sign stands between blanks
// ("1 - 2i") or ends a run ("1+ 2i").
std::vector<Run> Elements(const std::vector<Run>& runs) {
    std::vector<Run> elements;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const bool joinsNext = k + 1 < runs.size() && !runs[k + 1].AfterComma;
        if (IsSign(runs[k].Text) && !runs[k].AfterComma && !elements.empty() && joinsNext) {
            elements.back().Text += runs[k].Text + runs[k + 1].Text;
            ++k;
        } else if (EndsWithSign(runs[k].Text) && joinsNext) {
            elements.push_back(runs[k]);
            elements.back().Text += runs[k + 1].Text;
            ++k;
        } else {
            elements.push_back(runs[k]);
        }
    }
    return elements;
}

}  // namespace

RCOMat ReadOctaveLiteral(std::string_view text, const ImportLimits& limits) {
    LiteralCursor c(text);
    SkipPreamble(c, true);
    SkipAssignment(c);
    if (c.Peek() != '[')
        throw ImportFault{"line " + std::to_string(c.Line()) + ": the matrix does not start with \"[\""};
    const std::int32_t openedOn = c.Line();
    c.Advance();

    std::vector<RCOVec> rows;
    std::vector<std::int32_t> rowLines;
    std::vector<Run> runs;
    std::size_t elements = 0;
    bool comma = false;
    auto endRow = [&] {
        if (runs.empty()) return;
        const std::vector<Run> row = Elements(runs);
        const auto rowNumber = static_cast<std::int32_t>(rows.size()) + 1;
        RCOVec values;
        values.reserve(row.size());
        for (std::size_t j = 0; j < row.size(); ++j)
            values.push_back(
                ReadMachineElement(row[j].Text, false, {row[j].Line, rowNumber, static_cast<std::int32_t>(j) + 1}));
        elements += values.size();
        if (elements > limits.MaxElements) throw ImportFault{"it holds more numbers than an editor can take"};
        rowLines.push_back(row.front().Line);
        rows.push_back(std::move(values));
        runs.clear();
        CheckCancelled();
    };
    for (;;) {
        if (c.AtEnd()) throw ImportFault{"the \"[\" on line " + std::to_string(openedOn) + " is not closed"};
        const char ch = c.Peek();
        if (ch == ']') {
            c.Advance();
            break;
        }
        if (ch == '[') throw ImportFault{"line " + std::to_string(c.Line()) + ": a \"[\" inside the matrix"};
        if (ch == ' ' || ch == '\t') {
            c.Advance();
        } else if (ch == ',') {
            comma = true;
            c.Advance();
        } else if (ch == ';' || c.AtLineBreak()) {
            c.Advance();
            endRow();
            comma = false;
        } else if (ch == '%' || ch == '#') {
            c.SkipToLineEnd();
        } else if (c.StartsWith("...")) {
            c.SkipToLineEnd();  // the row goes on after the line break
            if (!c.AtEnd()) c.Advance();
        } else {
            Run run{"", c.Line(), comma};
            while (!c.AtEnd()) {
                const char r = c.Peek();
                if (r == ' ' || r == '\t' || r == ',' || r == ';' || r == ']' || r == '[' || r == '%' || r == '#' ||
                    c.AtLineBreak() || c.StartsWith("..."))
                    break;
                run.Text += r;
                c.Advance();
            }
            runs.push_back(std::move(run));
            comma = false;
        }
    }
    endRow();
    c.SkipBlanks(false);
    if (c.Peek() == ';') c.Advance();
    ExpectLiteralEnd(c, true);
    return RectangularRows(std::move(rows), rowLines);
}

}  // namespace quorvix
