// The result writer. What it does not do: it never reads outside the result
// matrices (an element a short matrix does not have prints as 0), and a
// block's rows are built whole before they reach the panel, so printing stays
// linear in the number of elements.
#include "textio/result_writer.h"

#include <string>

#include "textio/number_format.h"

namespace quorvix {

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
            AppendField(row, kind == Elements::ComplexAware ? ElementText(v, settings) : RealElementText(v, settings));
        }
        panel.AppendToLast(row);
        panel.AddLine("");
    }
}

void WriteFactor(ResultPanel& panel, const char* caption, const RCOMat& m, std::int32_t rows, std::int32_t cols,
                 Elements kind, const OutputSettings& settings) {
    panel.AddLine(caption);
    panel.AddLine("");
    WriteBlock(panel, m, rows, cols, kind, settings);
}

double EigenPart(const RCoVecD& v, std::int32_t k) {
    return k >= 0 && static_cast<std::size_t>(k) < v.size() ? v[static_cast<std::size_t>(k)] : 0.0;
}

void WriteEigenvalues(ResultPanel& panel, const ResultState& state, const OutputSettings& settings) {
    panel.AddLine("");
    for (std::int32_t k = 1; k <= state.ResultCols; ++k) {
        const double re = EigenPart(state.EigenRe, k);
        const double im = EigenPart(state.EigenIm, k);
        if (im == 0 && re == 0) continue;  // exactly 0 + 0i prints nothing
        std::string line = " ";
        AppendField(line, FormatNumber(re, settings));
        if (im != 0) {
            // Always "+": a negative imaginary part brings its own minus.
            line += '+';
            AppendField(line, FormatNumber(im, settings));
            line += 'i';
        }
        panel.AddLine(std::move(line));
    }
    panel.AddLine("");
}

}  // namespace

void WriteResult(ResultState& state, ResultPanel& panel, const OutputSettings& settings) {
    panel.AppendToLast("=");
    panel.AddLine("");
    const std::int32_t rows = state.ResultRows;
    const std::int32_t cols = state.ResultCols;
    switch (state.ResultKind) {
        case rkMatrix:
            WriteBlock(panel, state.ResultMatrix, rows, cols, Elements::ComplexAware, settings);
            return;
        case rkScalar: {
            std::string line = "   ";
            AppendField(line, ElementText(state.ResultScalar, settings));
            panel.AddLine(std::move(line));
            panel.AddLine("");
            break;
        }
        case rkDimension:
            panel.AddLine("       " + std::to_string(state.DimRows) + "*" + std::to_string(state.DimCols));
            panel.AddLine("");
            break;
        case rkQR:
            WriteFactor(panel, "   Q:", state.ResultFactor1, rows, rows, Elements::ComplexAware, settings);
            WriteFactor(panel, "   R:", state.ResultFactor2, rows, cols, Elements::RealOnly, settings);
            break;
        case rkLU:
            WriteFactor(panel, "   L:", state.ResultFactor1, rows, rows, Elements::ComplexAware, settings);
            WriteFactor(panel, "   U:", state.ResultFactor2, rows, cols, Elements::ComplexAware, settings);
            break;
        case rkLDL:
            WriteFactor(panel, "   L:", state.ResultFactor1, rows, rows, Elements::ComplexAware, settings);
            WriteFactor(panel, "   D:", state.ResultFactor2, rows, cols, Elements::ComplexAware, settings);
            break;
        case rkSVD:
            WriteFactor(panel, "   U:", state.ResultFactor1, rows, rows, Elements::RealOnly, settings);
            WriteFactor(panel, "   S:", state.WorkA, rows, cols, Elements::RealOnly, settings);
            WriteFactor(panel, "   V:", state.ResultFactor2, cols, cols, Elements::RealOnly, settings);
            break;
        case rkEigen:
            WriteEigenvalues(panel, state, settings);
            break;
        default:
            return;  // an unknown kind prints nothing below the label
    }
    state.ResultKind = rkMatrix;
}

}  // namespace quorvix
