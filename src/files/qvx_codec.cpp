// The text project's bytes. What the decoder does not do: it never allocates
// for a count before the bytes left could hold that many items, never reads
// past the end, and accepts only canonical bytes: after reading, the project
// is written again and must give the very same bytes, so that any other
// spelling (a blank too many, "0.10" for "0.1", a complex part the values
// cannot hold) is refused as damaged rather than quietly changed.
#include "files/qvx_codec.h"

#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <tuple>
#include <utility>
#include <variant>

#include "files/x87_extended.h"

namespace quorvix {

namespace {

// ---- Writing -----------------------------------------------------------

void PutText(std::string& out, std::string_view text) {
    out += std::to_string(text.size());
    out += ':';
    out.append(text);
    out += '\n';
}

void PutDouble(std::string& out, double v) {
    char buf[32];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void PutScalar(std::string& out, const Scalar& v) {
    switch (v.Kind()) {
        case ScalarKind::Empty: out += 'E'; return;
        case ScalarKind::Integer: out += 'I' + std::to_string(v.IntegerValue()); return;
        case ScalarKind::Real:
            out += 'R';
            PutDouble(out, v.RealValue());
            return;
        case ScalarKind::Complex:
            out += 'C';
            PutDouble(out, v.ComplexValue().Real());
            out += ',';
            PutDouble(out, v.ComplexValue().Imaginary());
            return;
    }
}

void PutLines(std::string& out, const char* key, const std::vector<std::string>& lines) {
    out += key;
    out += ' ' + std::to_string(lines.size()) + '\n';
    for (const std::string& line : lines) PutText(out, line);
}

void PutMatrix(std::string& out, const RCOMat& m) {
    out += "matrix " + std::to_string(m.size()) + '\n';
    for (const RCOVec& row : m) {
        out += std::to_string(row.size());
        for (const Scalar& v : row) {
            out += ' ';
            PutScalar(out, v);
        }
        out += '\n';
    }
}

void PutVector(std::string& out, const char* key, const RCoVecD& v) {
    out += key;
    out += ' ' + std::to_string(v.size());
    for (const double d : v) {
        out += ' ';
        PutDouble(out, d);
    }
    out += '\n';
}

struct ValueWriter {
    std::string& out;
    void operator()(const MatrixResult& r) const { PutMatrix(out, r.Matrix); }
    void operator()(const ScalarResult& r) const {
        out += "scalar ";
        PutScalar(out, r.Value);
        out += '\n';
    }
    void operator()(const DimensionResult& r) const {
        out += "dimension " + std::to_string(r.Rows) + ' ' + std::to_string(r.Cols) + '\n';
    }
    void operator()(const FactorPairResult& r) const {
        out += std::string("factor-pair ") + r.FirstName + ' ' + r.SecondName + ' ' + std::to_string(r.Rows) + ' ' +
               std::to_string(r.Cols) + ' ' + (r.SecondRealOnly ? "1" : "0") + '\n';
        PutMatrix(out, r.First);
        PutMatrix(out, r.Second);
    }
    void operator()(const SvdResult& r) const {
        out += "svd " + std::to_string(r.Rows) + ' ' + std::to_string(r.Cols) + '\n';
        PutMatrix(out, r.U);
        PutMatrix(out, r.S);
        PutMatrix(out, r.V);
    }
    void operator()(const EigenResult& r) const {
        out += "eigen " + std::to_string(r.Order) + ' ' + std::to_string(r.Unreached) + '\n';
        PutVector(out, "re", r.Re);
        PutVector(out, "im", r.Im);
    }
    void operator()(const FactorListResult& r) const {
        out += "factors " + std::to_string(r.Factors.size()) + '\n';
        for (const NamedFactor& f : r.Factors) {
            out += "name ";
            PutText(out, f.Name);
            PutMatrix(out, f.Matrix);
        }
    }
};

std::string FactorHex(long double factor) {
    static const char* const kHex = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t b : EncodeExtended(factor)) {
        hex += kHex[b >> 4];
        hex += kHex[b & 0xF];
    }
    return hex;
}

// ---- Reading -----------------------------------------------------------

// Thrown inside the reader for bytes that are not a project.
struct Damaged {};

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Left() const { return bytes_.size() - pos_; }
    bool AtEnd() const { return pos_ == bytes_.size(); }

