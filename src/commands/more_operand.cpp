#include "commands/more_operand.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/cancel.h"
#include "textio/matrix_reader.h"
#include "textio/number_format.h"

namespace quorvix {

namespace {

// A zero of either sign as +0, so that no "-0" reaches the panel.
double Unsigned0(double v) { return v == 0 ? 0.0 : v; }

Scalar ResultElement(double v) { return Scalar::Real(Unsigned0(v)); }
Scalar ResultElement(const linalg::Complex& z) {
    if (z.imag() == 0) return Scalar::Real(Unsigned0(z.real()));
    return Scalar::Complex(Unsigned0(z.real()), z.imag());
}

template <typename T>
RCOMat ToRows(const linalg::Matrix<T>& m) {
    RCOMat rows;
    SizeMatrix(rows, m.Rows(), m.Cols());
    for (std::int32_t i = 0; i < m.Rows(); ++i) {
        CheckCancelled();
        RCOVec& row = rows[static_cast<std::size_t>(i)];
        for (std::int32_t j = 0; j < m.Cols(); ++j) row[static_cast<std::size_t>(j)] = ResultElement(m(i, j));
    }
    return rows;
}

}  // namespace

LinalgMatrix ReadLinalgOperand(const CalcState& state, Operand which, EditorSize size) {
    linalg::ComplexMatrix values(size.Rows, size.Cols);
    // Rows are read on several threads at once: each writes its own
    // elements, and any of them may raise the flag.
    std::atomic<bool> complex{false};
    ReadingEditor(which, [&] {
        ReadElements(EditorOf(state, which), size.Rows, size.Cols, state.Settings,
                     [&](std::int32_t i, std::int32_t j, const Scalar& v) {
                         const double im = ImagPart(v);
                         values(i, j) = linalg::Complex(RealPart(v), im);
                         if (im != 0) complex.store(true, std::memory_order_relaxed);
                     });
    });
    if (complex.load()) return values;
    linalg::RealMatrix real(size.Rows, size.Cols);
    for (std::size_t k = 0; k < real.Size(); ++k) real.Data()[k] = values.Data()[k].real();
    return real;
}

linalg::ComplexMatrix AsComplex(const LinalgMatrix& m) {
    return std::visit([](const auto& a) { return linalg::ToComplex(a); }, m);
}

bool IsComplexOperand(const LinalgMatrix& m) { return std::holds_alternative<linalg::ComplexMatrix>(m); }

RCOMat ToResultMatrix(const linalg::RealMatrix& m) { return ToRows(m); }
RCOMat ToResultMatrix(const linalg::ComplexMatrix& m) { return ToRows(m); }

RCOMat ToResultColumn(const std::vector<double>& values) {
    RCOMat column;
    column.reserve(values.size());
    for (double v : values) column.push_back(RCOVec{ResultElement(v)});
    return column;
}

void RefuseEmptyOperand(CalcState& state, std::string_view label) {
    Refuse(state, " Error: To Calculate " + std::string(label) + ", the Matrix is empty!");
}

std::string CheckLineText(double residual, char decimalMark) {
    OutputSettings exponentForm;
    exponentForm.RoundingFactor = 0.0L;
    exponentForm.DecimalMark = decimalMark;
    return "   check: " + FormatNumber(residual, exponentForm);
}

std::string ConditionText(double condition, char decimalMark) {
    // Two significant digits, the exponent with its sign and three digits at
    // least, as the exponent form writes it.
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.1E", condition);
    std::string text = buf;
    const std::size_t e = text.find('E');
    std::string exponent = text.substr(e + 2);
    if (exponent.size() < 3) exponent.insert(0, 3 - exponent.size(), '0');
    text = text.substr(0, e + 2) + exponent;
    if (const std::size_t dot = text.find('.'); dot != std::string::npos) text[dot] = decimalMark;
    return text;
}

void AppendCheckLine(CalcState& state, double residual) {
    state.Panel.AddLine(CheckLineText(residual, state.Settings.DecimalMark));
    state.Panel.AddLine("");
}

void AppendSingularNotice(CalcState& state, std::string_view operand, double rcond) {
    if (!(rcond < std::numeric_limits<double>::epsilon())) return;
    const std::string name(operand);
    const double condition = 1.0 / rcond;
    // A condition beyond the double's range says no more than "singular".
    if (rcond <= 0 || !std::isfinite(condition)) {
        AppendNotice(state, " Notice: " + name + " is singular; the result may be inaccurate.");
        return;
    }
    AppendNotice(state, " Notice: " + name + " is close to singular (condition " +
                            ConditionText(condition, state.Settings.DecimalMark) + "); the result may be inaccurate.");
}

}  // namespace quorvix
