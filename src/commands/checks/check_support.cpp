#include "commands/checks/check_support.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <system_error>

#include "linalg/norms.h"
#include "textio/matrix_reader.h"

namespace quorvix::checks {

namespace {

// "2E-12" as "2E-012": the exponent in three digits, as the panel's
// exponent form writes it.
std::string ThreeDigitExponent(std::string text) {
    const std::size_t e = text.find('E');
    if (e == std::string::npos || e + 2 > text.size()) return text;
    std::string digits = text.substr(e + 2);
    while (digits.size() < 3) digits.insert(0, "0");
    return text.substr(0, e + 2) + digits;
}

bool IsSeparatorByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

std::int32_t EditorRows(const CalcState& s, Operand which) { return CountRows(EditorOf(s, which)); }
std::int32_t EditorCols(const CalcState& s, Operand which) { return CountColumns(EditorOf(s, which)).Columns; }

// The editor's text when every token is a plain decimal number ("-1.25",
// "3e-7", with the locale's mark): read to the nearest double with
// from_chars, a part of magnitude at most 1e-12 stored as 0 as the editors'
// reading stores it. Nothing when a token is anything else (complex, polar,
// quoted, a name): the general reader then reads it as the command did. The
// value may differ from the command's reading in its last bit (that goes
// through the 64-bit significand), far inside what the checks allow.
std::optional<RealMatrix> ReadPlainNumbers(const EditorLines& editor, std::int32_t rows, std::int32_t cols, char mark) {
    RealMatrix m(rows, cols);
    std::int32_t i = 0;
    std::string token;
    for (const std::string& line : editor) {
        if (i >= rows) break;
        if (IsBlankLine(line)) continue;
        std::int32_t j = 0;
        std::size_t at = 0;
        while (at < line.size() && j < cols) {
            while (at < line.size() && IsSeparatorByte(line[at])) ++at;
            if (at >= line.size()) break;
            const std::size_t begin = at;
            while (at < line.size() && !IsSeparatorByte(line[at])) ++at;
            token.assign(line, begin, at - begin);
            for (char& c : token) {
                if (c == mark) {
                    c = '.';
                } else if (c == '.' && mark != '.') {
                    return std::nullopt;
                } else if (!((c >= '0' && c <= '9') || c == 'e' || c == 'E' || c == '-' || c == '+')) {
                    return std::nullopt;
                }
            }
            const char* first = token.data();
            if (*first == '+') ++first;
            double v = 0;
            const auto [end, ec] = std::from_chars(first, token.data() + token.size(), v);
            if (ec != std::errc() || end != token.data() + token.size() || !std::isfinite(v)) return std::nullopt;
            m(i, j++) = FlushToZero(v);
        }
        ++i;
    }
    return m;
}

}  // namespace

Operand OperandOf(const Operation& op) {
    const std::string_view step = op.Step;
    return step.find("(B)") != std::string_view::npos || step.rfind("B^", 0) == 0 ? Operand::B : Operand::A;
}

namespace {

// The operand at the editor's measure: plain numbers straight from their
// digits, anything else by `read` (the general or the real-only reader) as
// the command read it.
template <typename Read>
Operand2 ReadOperand(const CalcState& s, Operand which, Read read) {
    const std::int32_t rows = EditorRows(s, which), cols = EditorCols(s, which);
    if (std::optional<RealMatrix> plain = ReadPlainNumbers(EditorOf(s, which), rows, cols, s.Settings.DecimalMark))
        return std::move(*plain);
    RCOMat m;
    SizeMatrix(m, rows, cols);
    read(EditorOf(s, which), rows, cols, m);
    for (const RCOVec& row : m)
        for (const Scalar& v : row)
            if (ImagPart(v) != 0.0) return FromResult<Complex>(m, rows, cols);
    return FromResult<double>(m, rows, cols);
}

}  // namespace

Operand2 ReadChecked(const CalcState& s, Operand which) {
    return ReadOperand(s, which, [&s](const EditorLines& text, std::int32_t rows, std::int32_t cols, RCOMat& m) {
        ReadMatrix(text, rows, cols, m, s.Settings);
    });
}

RealOperand ReadCheckedReal(const CalcState& s, const Operation& op) {
    const Operand which = OperandOf(op);
    // The real-only reader gives no imaginary part.
    return {which, std::get<RealMatrix>(ReadOperand(
                       s, which, [&s](const EditorLines& text, std::int32_t rows, std::int32_t cols, RCOMat& m) {
                           ReadRealMatrix(text, rows, cols, m, s.Settings.DecimalMark);
                       }))};
}

namespace {

// A Scalar's parts by its kind, inline: the conversions of whole results
// are a large part of a check's cost.
double RealOf(const Scalar& v) {
    switch (v.Kind()) {
        case ScalarKind::Integer: return v.IntegerValue();
        case ScalarKind::Real: return v.RealValue();
        case ScalarKind::Complex: return v.ComplexValue().Real();
        case ScalarKind::Empty: break;
    }
    return 0.0;
}
double ImagOf(const Scalar& v) { return v.Kind() == ScalarKind::Complex ? v.ComplexValue().Imaginary() : 0.0; }

}  // namespace

template <typename T>
Matrix<T> FromResult(const RCOMat& m, std::int32_t rows, std::int32_t cols) {
    Matrix<T> out(rows, cols);
    for (std::int32_t i = 0; i < rows; ++i) {
        const RCOVec* row = static_cast<std::size_t>(i) < m.size() ? &m[static_cast<std::size_t>(i)] : nullptr;
        const std::int32_t have = row == nullptr ? 0 : std::min(cols, static_cast<std::int32_t>(row->size()));
        for (std::int32_t j = 0; j < have; ++j) {
            const Scalar& v = (*row)[static_cast<std::size_t>(j)];
            if constexpr (std::is_same_v<T, Complex>)
                out(i, j) = Complex(RealOf(v), ImagOf(v));
            else
                out(i, j) = RealOf(v);
        }
    }
    return out;
}
template RealMatrix FromResult(const RCOMat&, std::int32_t, std::int32_t);
template ComplexMatrix FromResult(const RCOMat&, std::int32_t, std::int32_t);

template <typename T>
Matrix<T> Transposed(const Matrix<T>& a) {
    Matrix<T> t(a.Cols(), a.Rows());
    for (std::int32_t j = 0; j < a.Cols(); ++j)
        for (std::int32_t i = 0; i < a.Rows(); ++i) t(j, i) = a(i, j);
    return t;
}
template RealMatrix Transposed(const RealMatrix&);
template ComplexMatrix Transposed(const ComplexMatrix&);

Complex ScalarValue(const Scalar& v) { return {RealPart(v), ImagPart(v)}; }

template <typename T>
long double DifferenceNorm(const Matrix<T>& a, const Matrix<T>& b) {
    long double sum = 0;
    for (std::size_t k = 0; k < a.Size(); ++k) {
        const long double d = linalg::ModulusExtended(a.Data()[k] - b.Data()[k]);
        sum += d * d;
    }
    return std::sqrt(sum);
}
template long double DifferenceNorm(const RealMatrix&, const RealMatrix&);
template long double DifferenceNorm(const ComplexMatrix&, const ComplexMatrix&);

template <typename T>
Place LargestDifference(const Matrix<T>& a, const Matrix<T>& b) {
    Place at;
    long double largest = -1;
    for (std::int32_t j = 0; j < a.Cols(); ++j)
        for (std::int32_t i = 0; i < a.Rows(); ++i) {
            const long double d = linalg::ModulusExtended(a(i, j) - b(i, j));
            if (d > largest) {
                largest = d;
                at = {i, j};
            }
        }
    return at;
}
template Place LargestDifference(const RealMatrix&, const RealMatrix&);
template Place LargestDifference(const ComplexMatrix&, const ComplexMatrix&);

namespace {

std::string NumberWithDigits(double v, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*G", digits, v == 0.0 ? 0.0 : v);
    return ThreeDigitExponent(text);
}

std::string ComplexWithDigits(Complex z, int digits) {
    if (z.imag() == 0.0) return NumberWithDigits(z.real(), digits);
    std::string im = NumberWithDigits(std::fabs(z.imag()), digits) + "i";
    if (z.real() == 0.0) return (z.imag() < 0 ? "-" : "") + im;
    return NumberWithDigits(z.real(), digits) + (z.imag() < 0 ? "-" : "+") + im;
}

}  // namespace

std::string CheckNumber(double v) { return NumberWithDigits(v, 8); }

std::string CheckNumber(Complex z) { return ComplexWithDigits(z, 8); }

std::string CheckNumberBeside(Complex exact, Complex shown) {
    for (int digits = 8; digits < 17; ++digits)
        if (ComplexWithDigits(exact, digits) != ComplexWithDigits(shown, digits))
            return ComplexWithDigits(exact, digits);
    return ComplexWithDigits(exact, 17);
}

std::string CheckCondition(double cond) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1E", cond);
    return ThreeDigitExponent(text);
}

std::string ElementPlace(Place p) { return "(" + std::to_string(p.Row + 1) + "," + std::to_string(p.Col + 1) + ")"; }

std::string CheckLine(const std::string& what, std::optional<double> condition, const char* rule,
                      const std::string& advice) {
    std::string line = " Check: a double-precision computation gives " + what;
    if (condition && std::isfinite(*condition)) line += " (condition " + CheckCondition(*condition) + ")";
    return line + "; " + rule + "; " + advice + ".";
}

std::string WithOperand(const char* text, Operand which) {
    std::string out = text;
    const std::size_t at = out.find("(A)");
    if (at != std::string::npos && which == Operand::B) out[at + 1] = 'B';
    return out;
}

}  // namespace quorvix::checks
