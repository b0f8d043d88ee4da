// Matrix Market files (the NIST exchange format): a header line
// "%%MatrixMarket matrix FORMAT FIELD SYMMETRY", comment lines starting with
// "%", a size line, then the entries, one per line. What it does not do: no
// "vector" objects, no entries spread over several lines, and a coordinate
// file becomes a full matrix (entries it does not give are 0; entries given
// twice are added, as a coordinate list means them).
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/cancel.h"
#include "files/import_numbers.h"
#include "files/import_readers.h"

namespace quorvix {

namespace {

enum class MmLayout { Array, Coordinate };
enum class MmField { Real, Integer, Complex, Pattern };
enum class MmSymmetry { General, Symmetric, SkewSymmetric, Hermitian };

struct Header {
    MmLayout Layout = MmLayout::Array;
    MmField Field = MmField::Real;
    MmSymmetry Symmetry = MmSymmetry::General;
};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t k = 0;
    while (k < line.size()) {
        while (k < line.size() && static_cast<unsigned char>(line[k]) <= 32) ++k;
        const std::size_t begin = k;
        while (k < line.size() && static_cast<unsigned char>(line[k]) > 32) ++k;
        if (k > begin) words.push_back(line.substr(begin, k - begin));
    }
    return words;
}

[[noreturn]] void Fault(std::int32_t line, const std::string& what) {
    throw ImportFault{"line " + std::to_string(line) + ": " + what};
}

Header ReadHeader(const TextLine& line) {
    const std::vector<std::string_view> w = Words(line.Text);
    Header h;
    bool ok = w.size() == 5 && Lower(w[0]) == "%%matrixmarket" && Lower(w[1]) == "matrix";
    if (ok) {
        const std::string layout = Lower(w[2]), field = Lower(w[3]), symmetry = Lower(w[4]);
        ok = (layout == "array" || layout == "coordinate") &&
             (field == "real" || field == "integer" || field == "complex" || field == "pattern") &&
             (symmetry == "general" || symmetry == "symmetric" || symmetry == "skew-symmetric" ||
              symmetry == "hermitian");
        if (ok) {
            h.Layout = layout == "array" ? MmLayout::Array : MmLayout::Coordinate;
            h.Field = field == "real"      ? MmField::Real
                      : field == "integer" ? MmField::Integer
                      : field == "complex" ? MmField::Complex
                                           : MmField::Pattern;
            h.Symmetry = symmetry == "general"          ? MmSymmetry::General
                         : symmetry == "symmetric"      ? MmSymmetry::Symmetric
                         : symmetry == "skew-symmetric" ? MmSymmetry::SkewSymmetric
                                                        : MmSymmetry::Hermitian;
        }
    }
    if (!ok)
        Fault(line.Number, "'" + std::string(TrimBlanks(line.Text)) +
                               "' is not a Matrix Market matrix header (%%MatrixMarket matrix, then array or "
                               "coordinate; real, integer, complex or pattern; general, symmetric, skew-symmetric "
                               "or hermitian)");
    if (h.Field == MmField::Pattern && h.Layout == MmLayout::Array)
        Fault(line.Number, "an array cannot be a pattern: its entries are its values");
    if (h.Symmetry == MmSymmetry::Hermitian && h.Field != MmField::Complex)
        Fault(line.Number, "only a complex matrix can be hermitian");
    if (h.Symmetry == MmSymmetry::SkewSymmetric && h.Field == MmField::Pattern)
        Fault(line.Number, "a pattern cannot be skew-symmetric");
    return h;
}

// A count of the size line: a whole number from 0 up.
bool ReadCount(std::string_view word, std::uint64_t& n) {
    if (word.empty() || word.size() > 12) return false;
    n = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

std::string SizeText(std::uint64_t rows, std::uint64_t cols) {
    return std::to_string(rows) + " x " + std::to_string(cols);
}

std::size_t ValuesPerEntry(MmField field) {
    if (field == MmField::Pattern) return 0;
    return field == MmField::Complex ? 2 : 1;
}

// The value of one entry: its numbers after `skip` words (the coordinates).
Scalar EntryValue(const std::vector<std::string_view>& w, std::size_t skip, MmField field, const TextLine& line) {
    if (field == MmField::Pattern) return Scalar::Real(1.0);
    const std::size_t want = ValuesPerEntry(field);
    if (w.size() != skip + want)
        Fault(line.Number, std::string("an entry of this ") + (field == MmField::Complex ? "complex " : "") +
                               "matrix is " + (skip == 0 ? "" : "its row, its column and ") +
                               CountOf(want, "number", "numbers") + ", but the line holds " +
                               CountOf(w.size(), "word", "words"));
    double parts[2] = {0.0, 0.0};
    for (std::size_t k = 0; k < want; ++k) {
        bool tooLarge = false;
        if (!ReadMachineNumber(w[skip + k], false, parts[k], tooLarge))
            throw ImportFault{PlaceText({line.Number, 0, static_cast<std::int32_t>(skip + k) + 1}) + ": '" +
                              std::string(w[skip + k]) + "' is " +
                              (tooLarge ? "too large for a number" : "not a number")};
    }
    return field == MmField::Complex ? Scalar::Complex(parts[0], parts[1]) : Scalar::Real(parts[0]);
}

Scalar Negated(const Scalar& v) {
    return IsComplex(v) ? Scalar::Complex(-RealPart(v), -ImagPart(v)) : Scalar::Real(-RealPart(v));
}
Scalar Conjugated(const Scalar& v) { return Scalar::Complex(RealPart(v), -ImagPart(v)); }

// The element (j, i) that the stored (i, j) stands for in a symmetric file.
Scalar Mirrored(const Scalar& v, MmSymmetry symmetry) {
    switch (symmetry) {
        case MmSymmetry::SkewSymmetric: return Negated(v);
        case MmSymmetry::Hermitian: return Conjugated(v);
        default: return v;
    }
}

Scalar Zero(MmField field) { return field == MmField::Complex ? Scalar::Complex(0.0, 0.0) : Scalar::Real(0.0); }

// An entry given twice: the sum of both, which must stay a number.
Scalar Sum(const Scalar& a, const Scalar& b, const TextLine& line) {
    const double re = RealPart(a) + RealPart(b);
    const double im = ImagPart(a) + ImagPart(b);
    if (!std::isfinite(re) || !std::isfinite(im))
        Fault(line.Number, "this entry, added to the same element given before, is too large for a number");
    if (IsComplex(a) || IsComplex(b)) return Scalar::Complex(re, im);
    return Scalar::Real(re);
}

// The entries' lines: every line after the size line that is neither blank
// nor a comment.
class EntryLines {
public:
    EntryLines(const std::vector<TextLine>& lines, std::size_t from) : lines_(lines), next_(from) {}
    const TextLine* Next() {
        while (next_ < lines_.size()) {
            const TextLine& line = lines_[next_++];
            const std::string_view t = TrimBlanks(line.Text);
            if (!t.empty() && t.front() != '%') return &line;
        }
        return nullptr;
    }

private:
    const std::vector<TextLine>& lines_;
    std::size_t next_;
};

constexpr std::uint64_t kEntriesPerCancelCheck = 4096;

// The line of the entry after `done` of the `expected` ones; the cancel flag
// is checked every so often. The file ending first is a fault.
const TextLine& EntryLine(EntryLines& entries, std::uint64_t done, std::uint64_t expected) {
    if (done % kEntriesPerCancelCheck == 0)
        CheckCancelled(static_cast<std::int64_t>(done), static_cast<std::int64_t>(expected));
    const TextLine* line = entries.Next();
    if (line == nullptr)
        throw ImportFault{"the file ends after " + std::to_string(done) + " of its " +
                          CountOf(expected, "entry", "entries")};
    return *line;
}

// After the `expected` entries: a line more is a fault.
void NoMoreEntries(EntryLines& entries, std::uint64_t expected) {
    if (const TextLine* extra = entries.Next())
        Fault(extra->Number, "more entries than the " + std::to_string(expected) + " of the size line");
}

void ReadArray(RCOMat& m, const Header& h, std::uint64_t rows, std::uint64_t cols, EntryLines& entries) {
    const bool symmetric = h.Symmetry != MmSymmetry::General;
    // Column by column; a symmetric file gives the lower triangle (without
    // the diagonal when skew-symmetric).
    std::uint64_t expected = rows * cols;
    if (symmetric)
        expected = h.Symmetry == MmSymmetry::SkewSymmetric ? rows * (rows - (rows > 0)) / 2 : rows * (rows + 1) / 2;
    std::uint64_t done = 0;
    for (std::uint64_t j = 0; j < cols; ++j) {
        const std::uint64_t first = !symmetric ? 0 : h.Symmetry == MmSymmetry::SkewSymmetric ? j + 1 : j;
        for (std::uint64_t i = first; i < rows; ++i) {
            const TextLine& line = EntryLine(entries, done, expected);
            const Scalar v = EntryValue(Words(line.Text), 0, h.Field, line);
            m[i][j] = v;
            if (symmetric && i != j) m[j][i] = Mirrored(v, h.Symmetry);
            ++done;
        }
    }
    NoMoreEntries(entries, expected);
}

void ReadCoordinate(RCOMat& m, const Header& h, std::uint64_t rows, std::uint64_t cols, std::uint64_t count,
                    EntryLines& entries) {
    for (std::uint64_t k = 0; k < count; ++k) {
        const TextLine& line = EntryLine(entries, k, count);
        const std::vector<std::string_view> w = Words(line.Text);
        std::uint64_t i = 0, j = 0;
        if (w.size() < 2 || !ReadCount(w[0], i) || !ReadCount(w[1], j))
            Fault(line.Number,
                  "'" + std::string(TrimBlanks(line.Text)) + "' does not start with an entry's row and column");
        if (i < 1 || j < 1 || i > rows || j > cols)
            Fault(line.Number, "the entry (" + std::to_string(i) + ", " + std::to_string(j) + ") is outside the " +
                                   SizeText(rows, cols) + " matrix");
        if (h.Symmetry == MmSymmetry::SkewSymmetric && i == j)
            Fault(line.Number, "a skew-symmetric matrix has no diagonal entries, but (" + std::to_string(i) + ", " +
                                   std::to_string(j) + ") is one");
        const Scalar v = EntryValue(w, 2, h.Field, line);
        --i;
        --j;
        m[i][j] = Sum(m[i][j], v, line);
        if (h.Symmetry != MmSymmetry::General && i != j) m[j][i] = Sum(m[j][i], Mirrored(v, h.Symmetry), line);
    }
    NoMoreEntries(entries, count);
}

}  // namespace

RCOMat ReadMatrixMarket(std::string_view text, const ImportLimits& limits) {
    const std::vector<TextLine> lines = SplitTextLines(text);
    // The header is the first line that is not blank.
    std::size_t at = 0;
    while (at < lines.size() && TrimBlanks(lines[at].Text).empty()) ++at;
    if (at == lines.size()) throw ImportFault{"it holds no Matrix Market header"};
    const Header h = ReadHeader(lines[at]);
    // The size line: the first line after the header that is neither a
    // comment nor blank.
    ++at;
    while (at < lines.size() && (TrimBlanks(lines[at].Text).empty() || TrimBlanks(lines[at].Text).front() == '%')) ++at;
    if (at == lines.size()) throw ImportFault{"the file ends before its size line"};
    const TextLine& sizeLine = lines[at];
    const std::vector<std::string_view> w = Words(sizeLine.Text);
    std::uint64_t rows = 0, cols = 0, count = 0;
    const std::size_t words = h.Layout == MmLayout::Array ? 2 : 3;
    if (w.size() != words || !ReadCount(w[0], rows) || !ReadCount(w[1], cols) ||
        (words == 3 && !ReadCount(w[2], count)))
        Fault(sizeLine.Number, "'" + std::string(TrimBlanks(sizeLine.Text)) + "' is not the size line (" +
                                   (h.Layout == MmLayout::Array ? "rows and columns" : "rows, columns and entries") +
                                   ")");
    if (h.Symmetry != MmSymmetry::General && rows != cols)
        Fault(sizeLine.Number, "a " +
                                   std::string(h.Symmetry == MmSymmetry::Symmetric   ? "symmetric"
                                               : h.Symmetry == MmSymmetry::Hermitian ? "hermitian"
                                                                                     : "skew-symmetric") +
                                   " matrix is square, not " + SizeText(rows, cols));
    if (rows != 0 && cols > limits.MaxElements / rows)
        Fault(sizeLine.Number, "a " + SizeText(rows, cols) + " matrix is more than an editor can take (at most " +
                                   std::to_string(limits.MaxElements) + " elements)");
    RCOMat m(rows, RCOVec(cols, Zero(h.Field)));
    EntryLines entries(lines, at + 1);
    if (h.Layout == MmLayout::Array)
        ReadArray(m, h, rows, cols, entries);
    else
        ReadCoordinate(m, h, rows, cols, count, entries);
    return m;
}

}  // namespace quorvix
