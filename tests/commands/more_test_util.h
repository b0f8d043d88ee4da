#pragma once
// Shared pieces of the tests of the operations beyond the 43: editor text
// that reads back as given doubles, the kept result's matrices as complex
// long double matrices, and the tests' own products and norms (in long
// double, by the definition), so that a residual is judged without the
// library that made the answer.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "commands/calc_state.h"
#include "commands/operation_table.h"
#include "core/errors.h"
#include "textio/command_result.h"
#include "textio/editor_lines.h"

namespace quorvix::more_test {

using Wide = std::complex<long double>;
constexpr double kEps = std::numeric_limits<double>::epsilon();

// A dense matrix of complex long doubles, row-major.
struct Dense {
    std::int32_t Rows = 0;
    std::int32_t Cols = 0;
    std::vector<Wide> Data;

    Dense() = default;
    Dense(std::int32_t rows, std::int32_t cols)
        : Rows(rows), Cols(cols), Data(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols)) {}
    Wide& operator()(std::int32_t i, std::int32_t j) { return Data[static_cast<std::size_t>(i * Cols + j)]; }
    const Wide& operator()(std::int32_t i, std::int32_t j) const {
        return Data[static_cast<std::size_t>(i * Cols + j)];
    }
    static Dense Identity(std::int32_t n) {
        Dense d(n, n);
        for (std::int32_t k = 0; k < n; ++k) d(k, k) = 1;
        return d;
    }
};

inline Dense FromRows(std::initializer_list<std::initializer_list<Wide>> rows) {
    Dense d(static_cast<std::int32_t>(rows.size()), rows.size() ? static_cast<std::int32_t>(rows.begin()->size()) : 0);
    std::int32_t i = 0;
    for (const auto& row : rows) {
        std::int32_t j = 0;
        for (const Wide& v : row) d(i, j++) = v;
        ++i;
    }
    return d;
}

inline Dense Product(const Dense& a, const Dense& b) {
    Dense c(a.Rows, b.Cols);
    for (std::int32_t i = 0; i < a.Rows; ++i)
        for (std::int32_t k = 0; k < a.Cols; ++k) {
            const Wide aik = a(i, k);
            for (std::int32_t j = 0; j < b.Cols; ++j) c(i, j) += aik * b(k, j);
        }
    return c;
}

inline Dense Minus(const Dense& a, const Dense& b) {
    Dense c = a;
    for (std::size_t k = 0; k < c.Data.size(); ++k) c.Data[k] -= b.Data[k];
    return c;
}

inline Dense Adjoint(const Dense& a) {
    Dense t(a.Cols, a.Rows);
    for (std::int32_t i = 0; i < a.Rows; ++i)
        for (std::int32_t j = 0; j < a.Cols; ++j) t(j, i) = std::conj(a(i, j));
    return t;
}

inline long double Frobenius(const Dense& a) {
    long double sum = 0;
    for (const Wide& v : a.Data) sum += std::norm(v);
    return std::sqrt(sum);
}

// ‖got − want‖_F / ‖want‖_F (‖got − want‖_F when want is 0).
inline double RelativeDifference(const Dense& got, const Dense& want) {
    if (got.Rows != want.Rows || got.Cols != want.Cols) return std::numeric_limits<double>::infinity();
    const long double size = Frobenius(want);
    const long double diff = Frobenius(Minus(got, want));
    return static_cast<double>(size > 0 ? diff / size : diff);
}

// Standard normal entries; complex ones get both parts.
inline Dense Random(std::int32_t rows, std::int32_t cols, bool complex, std::mt19937_64& rng) {
    std::normal_distribution<double> g;
    Dense d(rows, cols);
    for (Wide& v : d.Data) {
        const double re = g(rng);
        v = Wide(re, complex ? g(rng) : 0.0);
    }
    return d;
}