    void Expect(std::string_view literal) {
        if (bytes_.substr(pos_, literal.size()) != literal) throw Damaged{};
        pos_ += literal.size();
    }
    // "KEY " ... the word up to the next blank or line break.
    std::string_view Word() {
        const std::size_t begin = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != ' ' && bytes_[pos_] != '\n') ++pos_;
        if (pos_ == begin) throw Damaged{};
        return bytes_.substr(begin, pos_ - begin);
    }
    void Blank() { Expect(" "); }
    void LineEnd() { Expect("\n"); }

    template <typename Int>
    Int Integer() {
        const std::string_view w = Word();
        Int v{};
        const std::from_chars_result r = std::from_chars(w.data(), w.data() + w.size(), v);
        if (r.ec != std::errc() || r.ptr != w.data() + w.size()) throw Damaged{};
        return v;
    }
    // A count of items of at least `bytesEach` bytes that the bytes left can hold.
    std::size_t Count(std::size_t bytesEach) {
        const auto n = Integer<std::uint64_t>();
        if (n > Left() / bytesEach) throw Damaged{};
        return static_cast<std::size_t>(n);
    }
    double Double(std::string_view w) {
        double v = 0.0;
        const std::from_chars_result r = std::from_chars(w.data(), w.data() + w.size(), v);
        if (r.ec != std::errc() || r.ptr != w.data() + w.size()) throw Damaged{};
        return v;
    }
    // "LENGTH:BYTES\n".
    std::string Text() {
        const std::size_t begin = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] >= '0' && bytes_[pos_] <= '9') ++pos_;
        const std::string_view digits = bytes_.substr(begin, pos_ - begin);
        std::uint64_t n = 0;
        if (digits.empty() || digits.size() > 15 ||
            std::from_chars(digits.data(), digits.data() + digits.size(), n).ec != std::errc())
            throw Damaged{};
        Expect(":");
        if (n >= Left()) throw Damaged{};  // the text and its line break
        std::string text(bytes_.substr(pos_, static_cast<std::size_t>(n)));
        pos_ += static_cast<std::size_t>(n);
        LineEnd();
        return text;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

Scalar ReadScalar(Reader& in, std::string_view w) {
    if (w.empty()) throw Damaged{};
    const std::string_view rest = w.substr(1);
    auto integer = [&](auto v) {
        const std::from_chars_result r = std::from_chars(rest.data(), rest.data() + rest.size(), v);
        if (rest.empty() || r.ec != std::errc() || r.ptr != rest.data() + rest.size()) throw Damaged{};
        return v;
    };
    switch (w[0]) {
        case 'E':
            if (!rest.empty()) throw Damaged{};
            return Scalar();
        case 'I': return Scalar::Integer(integer(std::int32_t{}));
        case 'R': return Scalar::Real(in.Double(rest));
        case 'C': {
            const std::size_t comma = rest.find(',');
            if (comma == std::string_view::npos) throw Damaged{};
            return Scalar::Complex(in.Double(rest.substr(0, comma)), in.Double(rest.substr(comma + 1)));
        }
        default: throw Damaged{};
    }
}

RCOMat ReadMatrix(Reader& in) {
    in.Expect("matrix ");
    const std::size_t rows = in.Count(2);
    in.LineEnd();
    RCOMat m(rows);
    for (RCOVec& row : m) {
        const std::size_t n = in.Count(2);
        row.reserve(n);
        for (std::size_t j = 0; j < n; ++j) {
            in.Blank();
            row.push_back(ReadScalar(in, in.Word()));
        }
        in.LineEnd();
    }
    return m;
}

