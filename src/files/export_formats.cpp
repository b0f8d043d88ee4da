// The export texts. What they do not do: tsv and csv have no header line and
// no quotes (no element holds a separator), and no format writes a number
// that its reader would round differently: every number is to_chars' shortest
// decimal, which every reader that rounds correctly (numpy, Octave, C's
// strtod, scipy's Matrix Market reader) reads as the same double. Complex
// numbers give both parts ("0-2i", not "-2i"): in Octave and Python "-2i" is
// the negation of 2i, whose real part is -0.
#include "files/export_formats.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <sstream>
#include <utility>
#include <vector>

#include "commands/result_choice.h"
#include "core/errors.h"
#include "files/result_json.h"
#include "textio/number_format.h"

namespace quorvix {

namespace {

struct FormatInfo {
    ExportFormat Format;
    const char* Name;
};

constexpr std::array<FormatInfo, 7> kFormats{{{ExportFormat::Tsv, "tsv"},
                                              {ExportFormat::Csv, "csv"},
                                              {ExportFormat::Octave, "octave"},
                                              {ExportFormat::Numpy, "numpy"},
                                              {ExportFormat::Latex, "latex"},
                                              {ExportFormat::MatrixMarket, "mm"},
                                              {ExportFormat::Json, "json"}}};

struct ExtensionInfo {
    const char* Extension;
    ExportFormat Format;
};

constexpr std::array<ExtensionInfo, 8> kExtensions{{{".tsv", ExportFormat::Tsv},
                                                    {".txt", ExportFormat::Tsv},
                                                    {".csv", ExportFormat::Csv},
                                                    {".m", ExportFormat::Octave},
                                                    {".py", ExportFormat::Numpy},
                                                    {".tex", ExportFormat::Latex},
                                                    {".mtx", ExportFormat::MatrixMarket},
                                                    {".json", ExportFormat::Json}}};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// "a, b or c".
template <typename Items, typename Text>
std::string Listed(const Items& items, Text text) {
    std::string out;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0) out += k + 1 == items.size() ? " or " : ", ";
        out += text(items[k]);
    }
    return out;
}

// A number with `mark` in place of the point; a Python float literal ("2.0"
// rather than "2", which would make an array of integers) with `python`.
void AppendNumber(std::string& out, double v, char mark, bool python = false) {
    const std::size_t start = out.size();
    char buf[32];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
    if (mark != '.')
        for (std::size_t k = start; k < out.size(); ++k)
            if (out[k] == '.') out[k] = mark;
    if (python && out.find_first_of(".en", start) == std::string::npos) out += ".0";
}

// An element with its imaginary part when it has one: "re+imi", "re-imi".
void AppendElement(std::string& out, const Scalar& v, char mark, char unit, bool python = false) {
    AppendNumber(out, RealPart(v), mark, python);
    const double im = ImagPart(v);
    if (im == 0) return;
    if (!std::signbit(im)) out += '+';
    AppendNumber(out, im, mark, python);
    out += unit;
}

bool AnyComplex(const RCOMat& m) {
    for (const RCOVec& row : m)
        for (const Scalar& v : row)
            if (ImagPart(v) != 0) return true;
    return false;
}

std::int32_t Rows(const RCOMat& m) { return ResultRows(m); }
std::int32_t Cols(const RCOMat& m) { return ResultCols(m); }

std::string Identifier(const ResultMatrix& m) { return m.Name.empty() ? "ans" : m.Name; }

// Rows separated by `rowEnd`, elements by `between`.
void AppendGrid(std::string& out, const RCOMat& m, char between, char rowEnd, char mark) {
    for (std::int32_t i = 0; i < Rows(m); ++i) {
        for (std::int32_t j = 0; j < Cols(m); ++j) {
            if (j > 0) out += between;
            AppendElement(out, ElementOrEmpty(m, i, j), mark, 'i');
        }
        out += rowEnd;
    }
}

void AppendOctave(std::string& out, const ResultMatrix& m) {
    out += Identifier(m);
    out += " = [";
    for (std::int32_t i = 0; i < Rows(m.Matrix); ++i) {
        if (i > 0) out += "; ";
        for (std::int32_t j = 0; j < Cols(m.Matrix); ++j) {
            if (j > 0) out += ' ';
            AppendElement(out, ElementOrEmpty(m.Matrix, i, j), '.', 'i');
        }
    }
    out += "];\n";
}

void AppendNumpy(std::string& out, const ResultMatrix& m) {
    out += Identifier(m);
    if (Rows(m.Matrix) == 0) {
        out += " = np.zeros((0, 0))\n";
        return;
    }
    out += " = np.array([";
    for (std::int32_t i = 0; i < Rows(m.Matrix); ++i) {
        if (i > 0) out += ", ";
        out += '[';
        for (std::int32_t j = 0; j < Cols(m.Matrix); ++j) {
            if (j > 0) out += ", ";
            AppendElement(out, ElementOrEmpty(m.Matrix, i, j), '.', 'j', true);
        }
        out += ']';
    }
    out += "])\n";
}

