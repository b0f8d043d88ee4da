#include "files/project_file.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "commands/command_frame.h"
#include "commands/set_precision.h"
#include "core/errors.h"
#include "core/kernel/fpu.h"
#include "files/file_kind.h"
#include "files/project_codec.h"
#include "files/qvx_project.h"
#include "files/replacing_file.h"
#include "files/text_files.h"
#include "files/x87_extended.h"
#include "textio/general_number.h"
#include "textio/locale_number.h"
#include "textio/polar_text.h"

namespace quorvix {

namespace fs = std::filesystem;

namespace {

void WriteInt32(ReplacingFile& out, std::int32_t v) {
    std::vector<std::uint8_t> bytes;
    AppendInt32(bytes, v);
    out.Write(bytes.data(), bytes.size());
}

void WriteExtended(ReplacingFile& out, long double v) {
    const auto bytes = EncodeExtended(v);
    out.Write(bytes.data(), bytes.size());
}

// A token of the complex notations: an "i" (2i, 1+2i, -i) or a polar
// "radius(angle)".
bool LooksComplex(std::string_view token) {
    return token.find('i') != std::string_view::npos || SplitPolarToken(token).has_value();
}

std::string RealOnlyMessage(Operand which, std::int32_t line, std::int32_t element, std::string_view token) {
    return std::string("Projects in .mtx keep real numbers only (Matrix ") + OperandName(which) + ", line " +
           std::to_string(line) + ", element " + std::to_string(element) + ": '" + std::string(token) +
           "'); save as .qvx to keep everything";
}

// One matrix block. The counts are written first; a non-empty editor is then
// measured a second time (an incomplete matrix warns twice) and written row by
// row, every element the extended value of its locale conversion, missing
// elements 0. Only one row is held at a time.
void WriteBlock(CalcState& s, Operand which, ReplacingFile& out) {
    const EditorSize size = MeasureEditor(s, which);
    const std::int32_t rows = size.Rows;
    const std::int32_t cols = size.Cols;
    WriteInt32(out, rows);
    WriteInt32(out, cols);
    if (rows == 0 || cols == 0) return;
    MeasureEditor(s, which);
    const EditorLines& editor = EditorOf(s, which);

    std::vector<long double> row(static_cast<std::size_t>(cols));
    std::vector<std::uint8_t> bytes;
    bytes.reserve(row.size() * kExtendedBytes);
    std::int32_t written = 0;
    std::int32_t lineNumber = 0;  // as the editor shows its lines, from 1
    for (const std::string& line : editor) {
        if (written >= rows) break;
        ++lineNumber;
        if (IsBlankLine(line)) continue;
        std::fill(row.begin(), row.end(), 0.0L);
        const std::vector<std::string> tokens = SplitTokens(line);
        const std::size_t n = std::min(tokens.size(), row.size());
        for (std::size_t j = 0; j < n; ++j)
            row[j] = ConvertElementAt(lineNumber, static_cast<std::int32_t>(j) + 1, [&] {
                try {
                    return LocaleToExtended(tokens[j], s.Settings.DecimalMark);
                } catch (const ConversionError&) {
                    // A complex or polar element is typed well; it only
                    // cannot be kept here.
                    if (!LooksComplex(tokens[j])) throw;
                    throw FileError(RealOnlyMessage(which, lineNumber, static_cast<std::int32_t>(j) + 1, tokens[j]));
                }
            });
        bytes.clear();
        for (long double v : row) AppendExtended(bytes, v);
        out.Write(bytes.data(), bytes.size());
        ++written;
    }
}

// The editor text of a stored matrix: one line per row, each element as " "
// and its general number form, and the line break after the last row.
EditorLines MatrixLines(const ProjectMatrix& m, char decimalMark) {
    EditorLines lines;
    lines.reserve(static_cast<std::size_t>(m.Rows) + 1);
    const std::size_t cols = static_cast<std::size_t>(m.Cols);
    for (std::size_t i = 0; i < static_cast<std::size_t>(m.Rows); ++i) {
        std::string line;
        for (std::size_t j = 0; j < cols; ++j) {
            line += ' ';
            line += FormatGeneral(m.Elements[i * cols + j], decimalMark);
        }
        lines.push_back(std::move(line));
    }
    lines.emplace_back();
    return lines;
}

}  // namespace

void SaveProject(CalcState& s, const std::string& path) {
    const long double x = ReadingX([&] {
        const long double value = LocaleToExtended(s.X, s.Settings.DecimalMark);
        StoreDouble(value);  // an x beyond the double range is an overflow, as for any coefficient
        return value;
    });
    const std::int32_t precision = TextToInteger(s.Precision);

    ReplacingFile out(path);
    WriteExtended(out, x);
    WriteInt32(out, precision);
    ReadingEditor(Operand::A, [&] { WriteBlock(s, Operand::A, out); });
    ReadingEditor(Operand::B, [&] { WriteBlock(s, Operand::B, out); });
    out.Commit();
}

void OpenProjectBytes(CalcState& s, std::span<const std::uint8_t> bytes, const std::string& path) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const FileKind kind = FileKindOf(text.substr(0, kFileKindBytes));
    if (kind == FileKind::TextProject) {
        OpenTextProjectBytes(s, text, path);
        return;
    }
    std::optional<ProjectData> data = ParseProject(bytes);
    if (!data && kind == FileKind::MatrixMarket)
        throw FileError("\"" + path + "\" is a Matrix Market file, not a project: import it into Matrix A or B");
    if (!data) throw FileError(CannotOpenMessage(path, kDamagedProjectReason));

