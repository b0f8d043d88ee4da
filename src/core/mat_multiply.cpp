// The matrix product C := A*B, accumulated in Scalar arithmetic from the
// integer 0 in increasing k.
// Does not reorder the sums: each element is one plain accumulation in
// increasing k, so a real result stays real and every element gets exactly
// the roundings of the element-by-element product. Rows are computed in
// blocks on all threads; blocking the columns and the k range, and working
// real elements four at a time in AVX2 (kernel_simd.h), only change which
// element is worked on when, never an element's own operations.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "core/cancel.h"
#include "core/kernel/dispatch.h"
#include "core/kernel/fault_scope.h"
#include "core/kernel/kernel_rows.h"
#include "core/kernel/kernel_simd.h"
#include "core/kernel/kernel_support.h"
#include "core/kernel/parallel.h"
#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix {
namespace {

using kernel::DenseMatrix;

// Rows, columns and k range of one block: the accumulators of a block of
// rows stay in the first-level cache, the block of B they meet in the second.
constexpr std::int32_t kRowBlock = 16;
constexpr std::int32_t kColBlock = kernel::kRowPiece;
constexpr std::int32_t kInnerBlock = 128;

// One row of C by the Scalar arithmetic itself: the reference for every
// element, and the path that raises a fault at the element where it happens.
void ScalarRow(const RCOMat& a, const RCOMat& b, std::int32_t i, std::int32_t inner, std::int32_t cols, RCOVec& acc) {
    const Scalar zero = Scalar::Integer(0);
    for (std::int32_t j = 0; j < cols; ++j) acc[j] = zero;
    const RCOVec& rowA = a[i];
    for (std::int32_t k = 0; k < inner; ++k) {
        if (k % 64 == 0) CheckCancelled();
        const Scalar& aik = rowA[k];
        const RCOVec& rowB = b[k];
        for (std::int32_t j = 0; j < cols; ++j) acc[j] += aik * rowB[j];
    }
}

using kernel::Mode;

// Rows [first, last) of the product of dense operands, into `product`.
// Returns false when a fault flag was raised (the rows are then not final).
// simdRows[i]: when set, row i of A runs in AVX2 (kernel::SimdStep holds
// for all its elements) with that flush, its accumulators in registers over
// a block of k.
bool DenseRows(const DenseMatrix& a, const DenseMatrix& b, Mode mode, double bMin,
               const std::vector<std::optional<kernel::simd::Flush>>& simdRows, std::int32_t first, std::int32_t last,
               RCOMat& product) {
    const bool complex = mode == Mode::Complex;
    const std::int32_t inner = a.cols, cols = b.cols;
    const std::size_t width = static_cast<std::size_t>(cols);
    std::vector<double> cr(static_cast<std::size_t>(kRowBlock) * width), ci(complex ? cr.size() : 0);
    FaultScope faults;
    for (std::int32_t i0 = first; i0 < last; i0 += kRowBlock) {
        CheckCancelled(i0, a.rows);
        const std::int32_t i1 = std::min(last, i0 + kRowBlock);
        std::fill(cr.begin(), cr.end(), 0.0);
        std::fill(ci.begin(), ci.end(), 0.0);
        for (std::int32_t j0 = 0; j0 < cols; j0 += kColBlock) {
            const std::int32_t jn = std::min(cols - j0, kColBlock);
            for (std::int32_t k0 = 0; k0 < inner; k0 += kInnerBlock) {
                CheckCancelled();
                const std::int32_t k1 = std::min(inner, k0 + kInnerBlock);
                for (std::int32_t i = i0; i < i1; ++i) {
                    double* accR = cr.data() + static_cast<std::size_t>(i - i0) * width + j0;
                    double* accI = complex ? ci.data() + static_cast<std::size_t>(i - i0) * width + j0 : nullptr;
                    if (const auto flush = simdRows[static_cast<std::size_t>(i)]) {
                        kernel::simd::RealRows(false, *flush, a.Re(i) + k0, b.Re(k0) + j0, width, accR, k1 - k0, jn);
                        continue;
                    }
                    for (std::int32_t k = k0; k < k1; ++k)
                        kernel::RowOp<false>(mode, a.Re(i)[k], complex ? a.Im(i)[k] : 0.0, b.Re(k) + j0,
                                             complex ? b.Im(k) + j0 : nullptr, accR, accI, jn, bMin);
                }
            }
        }
        if (faults.Raised()) return false;
        for (std::int32_t i = i0; i < i1; ++i) {
            RCOVec& row = product[static_cast<std::size_t>(i)];
            const double* r = cr.data() + static_cast<std::size_t>(i - i0) * width;
            if (complex) {
                const double* m = ci.data() + static_cast<std::size_t>(i - i0) * width;
                for (std::int32_t j = 0; j < cols; ++j) row[j] = Scalar::Complex(r[j], m[j]);
            } else if (mode == Mode::RealParts) {
                for (std::int32_t j = 0; j < cols; ++j) row[j] = Scalar::Complex(r[j], 0.0);
            } else {
                for (std::int32_t j = 0; j < cols; ++j) row[j] = Scalar::Real(r[j]);
            }
        }
    }
    return true;
}

}  // namespace