void AppendLatex(std::string& out, const ResultMatrix& m, const OutputSettings& settings) {
    OutputSettings pointed = settings;
    pointed.DecimalMark = '.';  // a comma is punctuation in LaTeX's math mode
    if (!m.Name.empty()) out += m.Name + " = ";
    out += "\\begin{bmatrix}";
    for (std::int32_t i = 0; i < Rows(m.Matrix); ++i) {
        if (i > 0) out += " \\\\";
        for (std::int32_t j = 0; j < Cols(m.Matrix); ++j) {
            if (j > 0) out += " &";
            out += ' ';
            out += ElementText(ElementOrEmpty(m.Matrix, i, j), pointed);
        }
    }
    out += " \\end{bmatrix}\n";
}

// Columns written together: their rows are read one after the other, so
// that the column-by-column order does not jump from row to row.
constexpr std::int32_t kColumnsTogether = 64;

// The array format: a header, the size, then the elements column by column.
void AppendMatrixMarket(std::string& out, const RCOMat& m) {
    const bool complex = AnyComplex(m);
    out += "%%MatrixMarket matrix array ";
    out += complex ? "complex" : "real";
    out += " general\n";
    out += std::to_string(Rows(m)) + ' ' + std::to_string(Cols(m)) + '\n';
    std::vector<std::string> columns(static_cast<std::size_t>(kColumnsTogether));
    for (std::int32_t first = 0; first < Cols(m); first += kColumnsTogether) {
        const std::int32_t last = std::min(first + kColumnsTogether, Cols(m));
        for (std::int32_t i = 0; i < Rows(m); ++i) {
            for (std::int32_t j = first; j < last; ++j) {
                std::string& column = columns[static_cast<std::size_t>(j - first)];
                const Scalar& v = ElementOrEmpty(m, i, j);
                AppendNumber(column, RealPart(v), '.');
                if (complex) {
                    column += ' ';
                    AppendNumber(column, ImagPart(v), '.');
                }
                column += '\n';
            }
        }
        for (std::int32_t j = first; j < last; ++j) {
            std::string& column = columns[static_cast<std::size_t>(j - first)];
            out += column;
            column.clear();
        }
    }
}

char CsvSeparator(char mark) { return mark == ',' ? ';' : ','; }

}  // namespace

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) {
    for (const FormatInfo& f : kFormats)
        if (name == f.Name) return f.Format;
    return std::nullopt;
}

const char* ExportFormatName(ExportFormat format) {
    for (const FormatInfo& f : kFormats)
        if (f.Format == format) return f.Name;
    return "";
}

std::string ExportFormatNames() {
    return Listed(kFormats, [](const FormatInfo& f) { return std::string(f.Name); });
}

std::optional<ExportFormat> ExportFormatOfPath(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0) return std::nullopt;
    const std::string extension = Lower(name.substr(dot));
    for (const ExtensionInfo& e : kExtensions)
        if (extension == e.Extension) return e.Format;
    return std::nullopt;
}

std::string ExportExtensions() {
    return Listed(kExtensions, [](const ExtensionInfo& e) { return std::string(e.Extension); });
}

bool HoldsOneMatrix(ExportFormat format) {
    return format == ExportFormat::Tsv || format == ExportFormat::Csv || format == ExportFormat::MatrixMarket;
}

std::string ExportText(const KeptResult& kept, std::string_view name, ExportFormat format,
                       const OutputSettings& settings) {
    if (format == ExportFormat::Json) {
        std::ostringstream json;
        if (name.empty()) {
            WriteResultValue(json, &kept.Value);
        } else {
            WriteMatrixValue(json, ChooseResultMatrix(kept, name).Matrix);
        }
        json << '\n';
        return json.str();
    }
    std::string out;
    if (HoldsOneMatrix(format)) {
        const ResultMatrix m = ChooseResultMatrix(kept, name);
        out.reserve(static_cast<std::size_t>(Rows(m.Matrix)) * static_cast<std::size_t>(Cols(m.Matrix)) * 20);
        const char mark = settings.DecimalMark == ',' ? ',' : '.';
        if (format == ExportFormat::MatrixMarket)
            AppendMatrixMarket(out, m.Matrix);
        else
            AppendGrid(out, m.Matrix, format == ExportFormat::Tsv ? '\t' : CsvSeparator(mark), '\n', mark);
        return out;
    }
    const std::vector<ResultMatrix> matrices = ChooseResultMatrices(kept, name);
    if (format == ExportFormat::Numpy) out += "import numpy as np\n";
    for (const ResultMatrix& m : matrices) {
        if (format == ExportFormat::Octave) AppendOctave(out, m);
        if (format == ExportFormat::Numpy) AppendNumpy(out, m);
        if (format == ExportFormat::Latex) AppendLatex(out, m, settings);
    }
    return out;
}

}  // namespace quorvix
