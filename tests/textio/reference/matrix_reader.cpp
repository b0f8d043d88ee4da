// Reference copy (see textio_reference.h): the routine as it was before its
// fast path, kept unchanged but for the namespace.
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
#include "textio/reference/textio_reference.h"

#include "textio/matrix_reader.h"

#include <cmath>

#include "core/errors.h"
#include "textio/locale_number.h"
#include "textio/number_format.h"
#include "textio/polar_text.h"

namespace quorvix::reference {

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

std::string TokenText(std::string_view line, const TokenSpan& token) {
    const std::string_view raw = line.substr(token.begin, token.end - token.begin);
    if (!token.quoted) return std::string(raw);
    std::string text;
    text.reserve(raw.size());
    for (std::size_t k = 0; k < raw.size(); ++k) {
        text += raw[k];
        if (raw[k] == '"' && k + 1 < raw.size() && raw[k + 1] == '"') ++k;
    }
    return text;
}

// Calls visit(i, j, token, line) for the first `cols` tokens of the first
// `rows` non-blank lines, row i and token j counted from 0, `line` the
// token's editor line counted from 1 as the editor shows its lines (blank
// ones included). `visit` returns false to stop.
template <typename Visit>
void ForEachToken(const EditorLines& editor, std::int32_t rows, std::int32_t cols, Visit&& visit) {
    if (rows <= 0 || cols <= 0) return;
    std::int32_t i = 0;
    std::int32_t line = 0;
    for (const std::string& text : editor) {
        if (i >= rows) return;
        ++line;
        if (IsBlankLine(text)) continue;
        std::size_t pos = 0;
        TokenSpan span;
        for (std::int32_t j = 0; j < cols && NextToken(text, pos, span); ++j)
            if (!visit(i, j, TokenText(text, span), line)) return;
        ++i;
    }
}

// Converts one token; an error it raises is marked with the token's place
// (element counted from 1). Errors of what the caller then does with the
// value are not the text's and stay unmarked.
template <typename Convert>
Scalar ConvertAt(std::int32_t line, std::int32_t j, Convert&& convert) {
    try {
        return convert();
    } catch (CalcError& e) {
        e.SetElement(line, j + 1);
        throw;
    }
}

std::string FormatPolarPart(long double x, const OutputSettings& settings) {
    // The rebuilt text is read by the element parser, whose mark is ".":
    // formatting with "." directly gives the same text the decimal-mark rewrite
    // would make of a locale-marked one, whatever the locale's mark is.
    OutputSettings pointed = settings;
    pointed.DecimalMark = '.';
    return reference::FormatNumber(x, pointed);
}

bool ContainsSign(std::string_view s) { return s.find_first_of("+-") != std::string_view::npos; }

}  // namespace

std::string NormalizeToken(std::string_view token, const OutputSettings& settings) {
    std::string s(token);
    std::string r = s;
    const std::size_t p = s.find('i');
    if (p != std::string::npos) {
        if (s == "i" || s == "+i") {
            r = "0+1i";
        } else if (s == "-i") {
            r = "0-1i";
        } else {
            if (p > 0 && (s[p - 1] == '+' || s[p - 1] == '-')) {
                // '3+i' -> '3+1i': the number before the symbol is filled in.
                s.pop_back();
                s += "1i";
                r = s;
            }
            if (!ContainsSign(s)) {
                r = "0+" + s;  // "2i" -> "0+2i"
            } else if (s[0] == '-') {
                // '-2i' -> '0-2i'; '-1-2i' has a real part and stays.
                std::size_t signs = 0;
                for (std::size_t k = 1; k + 1 < s.size(); ++k)
                    if (s[k] == '+' || s[k] == '-') ++signs;
                r = signs == 0 ? "0" + s : s;
            }
        }
    }

    if (const std::optional<PolarTokenText> polar = SplitPolarToken(s)) {
        // The value is rebuilt as rectangular text at the display precision.
        const long double radius = reference::LocaleToExtended(polar->Radius, settings.DecimalMark);
        const long double angle = reference::LocaleToExtended(polar->Angle, settings.DecimalMark);
        const long double theta = angle / kDegreesPerRadian;
        const long double re = std::cos(theta) * radius;
        const long double im = std::sin(theta) * radius;
        r = FormatPolarPart(re, settings);
        if (im >= 0) r += '+';
        r += KeepMinus(FormatPolarPart(im, settings), im < 0);  // '5(-0.001)' is '5-0i', never '50i'
        r += 'i';
    }
    return reference::NormalizeDecimalMark(r);
}

std::string NormalizeDecimalMark(std::string_view text) {
    const std::size_t dot = text.find('.');
    const std::size_t comma = text.find(',');
    std::string out(text);
    if (comma == std::string_view::npos) return out;  // "." only, or neither
    if (dot == std::string_view::npos) {
        for (char& c : out)
            if (c == ',') c = '.';
        return out;
    }
    if (dot > comma) return out;  // '1,234.5' stays
    // Both, the point first: the two marks change places ('1.234,5' -> '1,234.5').
    for (char& c : out) {
        if (c == ',')
            c = '.';
        else if (c == '.')
            c = ',';
    }
    return out;
}

void ReadElements(const EditorLines& editor, std::int32_t rows, std::int32_t cols, const OutputSettings& settings,
                  const ElementSink& store) {
    ForEachToken(editor, rows, cols, [&](std::int32_t i, std::int32_t j, const std::string& token, std::int32_t line) {
        store(i, j, ConvertAt(line, j, [&] {
                  return reference::ComplexFromText(reference::NormalizeToken(token, settings));
              }));
        return true;
    });
}

void ReadMatrix(const EditorLines& editor, std::int32_t rows, std::int32_t cols, RCOMat& target,
                const OutputSettings& settings) {
    reference::ReadElements(editor, rows, cols, settings, [&](std::int32_t i, std::int32_t j, const Scalar& value) {
        const auto ui = static_cast<std::size_t>(i);
        const auto uj = static_cast<std::size_t>(j);
        if (ui < target.size() && uj < target[ui].size()) target[ui][uj] = value;
    });
}

bool ReadRealElements(const EditorLines& editor, std::int32_t rows, std::int32_t cols, char decimalMark,
                      const ElementSink& store) {
    bool real = true;
    ForEachToken(editor, rows, cols, [&](std::int32_t i, std::int32_t j, const std::string& token, std::int32_t line) {
        if (token.find('i') != std::string::npos) {
            real = false;
            return false;
        }
        store(i, j, ConvertAt(line, j, [&] { return Scalar::Real(reference::LocaleToDouble(token, decimalMark)); }));
        return true;
    });
    return real;
}

bool ReadRealMatrix(const EditorLines& editor, std::int32_t rows, std::int32_t cols, RCOMat& target, char decimalMark) {
    return reference::ReadRealElements(editor, rows, cols, decimalMark,
                                       [&](std::int32_t i, std::int32_t j, const Scalar& value) {
                                           const auto ui = static_cast<std::size_t>(i);
                                           const auto uj = static_cast<std::size_t>(j);
                                           if (ui < target.size() && uj < target[ui].size()) target[ui][uj] = value;
                                       });
}

}  // namespace quorvix::reference