    // Everything that can fail is done on copies first: the coefficient as a
    // double, the new rounding factor, the texts of x and of both editors.
    StoreDouble(data->X);  // x must fit a double
    std::string xText = FormatGeneral(data->X, s.Settings.DecimalMark);
    // The precision is set on a copy of the state, so that a factor beyond
    // the extended range is refused before anything changes.
    CalcState precision;
    precision.Settings = s.Settings;
    SetPrecision(precision, std::to_string(data->Precision));
    std::optional<EditorLines> a;
    std::optional<EditorLines> b;
    if (data->A.HasElements()) a = MatrixLines(data->A, s.Settings.DecimalMark);
    if (data->B.HasElements()) b = MatrixLines(data->B, s.Settings.DecimalMark);

    s.X = std::move(xText);
    s.Precision = std::move(precision.Precision);
    s.Settings = precision.Settings;
    if (a) s.MatrixA = std::move(*a);
    if (b) s.MatrixB = std::move(*b);
}

void OpenProject(CalcState& s, const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status))
        throw FileError(CannotOpenMessage(path, std::make_error_code(std::errc::is_a_directory).message()));
    // Devices and pipes may never end: only a regular file can be a project.
    if (fs::exists(status) && !fs::is_regular_file(status))
        throw FileError(CannotOpenMessage(path, kDamagedProjectReason));
    // A missing or unreadable file is refused by the reading, with the
    // system's reason ("No such file or directory").
    const std::string text = ReadWholeFile(path);
    OpenProjectBytes(s, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), path);
}

std::string ProjectPathToOpen(const std::string& path) {
    const std::string withExtension = WithDefaultExtension(path, kProjectExtension);
    if (withExtension == path) return path;
    std::error_code ec;
    if (fs::exists(fs::status(path, ec)) || !fs::exists(fs::status(withExtension, ec))) return path;
    return withExtension;
}

std::string WithDefaultExtension(const std::string& path, const std::string& ext) {
    if (path.empty()) return path;
    const fs::path name = fs::path(path).filename();
    if (name.empty() || name.has_extension()) return path;
    if (!ext.empty() && ext.front() == '.') return path + ext;
    return path + "." + ext;
}

}  // namespace quorvix
