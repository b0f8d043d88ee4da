#pragma once
// Walking the text of an Octave or Python literal: a cursor that counts
// lines, and the lines before the literal that carry no matrix (blank lines,
// comments, Python's imports), shared by the two readers and by the test
// that tells the import forms apart.
#include <cstdint>
#include <string_view>

namespace quorvix {

class LiteralCursor {
public:
    explicit LiteralCursor(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    bool StartsWith(std::string_view s) const { return text_.substr(pos_).starts_with(s); }
    std::size_t Position() const { return pos_; }
    std::int32_t Line() const { return line_; }
    std::string_view Rest() const { return text_.substr(pos_); }
    // The text from `begin` up to the cursor.
    std::string_view RestFrom(std::size_t begin) const { return text_.substr(begin, pos_ - begin); }
    // One character on; a line break ("\n", "\r\n" or "\r") counts a line.
    void Advance();
    // Blanks and tabs, and with `breaks` line breaks too.
    void SkipBlanks(bool breaks);
    // The rest of the line, not its break.
    void SkipToLineEnd();
    bool AtLineBreak() const { return Peek() == '\n' || Peek() == '\r'; }
    // An identifier ("A", "np", "_x1") at the cursor, taken; empty if none.
    std::string_view TakeIdentifier();

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::int32_t line_ = 1;
};

// Moves past the lines before a literal that hold no matrix: blank lines,
// comment lines (starting with "#", or also "%" when `percentComments`), and
// lines starting with "import " or "from " (Python's imports).
void SkipPreamble(LiteralCursor& c, bool percentComments);

// Moves past "NAME =" (an assignment's left side) when the cursor is at one;
// false, and the cursor unchanged, otherwise.
bool SkipAssignment(LiteralCursor& c);

// Moves past a call that wraps a numpy list, "array(", "np.array(",
// "numpy.asarray(" (the last name one of array, asarray, matrix); false,
// and the cursor unchanged, otherwise.
bool SkipArrayCall(LiteralCursor& c);

// After the literal: blank lines and comments only. Raises ImportFault "it
// holds more than one matrix" when another assignment follows, and
// "line L: 'TEXT' follows the matrix" for anything else.
void ExpectLiteralEnd(LiteralCursor& c, bool percentComments);

}  // namespace quorvix