RCoVecD ReadVector(Reader& in, std::string_view key) {
    in.Expect(key);
    in.Blank();
    const std::size_t n = in.Count(2);
    RCoVecD v;
    v.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        in.Blank();
        v.push_back(in.Double(in.Word()));
    }
    in.LineEnd();
    return v;
}

// The factor names a pair of factors is printed with, as the literals the
// value keeps.
const char* PairName(std::string_view name) {
    for (const char* known : {"Q", "R", "L", "U", "D"})
        if (name == known) return known;
    throw Damaged{};
}

// Two integers with a blank between ("ROWS COLS"), then the line's end.
std::pair<std::int32_t, std::int32_t> ReadIntegerPair(Reader& in) {
    const auto first = in.Integer<std::int32_t>();
    in.Blank();
    const auto second = in.Integer<std::int32_t>();
    in.LineEnd();
    return {first, second};
}

// Every kind of value but a matrix (ReadKept reads that).
CommandResult ReadValue(Reader& in) {
    const std::string_view kind = in.Word();
    in.Blank();
    if (kind == "scalar") {
        ScalarResult r{ReadScalar(in, in.Word())};
        in.LineEnd();
        return r;
    }
    if (kind == "dimension") {
        DimensionResult r;
        std::tie(r.Rows, r.Cols) = ReadIntegerPair(in);
        return r;
    }
    if (kind == "factor-pair") {
        FactorPairResult r;
        r.FirstName = PairName(in.Word());
        in.Blank();
        r.SecondName = PairName(in.Word());
        in.Blank();
        r.Rows = in.Integer<std::int32_t>();
        in.Blank();
        r.Cols = in.Integer<std::int32_t>();
        in.Blank();
        const auto realOnly = in.Integer<int>();
        if (realOnly != 0 && realOnly != 1) throw Damaged{};
        r.SecondRealOnly = realOnly == 1;
        in.LineEnd();
        r.First = ReadMatrix(in);
        r.Second = ReadMatrix(in);
        return r;
    }
    if (kind == "svd") {
        SvdResult r;
        std::tie(r.Rows, r.Cols) = ReadIntegerPair(in);
        for (RCOMat* factor : {&r.U, &r.S, &r.V}) *factor = ReadMatrix(in);
        return r;
    }
    if (kind == "eigen") {
        EigenResult r;
        std::tie(r.Order, r.Unreached) = ReadIntegerPair(in);
        r.Re = ReadVector(in, "re");
        r.Im = ReadVector(in, "im");
        return r;
    }
    if (kind == "factors") {
        FactorListResult r;
        const std::size_t n = in.Count(8);
        in.LineEnd();
        for (std::size_t k = 0; k < n; ++k) {
            in.Expect("name ");
            NamedFactor f;
            f.Name = in.Text();
            f.Matrix = ReadMatrix(in);
            r.Factors.push_back(std::move(f));
        }
        return r;
    }
    throw Damaged{};
}

KeptResult ReadKept(Reader& in) {
    in.Expect("label ");
    KeptResult kept;
    kept.Label = in.Text();
    // A matrix result is told by its first word, which ReadMatrix reads.
    Reader probe = in;
    if (probe.Word() == "matrix") {
        kept.Value = MatrixResult{ReadMatrix(in)};
    } else {
        kept.Value = ReadValue(in);
    }
    return kept;
}

std::vector<std::string> ReadLines(Reader& in, std::string_view key) {
    in.Expect(key);
    in.Blank();
    const std::size_t n = in.Count(3);
    in.LineEnd();
    std::vector<std::string> lines;
    lines.reserve(n);
    for (std::size_t k = 0; k < n; ++k) lines.push_back(in.Text());
    return lines;
}

