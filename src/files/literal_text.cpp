#include "files/literal_text.h"

#include <string>

#include "files/import_numbers.h"

namespace quorvix {

namespace {

bool IsIdentifierStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || (c >= '0' && c <= '9'); }

}  // namespace

void LiteralCursor::Advance() {
    if (AtEnd()) return;
    const char c = text_[pos_++];
    if (c == '\n' || (c == '\r' && Peek() != '\n')) ++line_;
}

void LiteralCursor::SkipBlanks(bool breaks) {
    while (!AtEnd()) {
        const char c = Peek();
        if (c == ' ' || c == '\t' || ((c == '\n' || c == '\r') && breaks))
            Advance();
        else
            break;
    }
}

void LiteralCursor::SkipToLineEnd() {
    while (!AtEnd() && !AtLineBreak()) Advance();
}

std::string_view LiteralCursor::TakeIdentifier() {
    if (!IsIdentifierStart(Peek())) return {};
    const std::size_t begin = pos_;
    while (IsIdentifierChar(Peek())) Advance();
    return text_.substr(begin, pos_ - begin);
}

void SkipPreamble(LiteralCursor& c, bool percentComments) {
    for (;;) {
        c.SkipBlanks(true);
        if (c.Peek() == '#' || (percentComments && c.Peek() == '%') || c.StartsWith("import ") ||
            c.StartsWith("from ")) {
            c.SkipToLineEnd();
            continue;
        }
        return;
    }
}

bool SkipAssignment(LiteralCursor& c) {
    LiteralCursor probe = c;
    if (probe.TakeIdentifier().empty()) return false;
    probe.SkipBlanks(false);
    if (probe.Peek() != '=' || probe.StartsWith("==")) return false;
    probe.Advance();
    probe.SkipBlanks(false);
    c = probe;
    return true;
}

bool SkipArrayCall(LiteralCursor& c) {
    LiteralCursor probe = c;
    std::string_view name = probe.TakeIdentifier();
    while (!name.empty() && probe.Peek() == '.') {
        probe.Advance();
        name = probe.TakeIdentifier();
    }
    if (name != "array" && name != "asarray" && name != "matrix") return false;
    probe.SkipBlanks(false);
    if (probe.Peek() != '(') return false;
    probe.Advance();
    probe.SkipBlanks(true);
    c = probe;
    return true;
}

void ExpectLiteralEnd(LiteralCursor& c, bool percentComments) {
    for (;;) {
        c.SkipBlanks(true);
        if (c.Peek() == '#' || (percentComments && c.Peek() == '%')) {
            c.SkipToLineEnd();
            continue;
        }
        break;
    }
    if (c.AtEnd()) return;
    LiteralCursor probe = c;
    if (SkipAssignment(probe))
        throw ImportFault{"it holds more than one matrix (another begins on line " + std::to_string(c.Line()) +
                          "): import one at a time"};
    LiteralCursor line = c;
    line.SkipToLineEnd();
    const std::string_view rest = c.Rest().substr(0, line.Position() - c.Position());
    throw ImportFault{"line " + std::to_string(c.Line()) + ": '" + std::string(rest.substr(0, 40)) +
                      "' follows the matrix"};
}

}  // namespace quorvix
