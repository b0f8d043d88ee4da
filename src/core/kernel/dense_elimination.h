#pragma once
// Gaussian elimination on a typed dense copy of a Scalar matrix: the shared
// engine of MatLUDecompose, MatDeterminant, MatRank and MatLU. Not part of
// the library's interface.
//
// The copy keeps the element kind of the whole matrix (complex, complex with
// every imaginary part 0, or real) and every operation of an elimination step
// is the Scalar operation of that kind, rounded and flushed the same way. The
// rows below the pivot are updated on all threads when a bound shows that
// no result of the step can overflow: the largest magnitude |re| + |im| of
// what the step reads, times the largest multiplier. Otherwise the step is
// done row after row, element after element, with every store checked, so
// that an error stops it at the same element, and leaves the same state, as
// the element-by-element routine. Each updated row reports where its largest
// magnitude lies, which is the next step's pivot search.
#include <cstdint>
#include <type_traits>
#include <vector>

#include "core/kernel/kernel_rows.h"
#include "core/matrice2.h"

namespace quorvix::kernel {

// The mode for the rows x cols part of `a` (with upperTriangle, only its
// diagonal and the elements right of it), or false when those elements are
// of mixed kinds (or hold an infinity or nan): those take the Scalar routine.
bool ChooseMode(const RCOMat& a, std::int32_t rows, std::int32_t cols, Mode& mode, bool upperTriangle = false);

struct PivotChoice {
    double magnitude = 0.0;  // |re| + |im| of the pivot (0 when every candidate is 0)
    std::int32_t row = 0, col = 0;
};

class DenseElimination {
public:
    DenseElimination(const RCOMat& a, std::int32_t rows, std::int32_t cols, Mode mode);

    Mode GetMode() const { return mode_; }
    double* Re(std::int32_t i) { return re_[static_cast<std::size_t>(i)]; }
    double* Im(std::int32_t i) { return im_[static_cast<std::size_t>(i)]; }
    const double* Re(std::int32_t i) const { return re_[static_cast<std::size_t>(i)]; }
    const double* Im(std::int32_t i) const { return im_[static_cast<std::size_t>(i)]; }
    // The element as the Scalar the routine would hold.
    Scalar At(std::int32_t i, std::int32_t j) const;
    // Scalar equality with the integer 0.
    bool IsZero(std::int32_t i, std::int32_t j) const;
    // Writes every element back into `a` (rows x cols), as Scalars of the mode's kind.
    void WriteBack(RCOMat& a) const;
    // Runs `work` (steps on this copy) and then writes the copy back into
    // `a`, also when `work` raises: `a` is left as the element-by-element
    // steps leave it. Returns what `work` returns.
    template <typename Work>
    auto WorkThenWriteBack(RCOMat& a, Work&& work) -> decltype(work()) {
        if constexpr (std::is_void_v<decltype(work())>) {
            try {
                work();
            } catch (...) {
                WriteBack(a);
                throw;
            }
            WriteBack(a);
        } else {
            decltype(work()) result{};
            try {
                result = work();
            } catch (...) {
                WriteBack(a);
                throw;
            }
            WriteBack(a);
            return result;
        }
    }

    // The first element of largest magnitude in rows first.., columns first..,
    // row-major: a full search, or (Searched() after an elimination step) the
    // one the step's rows reported.
    PivotChoice Search(std::int32_t first) const;

    // Whole rows (all columns) exchanged; or columns from..cols-1 of two rows.
    void SwapRows(std::int32_t r1, std::int32_t r2);
    void SwapRowParts(std::int32_t r1, std::int32_t r2, std::int32_t from);
    // Columns c1 and c2 exchanged in rows fromRow..toRow-1.
    void SwapColumns(std::int32_t c1, std::int32_t c2, std::int32_t fromRow, std::int32_t toRow);

    // One elimination step at pivot (k, k) on rows k+1..rows-1:
    //   f := a[i][k] / a[k][k];
    //   a[i][j] := a[i][j] - f * a[k][j] for j = k+1..cols-1;
    //   with `multipliers`, also a[i][m] := a[i][m] - f * a[k][m] for m = 0..k-1
    //   and then a[i][k] := -f (the packed factors of MatLUDecompose).
    // A complex pivot of squared modulus at most 1e-12 raises "Division by
    // zero" before any row changes, as the first division would.
    void Eliminate(std::int32_t k, bool multipliers);

    // Doolittle's step at (k, k): a[i][k] := a[i][k] / a[k][k] for every row
    // below, in order, each division checked; then a[i][j] := a[i][j] -
    // a[i][k] * a[k][j] for j = k+1..cols-1.
    void EliminateWithStoredQuotients(std::int32_t k);

private:
    void StepRows(std::int32_t k, bool multipliers, bool storedQuotient, bool checked, std::int32_t first,
                  std::int32_t last);
    void Quotient(std::int32_t i, std::int32_t k, double& fr, double& fi) const;
    void ReportRow(std::int32_t i, std::int32_t k, bool multipliers);
    void CheckedRowOp(double fr, double fi, const double* br, const double* bi, double* cr, double* ci,
                      std::int32_t count) const;

    std::int32_t rows_, cols_;
    Mode mode_;
    std::vector<double> storeRe_, storeIm_;
    std::vector<double*> re_, im_;      // row starts, exchanged by SwapRows
    std::vector<std::int32_t> origin_;  // the row of `a` each row started as
    // What each row reported after the last step: its largest magnitude from
    // column k+1 on and where it first occurs, and its largest magnitude in
    // columns 0..k (the multipliers' part).
    std::vector<double> rowMax_, rowLeftMax_;
    std::vector<std::int32_t> rowArg_;
    std::int32_t searchedFrom_ = -1;  // rows (and columns) the reports cover, -1 for none
};

}  // namespace quorvix::kernel
