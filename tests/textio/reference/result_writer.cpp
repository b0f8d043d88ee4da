// Reference copy (see textio_reference.h): the routine as it was before its
// fast path, kept unchanged but for the namespace.
// The result writer. What it does not do: it never reads outside the result
// matrices (an element a short matrix does not have prints as 0), and a
// block's rows are built whole before they reach the panel, so printing stays
// linear in the number of elements.
#include "textio/reference/textio_reference.h"

#include "textio/result_writer.h"

#include <string>

#include "textio/number_format.h"

namespace quorvix::reference {

namespace {

// "%10s": blanks on the left up to 10 characters; longer texts are not cut.
void AppendField(std::string& row, const std::string& text) {
    if (text.size() < 10) row.append(10 - text.size(), ' ');
    row += text;
}

const Scalar& ElementAt(const RCOMat& m, std::int32_t i, std::int32_t j) {
    static const Scalar kEmpty;
    if (i < 0 || j < 0) return kEmpty;
    const auto ui = static_cast<std::size_t>(i);
    const auto uj = static_cast<std::size_t>(j);
    if (ui >= m.size() || uj >= m[ui].size()) return kEmpty;
    return m[ui][uj];
}

enum class Elements { ComplexAware, RealOnly };

// Each row goes onto the panel's last line (the first one onto the empty line
// before the block), each element as " " and a 10-character field; an empty
// line follows every row.
void WriteBlock(ResultPanel& panel, const RCOMat& m, std::int32_t rows, std::int32_t cols, Elements kind,
                const OutputSettings& settings) {
    for (std::int32_t i = 0; i < rows; ++i) {
        std::string row;
        if (cols > 0) row.reserve(static_cast<std::size_t>(cols) * 11);
        for (std::int32_t j = 0; j < cols; ++j) {
            const Scalar& v = ElementAt(m, i, j);
            row += ' ';
            AppendField(row, kind == Elements::ComplexAware ? reference::ElementText(v, settings)
                                                            : reference::RealElementText(v, settings));
        }
        panel.AppendToLast(row);
        panel.AddLine("");
    }
}

// "   L:", an empty line, then the block.
void WriteFactor(ResultPanel& panel, const char* name, const RCOMat& m, std::int32_t rows, std::int32_t cols,
                 Elements kind, const OutputSettings& settings) {
    panel.AddLine(std::string("   ") + name + ":");
    panel.AddLine("");
    WriteBlock(panel, m, rows, cols, kind, settings);
}

double EigenPart(const RCoVecD& v, std::int32_t k) {
    return k >= 0 && static_cast<std::size_t>(k) < v.size() ? v[static_cast<std::size_t>(k)] : 0.0;
}

void WriteEigenvalues(ResultPanel& panel, const EigenResult& eigen, const OutputSettings& settings) {
    panel.AddLine("");
    // Every eigenvalue found prints, a zero one too ("         0"); the
    // positions the iteration did not reach print nothing.
    for (std::int32_t k = eigen.Unreached < 0 ? 1 : eigen.Unreached + 1; k <= eigen.Order; ++k) {
        const double re = EigenPart(eigen.Re, k);
        const double im = EigenPart(eigen.Im, k);
        std::string line = " ";
        AppendField(line, reference::FormatNumber(re, settings));
        if (im != 0) {
            // Always "+": a negative imaginary part brings its own minus.
            line += '+';
            AppendField(line, reference::FormatNumber(im, settings));
            line += 'i';
        }
        panel.AddLine(std::move(line));
    }
    panel.AddLine("");
}

std::int32_t RowsOf(const RCOMat& m) { return static_cast<std::int32_t>(m.size()); }
std::int32_t ColsOf(const RCOMat& m) { return m.empty() ? 0 : static_cast<std::int32_t>(m[0].size()); }

// Prints each shape of result; the label line has its "=" and an empty line by now.
struct Printer {
    ResultPanel& panel;
    const OutputSettings& settings;

    void operator()(const MatrixResult& r) const {
        WriteBlock(panel, r.Matrix, RowsOf(r.Matrix), ColsOf(r.Matrix), Elements::ComplexAware, settings);
    }
    void operator()(const ScalarResult& r) const {
        std::string line = "   ";
        AppendField(line, reference::ElementText(r.Value, settings));
        panel.AddLine(std::move(line));
        panel.AddLine("");
    }
    void operator()(const DimensionResult& r) const {
        panel.AddLine("       " + std::to_string(r.Rows) + "*" + std::to_string(r.Cols));
        panel.AddLine("");
    }
    void operator()(const FactorPairResult& r) const {
        WriteFactor(panel, r.FirstName, r.First, r.Rows, r.Rows, Elements::ComplexAware, settings);
        WriteFactor(panel, r.SecondName, r.Second, r.Rows, r.Cols,
                    r.SecondRealOnly ? Elements::RealOnly : Elements::ComplexAware, settings);
    }
    void operator()(const SvdResult& r) const {
        WriteFactor(panel, "U", r.U, r.Rows, r.Rows, Elements::RealOnly, settings);
        WriteFactor(panel, "S", r.S, r.Rows, r.Cols, Elements::RealOnly, settings);
        WriteFactor(panel, "V", r.V, r.Cols, r.Cols, Elements::RealOnly, settings);
    }
    void operator()(const EigenResult& r) const { WriteEigenvalues(panel, r, settings); }
    void operator()(const FactorListResult& r) const {
        for (const NamedFactor& f : r.Factors)
            WriteFactor(panel, f.Name.c_str(), f.Matrix, ResultRows(f.Matrix), ResultCols(f.Matrix),
                        Elements::ComplexAware, settings);
    }
};

}  // namespace

void WriteResult(const CommandResult& result, ResultPanel& panel, const OutputSettings& settings) {
    panel.AppendToLast("=");
    panel.AddLine("");
    std::visit(Printer{panel, settings}, result);
}

}  // namespace quorvix::reference
