// MatInvertLU: the inverse of a Scalar matrix, column by column from the
// packed factors of MatLUDecompose. Used by A/B and the negative powers; the
// inverse commands use the Gauss-Jordan MatInverse instead.
//
// What it does not do: no tolerance (a pivot counts as zero only when it is
// exactly zero) and no refinement; the operand is overwritten by its factors.
//
// When the factors were computed on a typed dense copy, the columns are
// solved on it, a block of columns per thread: the right-hand side is a unit
// vector, so its forward part only picks one multiplier (the sums of
// MatLUSolveColumn add exact zeros besides), and the back substitution runs
// the Scalar operations of the factors' kind, each element's terms in the
// order written. A block whose fault flags are raised, or a diagonal element
// that the complex division refuses, sends the columns to MatLUSolveColumn,
// which raises the error where the column-by-column routine raises it.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>

#include "core/cancel.h"
#include "core/errors.h"
#include "core/kernel/fault_scope.h"
#include "core/kernel/kernel_simd.h"
#include "core/kernel/parallel.h"
#include "core/lu_decompose.h"
#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix {
namespace {

using kernel::Ext;
using kernel::Mode;

constexpr std::int32_t kColumnBlock = 64;

// s / d for every element of a block, with the Scalar division's roundings:
// complex (ar*br + ai*bi) / |b|^2 and (ai*br - ar*bi) / |b|^2 stored and
// flushed; real a / b stored.
void DivideRow(Mode mode, Ext br, Ext bi, double* sr, double* si, std::int32_t count) {
    if (mode == Mode::Real) {
        for (std::int32_t c = 0; c < count; ++c) sr[c] = static_cast<double>(static_cast<Ext>(sr[c]) / br);
        return;
    }
    const Ext d = br * br + bi * bi;
    for (std::int32_t c = 0; c < count; ++c) {
        const Ext ar = sr[c], ai = si != nullptr ? si[c] : 0.0;
        sr[c] = kernel::Flush(static_cast<double>((ar * br + ai * bi) / d));
        if (si != nullptr) si[c] = kernel::Flush(static_cast<double>((ai * br - ar * bi) / d));
    }
}

// Columns [c0, c1) of the inverse, in pivoted order, into yr/yi (n x width).
// Returns false when a fault flag was raised.
bool SolveBlock(const kernel::DenseElimination& f, std::int32_t n, const RCoVecE& position, std::int32_t c0,
                std::int32_t c1, std::vector<double>& yr, std::vector<double>& yi) {
    const Mode mode = f.GetMode();
    const bool complex = mode == Mode::Complex;
    const std::int32_t w = c1 - c0;
    // The smallest non-zero magnitude of each finished row of real parts.
    std::vector<double> rowMin(mode != Mode::Complex ? static_cast<std::size_t>(n) : 0);
    FaultScope faults;
    for (std::int32_t i = n - 1; i >= 0; --i) {
        if ((n - 1 - i) % 32 == 0) CheckCancelled();
        double* sr = yr.data() + static_cast<std::size_t>(i) * w;
        double* si = complex ? yi.data() + static_cast<std::size_t>(i) * w : nullptr;
        const double* ar = f.Re(i);
        const double* ai = complex ? f.Im(i) : nullptr;
        // b's row i plus row i of M applied to b: 1 at the unit's own row, its
        // multiplier below it, 0 above.
        for (std::int32_t c = 0; c < w; ++c) {
            const std::int32_t j = position[static_cast<std::size_t>(c0 + c)];
            if (i < j) {
                sr[c] = 0.0;
                if (si != nullptr) si[c] = 0.0;
            } else if (i == j) {
                sr[c] = 1.0;
                if (si != nullptr) si[c] = 0.0;
            } else {
                sr[c] = ar[j] == 0.0 ? 0.0 : ar[j];  // a real -0 sums to +0
                if (si != nullptr) si[c] = ai[j];
            }
        }
        const std::optional<kernel::simd::Flush> flush = kernel::SimdRunFlush(
            mode, ar, i + 1, n, [&](std::int32_t j) { return rowMin[static_cast<std::size_t>(j)]; });
        if (flush) {
            // The sums of row i over j in registers, a strip of columns at a time.
            kernel::simd::RealRows(true, *flush, ar + i + 1, yr.data() + static_cast<std::size_t>(i + 1) * w,
                                   static_cast<std::size_t>(w), sr, n - i - 1, w);
        } else {
            for (std::int32_t j = i + 1; j < n; ++j)
                kernel::RowOp<true>(mode, ar[j], complex ? ai[j] : 0.0, yr.data() + static_cast<std::size_t>(j) * w,
                                    complex ? yi.data() + static_cast<std::size_t>(j) * w : nullptr, sr, si, w,
                                    rowMin.empty() ? 0.0 : rowMin[static_cast<std::size_t>(j)]);
        }
        DivideRow(mode, ar[i], complex ? ai[i] : 0.0, sr, si, w);
        if (!rowMin.empty())
            rowMin[static_cast<std::size_t>(i)] = kernel::SmallestNonZero(sr, static_cast<std::size_t>(w));
    }
    return !faults.Raised();
}

// The typed solve of every column; false when it must be left to the Scalar
// solve (a diagonal element the complex division refuses).
bool DenseSolve(const kernel::DenseElimination& f, std::int32_t n, const RCOMat& a, const RCoVecE& rowPerm,
                const RCoVecE& colPerm, RCOMat& result) {
    const Mode mode = f.GetMode();
    if (mode != Mode::Real)
        for (std::int32_t i = 0; i < n; ++i) {
            const Ext br = f.Re(i)[i], bi = mode == Mode::Complex ? f.Im(i)[i] : 0.0;
            if (std::fabs(br * br + bi * bi) <= kFlushLimitExtended) return false;
        }
    // position[c]: the row of the pivoted order that holds the unit of column c.
    RCoVecE position(static_cast<std::size_t>(n));
    for (std::int32_t j = 0; j < n; ++j) position[static_cast<std::size_t>(rowPerm[j])] = j;
    const std::int32_t blocks = (n + kColumnBlock - 1) / kColumnBlock;
    const std::int64_t cost = mode == Mode::Complex ? 8 : mode == Mode::RealParts ? 3 : 2;
    parallel::ParallelFor(
        blocks, static_cast<std::int64_t>(n) * n / 2 * kColumnBlock * cost, [&](std::int64_t first, std::int64_t last) {
            std::vector<double> yr, yi;
            for (auto b = static_cast<std::int32_t>(first); b < last; ++b) {
                const std::int32_t c0 = b * kColumnBlock, c1 = std::min(n, c0 + kColumnBlock), w = c1 - c0;
                yr.assign(static_cast<std::size_t>(n) * w, 0.0);
                yi.assign(mode == Mode::Complex ? yr.size() : 0, 0.0);
                if (SolveBlock(f, n, position, c0, c1, yr, yi)) {
                    for (std::int32_t i = 0; i < n; ++i) {
                        RCOVec& row = result[static_cast<std::size_t>(colPerm[i])];
                        for (std::int32_t c = 0; c < w; ++c) {
                            const double re = yr[static_cast<std::size_t>(i) * w + c];
                            row[static_cast<std::size_t>(c0 + c)] = kernel::MakeScalar(
                                mode, re, mode == Mode::Complex ? yi[static_cast<std::size_t>(i) * w + c] : 0.0);
                        }
                    }
                    continue;
                }
                // A fault in this block: the Scalar solve raises it at its column.
                RCOVec e(static_cast<std::size_t>(n));
                for (std::int32_t c = c0; c < c1; ++c) {
                    for (std::int32_t i = 0; i < n; ++i) e[i] = Scalar::Integer(0);
                    e[c] = Scalar::Integer(1);
                    MatLUSolveColumn(a, n, e, rowPerm, colPerm, e);
                    for (std::int32_t i = 0; i < n; ++i) result[i][c] = e[i];
                }
            }
        });
    return true;
}

}  // namespace