long double ReadFactor(Reader& in) {
    const std::string_view hex = in.Word();
    if (hex.size() != 2 * kExtendedBytes) throw Damaged{};
    std::uint8_t bytes[kExtendedBytes];
    for (int k = 0; k < kExtendedBytes; ++k) {
        unsigned v = 0;
        const char* p = hex.data() + 2 * k;
        const std::from_chars_result r = std::from_chars(p, p + 2, v, 16);
        if (r.ec != std::errc() || r.ptr != p + 2) throw Damaged{};
        bytes[k] = static_cast<std::uint8_t>(v);
    }
    const long double factor = DecodeExtended(bytes);
    // A factor is 10^p or 0 ("e"): finite and not negative.
    if (!(factor >= 0.0L) || factor > std::numeric_limits<long double>::max()) throw Damaged{};
    return factor;
}

QvxProject ReadProject(Reader& in) {
    QvxProject p;
    in.Expect("x ");
    p.X = in.Text();
    in.Expect("precision ");
    p.Precision = in.Text();
    in.Expect("factor ");
    p.Factor = ReadFactor(in);
    in.LineEnd();
    in.Expect("format ");
    const std::string_view format = in.Word();
    if (format != "rect" && format != "polar") throw Damaged{};
    p.Format = format == "polar" ? ComplexFormat::Polar : ComplexFormat::Rectangular;
    in.LineEnd();
    p.A = ReadLines(in, "a");
    p.B = ReadLines(in, "b");
    p.Panel = ReadLines(in, "panel");
    in.Expect("kept ");
    const std::size_t kept = in.Count(16);
    in.LineEnd();
    for (std::size_t k = 0; k < kept; ++k) p.Kept.push_back(ReadKept(in));
    in.Expect("end\n");
    if (!in.AtEnd()) throw Damaged{};
    return p;
}

}  // namespace

std::string EncodeQvx(const QvxProject& p) {
    std::string out;
    out += kQvxMagic;
    out += std::to_string(kQvxVersion) + '\n';
    out += "x ";
    PutText(out, p.X);
    out += "precision ";
    PutText(out, p.Precision);
    out += "factor " + FactorHex(p.Factor) + '\n';
    out += std::string("format ") + (p.Format == ComplexFormat::Polar ? "polar" : "rect") + '\n';
    PutLines(out, "a", p.A);
    PutLines(out, "b", p.B);
    PutLines(out, "panel", p.Panel);
    out += "kept " + std::to_string(p.Kept.size()) + '\n';
    for (const KeptResult& k : p.Kept) {
        out += "label ";
        PutText(out, k.Label);
        std::visit(ValueWriter{out}, k.Value);
    }
    out += "end\n";
    return out;
}

QvxDecoded DecodeQvx(std::string_view bytes) {
    QvxDecoded decoded;
    if (!bytes.starts_with(kQvxMagic)) return decoded;
    Reader in(bytes);
    try {
        in.Expect(kQvxMagic);
        const auto version = in.Integer<int>();
        if (version > kQvxVersion) {
            decoded.NewerVersion = version;
            return decoded;
        }
        if (version != kQvxVersion) return decoded;
        in.LineEnd();
        QvxProject project = ReadProject(in);
        if (EncodeQvx(project) != bytes) return decoded;
        decoded.Project = std::move(project);
    } catch (const Damaged&) {}
    return decoded;
}

QvxProject QvxFromState(const CalcState& s) {
    QvxProject p;
    p.A = s.MatrixA;
    p.B = s.MatrixB;
    p.X = s.X;
    p.Precision = s.Precision;
    p.Factor = s.Settings.RoundingFactor;
    p.Format = s.Settings.Format;
    p.Panel = s.Panel.Lines();
    p.Kept = s.Kept;
    return p;
}

void ApplyQvx(CalcState& s, QvxProject p) {
    s.MatrixA = std::move(p.A);
    s.MatrixB = std::move(p.B);
    s.X = std::move(p.X);
    s.Precision = std::move(p.Precision);
    s.Settings.RoundingFactor = p.Factor;
    s.Settings.Format = p.Format;
    s.Panel.MutableLines() = std::move(p.Panel);
    s.Kept = std::move(p.Kept);
}

}  // namespace quorvix
