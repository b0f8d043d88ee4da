// Python/numpy nested lists: "[[1, 2], [3, 4]]" (a flat list is one row),
// optionally inside "array(...)", "np.array(...)" (with arguments after the
// list, such as "dtype=complex", passed over), after "NAME = " and after
// "import" lines and "#" comments; numbers as Python and numpy's repr write
// them ("1.", "1e-07", "1+2j", "(1-2j)", "1.+2.j"). What it does not do: no
// expressions, no "nan" or "inf", and no list nested deeper than two.
#include <cstdint>
#include <string>
#include <vector>

#include "core/cancel.h"
#include "files/import_numbers.h"
#include "files/import_readers.h"
#include "files/literal_text.h"

namespace quorvix {

namespace {

[[noreturn]] void Fault(const LiteralCursor& c, const std::string& what) {
    throw ImportFault{"line " + std::to_string(c.Line()) + ": " + what};
}

// Blanks, line breaks and "#" comments.
void SkipSpace(LiteralCursor& c) {
    for (;;) {
        c.SkipBlanks(true);
        if (c.Peek() != '#') return;
        c.SkipToLineEnd();
    }
}

class ListReader {
public:
    ListReader(LiteralCursor& c, const ImportLimits& limits) : c_(c), limits_(limits) {}

    // The outer list at the cursor ("[" taken here).
    RCOMat Read() {
        const std::int32_t openedOn = c_.Line();
        c_.Advance();
        SkipSpace(c_);
        bool nested = false;
        bool flat = false;
        RCOVec flatRow;
        while (!AtListEnd(openedOn)) {
            if (c_.Peek() == '[') {
                if (flat) Fault(c_, "a list holds both numbers and lists");
                nested = true;
                ReadRow();
            } else {
                if (nested) Fault(c_, "a list holds both numbers and lists");
                if (!flat) rowLines_.push_back(c_.Line());
                flat = true;
                flatRow.push_back(ReadElement(1, flatRow.size() + 1));
                Count(1);
            }
            Separator();
        }
        if (flat) rows_.push_back(std::move(flatRow));
        return RectangularRows(std::move(rows_), rowLines_);
    }

private:
    // One inner list, "[1, 2]", as the next row.
    void ReadRow() {
        const std::int32_t openedOn = c_.Line();
        const auto rowNumber = static_cast<std::int32_t>(rows_.size()) + 1;
        rowLines_.push_back(openedOn);
        c_.Advance();
        RCOVec row;
        while (!AtListEnd(openedOn)) {
            if (c_.Peek() == '[') Fault(c_, "a list nested deeper than two is not a matrix");
            row.push_back(ReadElement(rowNumber, row.size() + 1));
            Separator();
        }
        Count(row.size());
        rows_.push_back(std::move(row));
        CheckCancelled();
    }

    // Whether the list opened on line `openedOn` ends here (its "]" then
    // taken); its end of text is a fault.
    bool AtListEnd(std::int32_t openedOn) {
        SkipSpace(c_);
        if (c_.AtEnd()) throw ImportFault{"the \"[\" on line " + std::to_string(openedOn) + " is not closed"};
        if (c_.Peek() != ']') return false;
        c_.Advance();
        return true;
    }

    // An element's text: up to the next "," or "]" outside parentheses.
    Scalar ReadElement(std::int32_t row, std::size_t element) {
        const std::int32_t line = c_.Line();
        const std::size_t begin = c_.Position();
        int depth = 0;
        while (!c_.AtEnd()) {
            const char ch = c_.Peek();
            if (depth == 0 && (ch == ',' || ch == ']' || ch == '[' || ch == '#')) break;
            if (ch == '(') ++depth;
            if (ch == ')') --depth;
            c_.Advance();
        }
        const std::string_view text = c_.RestFrom(begin);
        return ReadMachineElement(text, false, {line, row, static_cast<std::int32_t>(element)});
    }

    // After an item: "," (a last one before "]" allowed) or the "]".
    void Separator() {
        SkipSpace(c_);
        if (c_.Peek() == ',') {
            c_.Advance();
            return;
        }
        if (c_.Peek() != ']' && !c_.AtEnd())
            Fault(c_, "\",\" or \"]\" expected, not '" + std::string(1, c_.Peek()) + "'");
    }

    void Count(std::size_t n) {
        elements_ += n;
        if (elements_ > limits_.MaxElements) throw ImportFault{"it holds more numbers than an editor can take"};
    }

    LiteralCursor& c_;
    const ImportLimits& limits_;
    std::vector<RCOVec> rows_;
    std::vector<std::int32_t> rowLines_;
    std::size_t elements_ = 0;
};

// The arguments after the list in "np.array([...], dtype=complex)", up to
// and with the closing parenthesis.
void SkipCallRest(LiteralCursor& c) {
    SkipSpace(c);
    int depth = 0;
    while (!c.AtEnd()) {
        const char ch = c.Peek();
        if (ch == ')' && depth == 0) {
            c.Advance();
            return;
        }
        if (ch == '(' || ch == '[') ++depth;
        if (ch == ')' || ch == ']') --depth;
        c.Advance();
    }
    throw ImportFault{"the \"(\" of the array is not closed"};
}

}  // namespace

RCOMat ReadNumpyLiteral(std::string_view text, const ImportLimits& limits) {
    LiteralCursor c(text);
    SkipPreamble(c, false);
    SkipAssignment(c);
    const bool call = SkipArrayCall(c);
    SkipSpace(c);
    if (c.Peek() != '[') Fault(c, "the matrix does not start with \"[\"");
    RCOMat m = ListReader(c, limits).Read();
    if (call) SkipCallRest(c);
    ExpectLiteralEnd(c, false);
    return m;
}

}  // namespace quorvix
