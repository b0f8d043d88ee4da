// The result writer. What it does not do: it never reads outside the result
// matrices (an element a short matrix does not have prints as 0), and a
// block's rows are built whole before they reach the panel, so printing stays
// linear in the number of elements.
#include "textio/result_writer.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "core/cancel.h"
#include "core/kernel/parallel.h"
#include "textio/number_format.h"

namespace quorvix {

namespace {

enum class Elements { ComplexAware, RealOnly };

// Elements printed between two looks at the cancel flag.
constexpr std::int64_t kElementsPerCancelCheck = 4096;
// The work of printing one element, in the thread pool's units (about a
// nanosecond).
constexpr std::int64_t kWorkPerElement = 50;

// Each row goes onto the panel's last line (the first one onto the empty line
// before the block), each element as " " and a 10-character field; an empty
// line follows every row.
//
// The rows' texts are made on all threads, then put on the panel in order.
// An element that cannot be printed (a value the rounding cannot hold, a
// cancel) stops the block as printing row after row would: the rows before
// its row are on the panel, and its error is the one raised (the first in
// row-major order when several rows fail).
void WriteBlock(ResultPanel& panel, const RCOMat& m, std::int32_t rows, std::int32_t cols, Elements kind,
                const ElementPrinter& printer) {
    if (rows <= 0) return;
    const bool realOnly = kind == Elements::RealOnly;
    std::vector<std::string> texts(static_cast<std::size_t>(rows));
    std::vector<char> made(static_cast<std::size_t>(rows), 0);
    std::exception_ptr error;
    try {
        parallel::ParallelFor(rows, std::max<std::int64_t>(cols, 1) * kWorkPerElement,
                              [&](std::int64_t begin, std::int64_t end) {
                                  std::int64_t untilCheck = 1;  // a look at the start of each range
                                  for (std::int64_t r = begin; r < end; ++r) {
                                      const auto i = static_cast<std::int32_t>(r);
                                      std::string& row = texts[static_cast<std::size_t>(r)];
                                      if (cols > 0) row.reserve(static_cast<std::size_t>(cols) * 11);
                                      for (std::int32_t j = 0; j < cols; ++j) {
                                          if (--untilCheck == 0) {
                                              untilCheck = kElementsPerCancelCheck;
                                              CheckCancelled();
                                          }
                                          printer.AppendBlockField(row, ElementOrEmpty(m, i, j), realOnly);
                                      }
                                      made[static_cast<std::size_t>(r)] = 1;
                                  }
                              });
    } catch (...) {
        error = std::current_exception();
    }
    // Every row before the first that failed has been made.
    for (std::size_t i = 0; i < texts.size() && made[i]; ++i) {
        panel.AppendToLast(std::move(texts[i]));
        panel.AddLine("");
    }
    if (error) std::rethrow_exception(error);
}

// "   L:", an empty line, then the block.
void WriteFactor(ResultPanel& panel, const char* name, const RCOMat& m, std::int32_t rows, std::int32_t cols,
                 Elements kind, const ElementPrinter& printer) {
    panel.AddLine(std::string("   ") + name + ":");
    panel.AddLine("");
    WriteBlock(panel, m, rows, cols, kind, printer);
}

void WriteEigenvalues(ResultPanel& panel, const EigenResult& eigen, const ElementPrinter& printer) {
    panel.AddLine("");
    // Every eigenvalue found prints, a zero one too ("         0"); the
    // positions the iteration did not reach print nothing.
    for (std::int32_t k = FirstShownEigenvalue(eigen); k <= eigen.Order; ++k) {
        if (k % kElementsPerCancelCheck == 0) CheckCancelled();
        const double re = EigenPart(eigen.Re, k);
        const double im = EigenPart(eigen.Im, k);
        std::string line = " ";
        printer.AppendNumberField(line, re);
        if (im != 0) {
            // Always "+": a negative imaginary part brings its own minus.
            line += '+';
            printer.AppendNumberField(line, im);
            line += 'i';
        }
        panel.AddLine(std::move(line));
    }
    panel.AddLine("");
}

// Prints each shape of result; the label line has its "=" and an empty line by now.
struct Printer {
    ResultPanel& panel;
    const ElementPrinter& printer;

    void operator()(const MatrixResult& r) const {
        WriteBlock(panel, r.Matrix, ResultRows(r.Matrix), ResultCols(r.Matrix), Elements::ComplexAware, printer);
    }
    void operator()(const ScalarResult& r) const {
        std::string line = "   ";
        printer.AppendField(line, r.Value, false);
        panel.AddLine(std::move(line));
        panel.AddLine("");
    }
    void operator()(const DimensionResult& r) const {
        panel.AddLine("       " + std::to_string(r.Rows) + "*" + std::to_string(r.Cols));
        panel.AddLine("");
    }
    void operator()(const FactorPairResult& r) const {
        WriteFactor(panel, r.FirstName, r.First, r.Rows, r.Rows, Elements::ComplexAware, printer);
        WriteFactor(panel, r.SecondName, r.Second, r.Rows, r.Cols,
                    r.SecondRealOnly ? Elements::RealOnly : Elements::ComplexAware, printer);
    }
    void operator()(const SvdResult& r) const {
        WriteFactor(panel, "U", r.U, r.Rows, r.Rows, Elements::RealOnly, printer);
        WriteFactor(panel, "S", r.S, r.Rows, r.Cols, Elements::RealOnly, printer);
        WriteFactor(panel, "V", r.V, r.Cols, r.Cols, Elements::RealOnly, printer);
    }
    void operator()(const EigenResult& r) const { WriteEigenvalues(panel, r, printer); }
    void operator()(const FactorListResult& r) const {
        for (const NamedFactor& f : r.Factors)
            WriteFactor(panel, f.Name.c_str(), f.Matrix, ResultRows(f.Matrix), ResultCols(f.Matrix),
                        Elements::ComplexAware, printer);
    }
};

}  // namespace

void WriteResult(const CommandResult& result, ResultPanel& panel, const OutputSettings& settings) {
    panel.AppendToLast("=");
    panel.AddLine("");
    const ElementPrinter printer(settings);
    std::visit(Printer{panel, printer}, result);
}

}  // namespace quorvix
