// Numbers of the machine formats. What it does not do: no thousands
// separators, no hexadecimal, no "inf" or "nan" (a result never holds one),
// and no arithmetic beyond the one sign between the parts of a complex number.
#include "files/import_numbers.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "textio/decimal_text.h"

namespace quorvix {

namespace {

bool IsBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

bool IsUnit(char c) { return c == 'i' || c == 'j' || c == 'I' || c == 'J'; }

// Numbers up to this length are copied to the stack for from_chars; longer
// ones (hundreds of digits) to the heap.
constexpr std::size_t kStackNumber = 80;

bool ReadUnsignedNumber(std::string_view text, bool negative, bool comma, double& value, bool& tooLarge) {
    // from_chars takes no "+", no "," and also reads "inf" and "nan": the
    // text must start with a digit, or the mark followed by a digit.
    if (text.empty()) return false;
    const bool leadingMark = text[0] == '.' || (comma && text[0] == ',');
    if (!IsDigit(text[0]) && !(leadingMark && text.size() > 1 && IsDigit(text[1]))) return false;
    char stack[kStackNumber];
    std::string heap;
    char* copy = stack;
    if (text.size() + 1 > kStackNumber) {
        heap.resize(text.size() + 1);
        copy = heap.data();
    }
    std::size_t n = 0;
    if (negative) copy[n++] = '-';
    bool seenMark = false;
    for (const char c : text) {
        if (c == '.' || (comma && c == ',')) {
            if (seenMark) return false;
            seenMark = true;
            copy[n++] = '.';
        } else {
            copy[n++] = c;
        }
    }
    double v = 0.0;
    const std::from_chars_result r = std::from_chars(copy, copy + n, v, std::chars_format::general);
    if (r.ptr != copy + n) return false;
    if (r.ec == std::errc::result_out_of_range) {
        // Below the smallest double, or beyond the largest: the extended
        // reading of the same text says which.
        const long double wide = DecimalToExtended(std::string(copy, n));
        if (std::isfinite(wide) && std::fabs(wide) < 1.0L) {
            value = negative ? -0.0 : 0.0;
            return true;
        }
        tooLarge = true;
        return false;
    }
    if (r.ec != std::errc()) return false;
    value = v;
    return true;
}

[[noreturn]] void NotANumber(std::string_view text, bool tooLarge, const ElementPlace& where) {
    std::string detail = PlaceText(where) + ": '" + std::string(text) + "' is ";
    detail += tooLarge ? "too large for a number" : "not a number";
    throw ImportFault{std::move(detail)};
}

// The text with the blanks just after a sign dropped ("- 2i" -> "-2i").
std::string_view AfterSign(std::string_view text) {
    std::size_t k = 1;
    while (k < text.size() && IsBlank(text[k])) ++k;
    return text.substr(k);
}

}  // namespace

std::vector<TextLine> SplitTextLines(std::string_view text) {
    // Line feeds are found with memchr; a carriage return, rare in files of
    // this system, is looked for within each line so found.
    std::vector<TextLine> lines;
    std::size_t start = 0;
    std::int32_t number = 0;
    const char* data = text.data();
    while (start < text.size()) {
        const auto* feed = static_cast<const char*>(std::memchr(data + start, '\n', text.size() - start));
        const std::size_t lineFeed = feed == nullptr ? text.size() : static_cast<std::size_t>(feed - data);
        const auto* ret = static_cast<const char*>(std::memchr(data + start, '\r', lineFeed - start));
        std::size_t end = lineFeed;
        std::size_t next = lineFeed + 1;
        if (ret != nullptr) {
            end = static_cast<std::size_t>(ret - data);
            next = end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
        }
        lines.push_back({++number, text.substr(start, end - start)});
        start = next;
    }
    return lines;
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string CountOf(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

bool ReadMachineNumber(std::string_view text, bool comma, double& value, bool& tooLarge) {
    tooLarge = false;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    return ReadUnsignedNumber(text, negative, comma, value, tooLarge);
}

std::string PlaceText(const ElementPlace& place) {
    std::string text = "line " + std::to_string(place.Line);
    if (place.Row > 0) text += ", row " + std::to_string(place.Row);
    return text + ", element " + std::to_string(place.Element);
}

Scalar ReadMachineElement(std::string_view text, bool comma, const ElementPlace& where) {
    const std::string_view whole = text;
    text = TrimBlanks(text);
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')')
        text = TrimBlanks(text.substr(1, text.size() - 2));
    bool tooLarge = false;
    double re = 0.0;
    if (text.empty()) NotANumber(whole, false, where);
    if (!IsUnit(text.back())) {
        if (!ReadMachineNumber(text, comma, re, tooLarge)) NotANumber(whole, tooLarge, where);
        return Scalar::Real(re);
    }
    // An imaginary part: the sign that starts it is the last "+" or "-" that
    // is neither the first character nor an exponent's sign.
    const std::string_view body = text.substr(0, text.size() - 1);
    std::size_t split = std::string_view::npos;
    for (std::size_t k = body.size(); k-- > 1;) {
        if (body[k] != '+' && body[k] != '-') continue;
        const char before = body[k - 1];
        if ((before == 'e' || before == 'E') && k >= 2 && (IsDigit(body[k - 2]) || body[k - 2] == '.')) continue;
        split = k;
        break;
    }
    std::string_view realText;
    std::string_view imagText = body;
    if (split != std::string_view::npos) {
        realText = TrimBlanks(body.substr(0, split));
        imagText = body.substr(split);
        if (realText.empty()) NotANumber(whole, false, where);
        if (!ReadMachineNumber(realText, comma, re, tooLarge)) NotANumber(whole, tooLarge, where);
    }
    // The imaginary part: a sign alone stands for 1 ("3-i", "-i").
    double im = 1.0;
    bool negative = false;
    if (!imagText.empty() && (imagText[0] == '+' || imagText[0] == '-')) {
        negative = imagText[0] == '-';
        imagText = AfterSign(imagText);
    }
    if (!imagText.empty() && (imagText[0] == '+' || imagText[0] == '-')) NotANumber(whole, false, where);
    if (!imagText.empty() && !ReadMachineNumber(imagText, comma, im, tooLarge)) NotANumber(whole, tooLarge, where);
    return Scalar::Complex(re, negative ? -im : im);
}

RCOMat RectangularRows(std::vector<RCOVec> rows, const std::vector<std::int32_t>& rowLines) {
    if (rows.empty()) return {};
    const std::size_t cols = rows.front().size();
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i].size() != cols)
            throw ImportFault{"line " + std::to_string(rowLines[i]) + ": row " + std::to_string(i + 1) + " has " +
                              CountOf(rows[i].size(), "element", "elements") + ", row 1 has " + std::to_string(cols)};
    if (cols == 0) return {};
    return RCOMat(std::move(rows));
}

}  // namespace quorvix
