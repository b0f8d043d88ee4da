#include "files/import_formats.h"

#include <optional>
#include <vector>

#include "core/errors.h"
#include "files/import_numbers.h"
#include "files/import_readers.h"
#include "files/literal_text.h"

namespace quorvix {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    return text;
}

bool StartsWithMatrixMarket(std::string_view text) {
    constexpr std::string_view kBanner = "%%matrixmarket";
    if (text.size() < kBanner.size()) return false;
    for (std::size_t k = 0; k < kBanner.size(); ++k) {
        char c = text[k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kBanner[k]) return false;
    }
    return true;
}

// Whether the text is a bracket literal, and which.
std::optional<ImportForm> LiteralForm(std::string_view text) {
    LiteralCursor c(text);
    SkipPreamble(c, true);
    SkipAssignment(c);
    if (SkipArrayCall(c)) return ImportForm::Numpy;
    if (c.Peek() != '[') return std::nullopt;
    c.Advance();
    c.SkipBlanks(true);
    return c.Peek() == '[' ? ImportForm::Numpy : ImportForm::Octave;
}

bool IsSeparator(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

ImportForm DelimitedForm(std::string_view text, char decimalMark) {
    bool commas = false;
    bool csvLike = false;         // "1,2,3", "1, 2", ",5"
    bool severalOnALine = false;  // "1,5 2,5"
    for (const TextLine& line : SplitTextLines(text)) {
        const std::string_view t = line.Text;
        if (t.find('\t') != std::string_view::npos) return ImportForm::TabSeparated;
        if (t.find(';') != std::string_view::npos) return ImportForm::SemicolonSeparated;
        if (t.find(',') == std::string_view::npos) continue;
        commas = true;
        std::size_t tokens = 0;
        std::size_t k = 0;
        while (k < t.size()) {
            while (k < t.size() && IsSeparator(t[k])) ++k;
            if (k >= t.size()) break;
            const std::size_t begin = k;
            std::size_t inToken = 0;
            while (k < t.size() && !IsSeparator(t[k])) inToken += t[k++] == ',';
            ++tokens;
            if (inToken >= 2 || t[begin] == ',' || t[k - 1] == ',') csvLike = true;
        }
        if (tokens >= 2) severalOnALine = true;
    }
    if (!commas) return ImportForm::EditorText;
    if (csvLike) return ImportForm::CommaSeparated;
    if (severalOnALine) return ImportForm::EditorText;
    return decimalMark == ',' ? ImportForm::EditorText : ImportForm::CommaSeparated;
}

}  // namespace

const char* ImportFormName(ImportForm form) {
    switch (form) {
        case ImportForm::MatrixMarket: return "Matrix Market";
        case ImportForm::Octave: return "Octave";
        case ImportForm::Numpy: return "numpy";
        case ImportForm::TabSeparated: return "tab-separated";
        case ImportForm::CommaSeparated: return "comma-separated";
        case ImportForm::SemicolonSeparated: return "semicolon-separated";
        case ImportForm::EditorText: return "editor text";
    }
    return "";
}

ImportForm DetectImportForm(std::string_view text, char decimalMark) {
    text = WithoutByteOrderMark(text);
    if (StartsWithMatrixMarket(TrimBlanks(text))) return ImportForm::MatrixMarket;
    if (const std::optional<ImportForm> literal = LiteralForm(text)) return *literal;
    return DelimitedForm(text, decimalMark);
}

RCOMat ReadImportText(std::string_view text, const std::string& name, const OutputSettings& settings,
                      const ImportLimits& limits) {
    text = WithoutByteOrderMark(text);
    try {
        switch (DetectImportForm(text, settings.DecimalMark)) {
            case ImportForm::MatrixMarket: return ReadMatrixMarket(text, limits);
            case ImportForm::Octave: return ReadOctaveLiteral(text, limits);
            case ImportForm::Numpy: return ReadNumpyLiteral(text, limits);
            case ImportForm::TabSeparated: return ReadDelimited(text, '\t', limits);
            case ImportForm::CommaSeparated: return ReadDelimited(text, ',', limits);
            case ImportForm::SemicolonSeparated: return ReadDelimited(text, ';', limits);
            case ImportForm::EditorText: return ReadEditorSyntax(text, settings, limits);
        }
    } catch (const ImportFault& fault) {
        throw FileError("Cannot import \"" + name + "\": " + fault.Detail);
    }
    return {};
}

}  // namespace quorvix