MatStatus MatMultiply(const RCOMat& a, const RCOMat& b, RCOMat& c) {
    std::int32_t rowsA = 0, colsA = 0, rowsB = 0, colsB = 0;
    if (const MatStatus status = MatSize(a, rowsA, colsA); status != MatStatus::Ok) return status;
    if (const MatStatus status = MatSize(b, rowsB, colsB); status != MatStatus::Ok) return status;
    if (colsA != rowsB || !matdetail::RowsHoldAtLeast(a, colsA) || !matdetail::RowsHoldAtLeast(b, colsB))
        return MatStatus::Dimensions;
    // Built aside and moved in, so that C may be one of the operands and
    // keeps what it held when an error stops the product.
    RCOMat product;
    SizeMatrix(product, rowsA, colsB);

    // One element kind throughout: every product is complex as soon as one
    // operand is all complex; real when one operand is all real and the other
    // real, integer or empty. Anything else (integer by integer, fixed point,
    // a non-finite value) takes the Scalar arithmetic, row by row.
    // (Tiny products cost less than making the typed copies.)
    const bool large = static_cast<std::int64_t>(rowsA) * colsA * colsB >= kernel::kTypedProductFromWork;
    const kernel::KindSummary ka = large ? kernel::Summarize(a, rowsA, colsA) : kernel::KindSummary{};
    const kernel::KindSummary kb = large ? kernel::Summarize(b, rowsB, colsB) : kernel::KindSummary{};
    const bool finite = large && ka.finite && kb.finite;
    const bool complex = finite && (ka.allComplex || kb.allComplex);
    const bool real = finite && !complex && ((ka.allReal && kb.realLike) || (ka.realLike && kb.allReal));
    const std::int64_t work = static_cast<std::int64_t>(colsA) * colsB * (complex ? 8 : real ? 3 : 40);

    if (complex || real) {
        const DenseMatrix da = complex ? kernel::ComplexCopy(a, rowsA, colsA) : kernel::RealCopy(a, rowsA, colsA);
        const DenseMatrix db = complex ? kernel::ComplexCopy(b, rowsB, colsB) : kernel::RealCopy(b, rowsB, colsB);
        const Mode mode = !complex                                           ? Mode::Real
                          : kernel::AllZero(da.im) && kernel::AllZero(db.im) ? Mode::RealParts
                                                                             : Mode::Complex;
        const double bMin = mode != Mode::Complex ? kernel::SmallestNonZero(db.re.data(), db.re.size()) : 0.0;
        std::vector<std::optional<kernel::simd::Flush>> simdRows(static_cast<std::size_t>(rowsA));
        for (std::int32_t i = 0; i < rowsA; ++i)
            simdRows[static_cast<std::size_t>(i)] =
                kernel::SimdRunFlush(mode, da.Re(i), 0, colsA, [bMin](std::int32_t) { return bMin; });
        parallel::ParallelFor(rowsA, work / (mode == Mode::RealParts ? 3 : 1),
                              [&](std::int64_t first, std::int64_t last) {
                                  const auto f = static_cast<std::int32_t>(first), l = static_cast<std::int32_t>(last);
                                  if (DenseRows(da, db, mode, bMin, simdRows, f, l, product)) return;
                                  // A fault in these rows: the Scalar arithmetic raises it where it
                                  // happened (a fault flag without an error leaves its exact values).
                                  for (std::int32_t i = f; i < l; ++i) ScalarRow(a, b, i, colsA, colsB, product[i]);
                              });
    } else {
        parallel::ParallelFor(rowsA, work, [&](std::int64_t first, std::int64_t last) {
            for (auto i = static_cast<std::int32_t>(first); i < last; ++i) {
                CheckCancelled(i, rowsA);
                ScalarRow(a, b, i, colsA, colsB, product[i]);
            }
        });
    }
    c = std::move(product);
    return MatStatus::Ok;
}

}  // namespace quorvix