MatStatus MatInvertLU(RCOMat& a, RCOMat& inv) {
    std::int32_t rows = 0, cols = 0;
    if (const MatStatus status = MatSize(a, rows, cols); status != MatStatus::Ok) return status;
    if (rows != cols || !matdetail::RowsHoldAtLeast(a, cols)) return MatStatus::Dimensions;
    const std::int32_t n = rows;
    RCoVecE rowPerm, colPerm;
    std::unique_ptr<kernel::DenseElimination> dense;
    if (const MatStatus status = kernel::LUDecompose(n, a, rowPerm, colPerm, &dense); status != MatStatus::Ok)
        return status;
    // Built aside and moved in at the end, so that Inv keeps what the caller
    // had when a Scalar error stops a column half-way.
    RCOMat result;
    SizeMatrix(result, n, n);
    if (dense == nullptr || !DenseSolve(*dense, n, a, rowPerm, colPerm, result)) {
        RCOVec e(static_cast<std::size_t>(n));
        const Scalar zero = Scalar::Integer(0);
        const Scalar one = Scalar::Integer(1);
        for (std::int32_t c = 0; c < n; ++c) {
            CheckCancelled(c, n);
            for (std::int32_t i = 0; i < n; ++i) e[i] = zero;
            e[c] = one;
            MatLUSolveColumn(a, n, e, rowPerm, colPerm, e);
            for (std::int32_t i = 0; i < n; ++i) result[i][c] = e[i];
        }
    }
    inv = std::move(result);
    return MatStatus::Ok;
}

}  // namespace quorvix