// The seed of a random test: QUORVIX_SEED when set, else `fallback`; printed.
inline std::uint64_t Seed(std::uint64_t salt, std::uint64_t fallback = 20261209) {
    std::uint64_t base = fallback;
    if (const char* s = std::getenv("QUORVIX_SEED"); s != nullptr && *s != '\0') base = std::strtoull(s, nullptr, 10);
    std::cout << "[ seed     ] QUORVIX_SEED=" << base << " (stream " << salt << ")\n";
    return base * 1000003u + salt;
}

// The shortest text "%.17g" of each part, in the editors' syntax: "2.5",
// "-1.25e-07", "0.5+2i", "3-0.25i", "2i". Every value whose parts exceed
// 1e-12 (or are 0) reads back as the same doubles.
inline std::string PartText(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}
inline std::string ElementText(const Wide& v) {
    const double re = static_cast<double>(v.real()), im = static_cast<double>(v.imag());
    if (im == 0) return PartText(re);
    std::string imag = PartText(im) + "i";
    if (re == 0) return imag;
    return PartText(re) + (im < 0 ? "" : "+") + imag;
}
inline std::string EditorText(const Dense& d) {
    std::string text;
    for (std::int32_t i = 0; i < d.Rows; ++i) {
        if (i > 0) text += '\n';
        for (std::int32_t j = 0; j < d.Cols; ++j) {
            if (j > 0) text += ' ';
            text += ElementText(d(i, j));
        }
    }
    return text;
}

// The doubles an editor of this matrix holds (as the reader stores them).
inline Dense AsRead(const Dense& d) {
    Dense r = d;
    for (Wide& v : r.Data) {
        const double re = static_cast<double>(v.real()), im = static_cast<double>(v.imag());
        v = Wide(re, im);
    }
    return r;
}

inline Dense FromResult(const RCOMat& m) {
    Dense d(ResultRows(m), ResultCols(m));
    for (std::int32_t i = 0; i < d.Rows; ++i)
        for (std::int32_t j = 0; j < d.Cols; ++j) {
            const Scalar& v = ElementOrEmpty(m, i, j);
            d(i, j) = Wide(RealPart(v), ImagPart(v));
        }
    return d;
}

// A state whose editors hold these matrices.
inline CalcState StateOf(const Dense& a, const Dense& b = Dense()) {
    CalcState s = StartState('.');
    s.MatrixA = SplitEditorText(EditorText(a));
    s.MatrixB = SplitEditorText(EditorText(b));
    return s;
}

// Runs the operation with this step word, as the window and quorvix-cli do.
inline void Press(CalcState& s, const char* step) {
    const Operation* op = FindOperationByStep(step);
    ASSERT_NE(op, nullptr) << step;
    op->Run(s, *op);
}

// The newest kept result's factor `name` ("" for a plain matrix result).
inline Dense Kept(const CalcState& s, const std::string& name = "") {
    EXPECT_FALSE(s.Kept.empty());
    if (s.Kept.empty()) return Dense();
    const CommandResult& r = s.Kept.back().Value;
    if (name.empty()) {
        if (const auto* m = std::get_if<MatrixResult>(&r)) return FromResult(m->Matrix);
        if (const auto* v = std::get_if<ScalarResult>(&r)) return FromResult(RCOMat{RCOVec{v->Value}});
    }
    if (const auto* list = std::get_if<FactorListResult>(&r))
        for (const NamedFactor& f : list->Factors)
            if (f.Name == name) return FromResult(f.Matrix);
    ADD_FAILURE() << "no kept factor '" << name << "'";
    return Dense();
}

// The panel's lines from the first one that starts with `prefix`, or "".
inline std::string LineStartingWith(const CalcState& s, const std::string& prefix) {
    for (const std::string& line : s.Panel.Lines())
        if (line.rfind(prefix, 0) == 0) return line;
    return "";
}

// The number on the panel's "   check:" line (-1 when there is none).
inline double CheckValue(const CalcState& s) {
    const std::string line = LineStartingWith(s, "   check: ");
    if (line.empty()) return -1;
    return std::strtod(line.c_str() + 10, nullptr);
}

inline bool AllReal(const Dense& d) {
    for (const Wide& v : d.Data)
        if (v.imag() != 0) return false;
    return true;
}

}  // namespace quorvix::more_test
