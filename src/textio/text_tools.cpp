// What these tools do not do: they never compute with a matrix, and the
// rectangular and polar conversions only touch the tokens that look like the
// other notation (a "(" and a ")" for polar, a lower-case "i" for complex).
#include "textio/text_tools.h"

#include <algorithm>

#include "core/errors.h"
#include "core/kernel/fpu.h"
#include "core/scalar.h"
#include "textio/element_parser.h"
#include "textio/element_reader.h"
#include "textio/locale_number.h"
#include "textio/number_format.h"
#include "textio/polar_text.h"

namespace quorvix {

std::string TokenToRect(std::string_view token, const OutputSettings& settings) {
    const std::optional<PolarTokenText> polar = SplitPolarToken(token);
    if (!polar) return std::string(token);
    const double radius = LocaleToDouble(polar->Radius, settings.DecimalMark);
    const long double degrees = LocaleToExtended(polar->Angle, settings.DecimalMark);
    const double theta = StoreDouble(degrees / kDegreesPerRadian);
    return ScalarToText(ComplexFromPolar(radius, theta), settings);
}

std::string TokenToPolar(std::string_view token, const OutputSettings& settings) {
    if (token.find('i') == std::string_view::npos) return std::string(token);
    const Scalar value = ComplexFromText(NormalizeToken(token, settings));
    double radius = 0.0;
    double angle = 0.0;
    ComplexToPolar(value, true, radius, angle);
    // Parts near the double's limit give an infinite radius: an overflow, not text.
    CheckExtended(radius);
    return FormatNumber(radius, settings) + "(" + FormatNumber(angle * kDegreesPerRadian, settings) + ")";
}

std::string ConvertToken(std::string_view token, Conversion conversion, const OutputSettings& settings) {
    switch (conversion) {
        case Conversion::ToRect: return TokenToRect(token, settings);
        case Conversion::ToPolar: return TokenToPolar(token, settings);
        case Conversion::None: break;
    }
    return std::string(token);
}

EditorLines RewriteEditor(const EditorLines& editor, Conversion conversion, const OutputSettings& settings,
                          ResultPanel& panel) {
    const std::int32_t rows = CountRows(editor);
    if (CountColumns(editor).Incomplete) panel.AddLine(kIncompleteWarning);
    EditorLines out;
    out.reserve(static_cast<std::size_t>(rows) + 1);
    std::int32_t lineNumber = 0;  // as the editor shows its lines, from 1
    for (const std::string& line : editor) {
        if (static_cast<std::int32_t>(out.size()) >= rows) break;
        ++lineNumber;
        if (IsBlankLine(line)) continue;
        std::string rebuilt;
        std::int32_t element = 0;
        for (const std::string& token : SplitTokens(line)) {
            ++element;
            rebuilt += WritableToken(
                ConvertElementAt(lineNumber, element, [&] { return ConvertToken(token, conversion, settings); }));
            rebuilt += "  ";
        }
        out.push_back(std::move(rebuilt));
    }
    if (!out.empty()) out.emplace_back();  // the line break after the last row
    return out;
}

EditorLines AlignLines(const EditorLines& lines) {
    std::size_t width = 0;
    std::vector<std::vector<std::string>> tokens;
    tokens.reserve(lines.size());
    for (const std::string& line : lines) {
        tokens.push_back(line.empty() ? std::vector<std::string>{} : SplitTokens(line));
        for (std::string& t : tokens.back()) {
            t = WritableToken(t);
            width = std::max(width, t.size());
        }
    }
    const std::size_t field = width + 2;
    EditorLines out;
    out.reserve(lines.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (lines[k].empty()) continue;
        std::string rebuilt;
        rebuilt.reserve(tokens[k].size() * field);
        for (const std::string& t : tokens[k]) {
            rebuilt += t;
            rebuilt.append(field - t.size(), ' ');
        }
        out.push_back(std::move(rebuilt));
    }
    return out;
}

void ReplaceInPanel(ResultPanel& panel, char from, char to) {
    for (std::string& line : panel.MutableLines()) std::replace(line.begin(), line.end(), from, to);
}

}  // namespace quorvix
