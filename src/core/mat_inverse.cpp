// Complex Gauss-Jordan inversion with full pivoting, on split real and
// imaginary arrays of doubles.
// Does not scale rows or columns and does not refine the result; a pivot
// counts as zero when its squared modulus vanishes next to 1 in extended
// precision (at most 2^-64), so only moduli up to about 2.3e-10 are refused.
// Works on doubles, not Scalars: no part is flushed to zero on the way.
//
// How the work is done: each step's pivot search and the updates of the rows
// other than the pivot row are split over all threads; every element still
// gets its own operations in the order written. Before a step, a bound on
// its results (from the largest part present and the pivot's reciprocal)
// says whether any of them could overflow. Only then is the step done one
// element after the other with every store checked, so that an overflow
// stops the work at the very element, and with the arrays in the very state,
// of the element-by-element routine. When every imaginary part is 0 they
// stay 0 (their products and sums are zeros), and only the real parts are
// worked on, four at a time in AVX2 where the processor has it, with the
// x87 roundings (kernel_simd.h).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

#include "core/cancel.h"
#include "core/kernel/dispatch.h"
#include "core/kernel/fpu.h"
#include "core/kernel/kernel_double.h"
#include "core/kernel/kernel_rows.h"
#include "core/kernel/kernel_simd.h"
#include "core/kernel/kernel_support.h"
#include "core/kernel/parallel.h"
#include "core/matrice2.h"

namespace quorvix {
namespace {

using kernel::Ext;

// Each formula is evaluated with a 64-bit significand and rounded to double
// when it is stored; an overflow or an invalid result raises its error.
inline double Store(Ext v) { return StoreDouble(v); }
// The same store where a bound has shown that no fault can happen.
inline double Round(Ext v) { return static_cast<double>(v); }

// Results of a step are bounded by this when its bound says so; far from the
// largest double, so that the roundings of the bound do not matter.
constexpr double kSafe = 0x1p1000;

void SwapRows(double* re, double* im, std::int32_t n, std::int32_t r1, std::int32_t r2) {
    std::swap_ranges(re + static_cast<std::size_t>(r1) * n, re + static_cast<std::size_t>(r1 + 1) * n,
                     re + static_cast<std::size_t>(r2) * n);
    if (im != nullptr)
        std::swap_ranges(im + static_cast<std::size_t>(r1) * n, im + static_cast<std::size_t>(r1 + 1) * n,
                         im + static_cast<std::size_t>(r2) * n);
}

void SwapColumns(double* re, double* im, std::int32_t n, std::int32_t c1, std::int32_t c2) {
    for (std::int32_t i = 0; i < n; ++i) {
        std::swap(re[static_cast<std::size_t>(i) * n + c1], re[static_cast<std::size_t>(i) * n + c2]);
        if (im != nullptr)
            std::swap(im[static_cast<std::size_t>(i) * n + c1], im[static_cast<std::size_t>(i) * n + c2]);
    }
}

struct Pivot {
    double d = 0.0;
    std::int32_t row = 0, col = 0;
    std::int64_t order = -1;  // position in row-major order, -1 when none beat 0
};

class Inverter {
public:
    // `checked`: every step checked (an infinity or nan in the input, which
    // the first search meets).
    Inverter(std::int32_t n, double* re, double* im, bool checked)
        : n_(n), re_(re), im_(im), checked_(checked), rowMax_(static_cast<std::size_t>(n), 0.0) {}

    // Returns true when the matrix is singular.
    bool Run(RCoVecE& rowPiv, RCoVecE& colPiv) {
        const std::size_t count = static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_);
        largest_ = std::max(kernel::MaxMagnitude(re_, count), im_ != nullptr ? kernel::MaxMagnitude(im_, count) : 0.0);
        for (std::int32_t k = 0; k < n_; ++k) {
            CheckCancelled(k, n_);
            // Squared moduli of parts below 2^500 stay below 2^1000.
            const bool safe = !checked_ && largest_ < 0x1p500;
            const Pivot piv = !safe ? CheckedSearch(k) : reported_ == k ? ReportedSearch(k) : FastSearch(k);
            reported_ = -1;
            const double d = piv.d;
            if (piv.order >= 0) {
                rowPiv[k] = piv.row;
                colPiv[k] = piv.col;
            }
            // Singular when 1 + d cannot be told from 1 with a 64-bit significand.
            if (Ext(1.0L) + d == Ext(1.0L)) return true;

            if (rowPiv[k] != k) SwapRows(re_, im_, n_, k, rowPiv[k]);
            if (colPiv[k] != k) SwapColumns(re_, im_, n_, k, colPiv[k]);

            // The pivot becomes its reciprocal: conj(z) / |z|^2.
            const std::size_t l = static_cast<std::size_t>(k) * n_ + k;
            re_[l] = Store(Ext(re_[l]) / d);
            if (im_ != nullptr) im_[l] = Store(-Ext(im_[l]) / d);
            const double reL = re_[l];
            const double imL = im_ != nullptr ? im_[l] : 0.0;

            // Every result of the step is at most largest * (1 + 6R) with R =
            // 4 * largest * (|reL| + |imL|), the bound of the scaled pivot row.
            const double g = std::fabs(reL) + std::fabs(imL);
            const double r = 4.0 * largest_ * g;
            if (safe && g < kSafe && r < kSafe && largest_ * (1.0 + 6.0 * r) < kSafe && 6.0 * largest_ * g < kSafe)
                FastStep(k, reL, imL);
            else
                CheckedStep(k, reL, imL);
        }
        return false;
    }

private:
    double* Re(std::int32_t i) { return re_ + static_cast<std::size_t>(i) * n_; }
    double* Im(std::int32_t i) { return im_ + static_cast<std::size_t>(i) * n_; }

    // The first element of largest squared modulus, row-major, each modulus
    // stored through the overflow check.
    Pivot CheckedSearch(std::int32_t k) {
        Pivot piv;
        for (std::int32_t i = k; i < n_; ++i)
            for (std::int32_t j = k; j < n_; ++j) {
                const double re = Re(i)[j], im = im_ != nullptr ? Im(i)[j] : 0.0;
                const double p = Store(Ext(re) * re + Ext(im) * im);
                if (p > piv.d) piv = {p, i, j, static_cast<std::int64_t>(i) * n_ + j};
            }
        return piv;
    }

    // The search of a real matrix from the rows' reports of the step before:
    // squares of magnitudes are monotonic, so the largest squared modulus D is
    // that of the largest magnitude, and the pivot is the first element, row
    // by row, whose square is D. Rows whose largest square is below D hold
    // none; in the first one that holds one, it is found element by element.
    Pivot ReportedSearch(std::int32_t k) const {
        double top = 0.0;
        for (std::int32_t i = k; i < n_; ++i) top = std::max(top, rowMax_[static_cast<std::size_t>(i)]);
        if (top == 0.0) return {};
        const double d = Round(Ext(top) * top);
        for (std::int32_t i = k; i < n_; ++i) {
            const double m = rowMax_[static_cast<std::size_t>(i)];
            if (Round(Ext(m) * m) != d) continue;
            const double* re = re_ + static_cast<std::size_t>(i) * n_;
            for (std::int32_t j = k; j < n_; ++j)
                if (Round(Ext(re[j]) * re[j]) == d) return {d, i, j, static_cast<std::int64_t>(i) * n_ + j};
        }
        return {};  // not reached: the row of the largest magnitude holds D
    }

    // The same search where no modulus can overflow, rows split over threads:
    // the first largest of each range, then the first largest of those.
    Pivot FastSearch(std::int32_t k) {
        std::mutex m;
        Pivot best;
        const std::int64_t rows = n_ - k;
        parallel::ParallelFor(rows, (n_ - k) * (im_ != nullptr ? 3 : 2), [&](std::int64_t first, std::int64_t last) {
            Pivot local;
            for (auto i = static_cast<std::int32_t>(k + first); i < k + last; ++i) {
                CheckCancelled();
                const double* re = Re(i);
                if (im_ != nullptr) {
                    const double* im = Im(i);
                    for (std::int32_t j = k; j < n_; ++j) {
                        const double p = Round(Ext(re[j]) * re[j] + Ext(im[j]) * im[j]);
                        if (p > local.d) local = {p, i, j, static_cast<std::int64_t>(i) * n_ + j};
                    }
                } else {
                    for (std::int32_t j = k; j < n_; ++j) {
                        const double p = Round(Ext(re[j]) * re[j]);
                        if (p > local.d) local = {p, i, j, static_cast<std::int64_t>(i) * n_ + j};
                    }
                }
            }
            std::lock_guard<std::mutex> lock(m);
            if (local.order >= 0 && (local.d > best.d || (local.d == best.d && local.order < best.order))) best = local;
        });
        return best;
    }

    // Row k (but its pivot) times the reciprocal pivot reL + imL·i, each
    // value stored by Put; a complex product takes three real multiplications.
    template <double (*Put)(Ext)>
    void ScalePivotRow(std::int32_t k, double reL, double imL, Ext sumL) {
        double* reK = Re(k);
        double* imK = im_ != nullptr ? Im(k) : nullptr;
        for (std::int32_t j = 0; j < n_; ++j) {
            if (j == k) continue;
            if (imK != nullptr) {
                const double p = Put(Ext(reK[j]) * reL);
                const double q = Put(Ext(imK[j]) * imL);
                const double s = Put((Ext(reK[j]) + imK[j]) * sumL);
                reK[j] = Put(Ext(p) - q);
                imK[j] = Put(Ext(s) - p - q);
            } else {
                reK[j] = Put(Ext(reK[j]) * reL);
            }
        }
    }

    // The step as written, every store checked, in the order written.
    void CheckedStep(std::int32_t k, double reL, double imL) {
        const Ext sumL = Ext(reL) + imL;
        double* reK = Re(k);
        double* imK = im_ != nullptr ? Im(k) : nullptr;
        ScalePivotRow<Store>(k, reL, imL, sumL);
        // Every element outside row k and column k.
        for (std::int32_t i = 0; i < n_; ++i) {
            if (i == k) continue;
            double* reI = Re(i);
            const double reV = reI[k];
            if (imK != nullptr) {
                double* imI = Im(i);
                const double imV = imI[k];
                const Ext sumV = Ext(reV) + imV;
                for (std::int32_t j = 0; j < n_; ++j) {
                    if (j == k) continue;
                    const double p = Store(Ext(reK[j]) * reV);
                    const double q = Store(Ext(imK[j]) * imV);
                    const double s = Store((Ext(reK[j]) + imK[j]) * sumV);
                    reI[j] = Store(Ext(reI[j]) - (Ext(p) - q));
                    imI[j] = Store(Ext(imI[j]) - (Ext(s) - p - q));
                }
            } else {
                for (std::int32_t j = 0; j < n_; ++j) {
                    if (j == k) continue;
                    reI[j] = Store(Ext(reI[j]) - Store(Ext(reK[j]) * reV));
                }
            }
        }
        // Column k times the reciprocal pivot, negated.
        for (std::int32_t i = 0; i < n_; ++i) {
            if (i == k) continue;
            double& reU = Re(i)[k];
            if (im_ != nullptr) {
                double& imU = Im(i)[k];
                const double p = Store(Ext(reU) * reL);
                const double q = Store(Ext(imU) * imL);
                const double s = Store((Ext(reU) + imU) * sumL);
                reU = Store(Ext(q) - p);
                imU = Store(Ext(p) + q - s);
            } else {
                reU = -Store(Ext(reU) * reL);
            }
        }
        const std::size_t count = static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_);
        largest_ = std::max(kernel::MaxMagnitude(re_, count), im_ != nullptr ? kernel::MaxMagnitude(im_, count) : 0.0);
    }

    // The step where its bound rules out every fault: the rows other than
    // row k on all threads, each row followed by its element of column k
    // (which nothing else reads after the row has used it).
    void FastStep(std::int32_t k, double reL, double imL) {
        const Ext sumL = Ext(reL) + imL;
        double* reK = Re(k);
        double* imK = im_ != nullptr ? Im(k) : nullptr;
        ScalePivotRow<Round>(k, reL, imL, sumL);
        double largest = std::max(kernel::MaxMagnitude(reK, static_cast<std::size_t>(n_)),
                                  imK != nullptr ? kernel::MaxMagnitude(imK, static_cast<std::size_t>(n_)) : 0.0);
        // Lets the real rows run in AVX2 (kernel::RowOp).
        const double minK = imK == nullptr ? kernel::SmallestNonZero(reK, static_cast<std::size_t>(n_)) : 0.0;
        std::mutex m;
        parallel::ParallelFor(
            n_, static_cast<std::int64_t>(n_) * (imK != nullptr ? 12 : 3), [&](std::int64_t first, std::int64_t last) {
                double localLargest = 0.0;
                for (auto i = static_cast<std::int32_t>(first); i < last; ++i) {
                    CheckCancelled();
                    if (i == k) continue;
                    double* reI = Re(i);
                    if (imK != nullptr) {
                        double* imI = Im(i);
                        const double reV = reI[k], imV = imI[k];
                        UpdateRow(reK, imK, reI, imI, reV, imV, 0, k);
                        UpdateRow(reK, imK, reI, imI, reV, imV, k + 1, n_);
                        const double p = Round(Ext(reV) * reL);
                        const double q = Round(Ext(imV) * imL);
                        const double s = Round((Ext(reV) + imV) * sumL);
                        reI[k] = Round(Ext(q) - p);
                        imI[k] = Round(Ext(p) + q - s);
                        localLargest = std::max(localLargest, kernel::MaxMagnitude(imI, static_cast<std::size_t>(n_)));
                        localLargest = std::max(localLargest, kernel::MaxMagnitude(reI, static_cast<std::size_t>(n_)));
                    } else {
                        const double reV = reI[k];
                        kernel::RowOp<true>(kernel::Mode::Real, reV, 0.0, reK, nullptr, reI, nullptr, k, minK);
                        kernel::RowOp<true>(kernel::Mode::Real, reV, 0.0, reK + k + 1, nullptr, reI + k + 1, nullptr,
                                            n_ - k - 1, minK);
                        reI[k] = -Round(Ext(reV) * reL);
                        // The row's report for the next search, which starts at k + 1.
                        const double right = kernel::MaxMagnitude(reI + k + 1, static_cast<std::size_t>(n_ - k - 1));
                        rowMax_[static_cast<std::size_t>(i)] = right;
                        localLargest =
                            std::max({localLargest, right, kernel::MaxMagnitude(reI, static_cast<std::size_t>(k + 1))});
                    }
                }
                std::lock_guard<std::mutex> lock(m);
                largest = std::max(largest, localLargest);
            });
        largest_ = largest;
        if (imK == nullptr) reported_ = k + 1;
    }

    static void UpdateRow(const double* reK, const double* imK, double* reI, double* imI, double reV, double imV,
                          std::int32_t from, std::int32_t to) {
        const Ext sumV = Ext(reV) + imV;
        for (std::int32_t j = from; j < to; ++j) {
            const double p = Round(Ext(reK[j]) * reV);
            const double q = Round(Ext(imK[j]) * imV);
            const double s = Round((Ext(reK[j]) + imK[j]) * sumV);
            reI[j] = Round(Ext(reI[j]) - (Ext(p) - q));
            imI[j] = Round(Ext(imI[j]) - (Ext(s) - p - q));
        }
    }

    std::int32_t n_;
    double* re_;
    double* im_;  // null when every imaginary part is 0
    bool checked_;
    double largest_ = 0.0;  // the largest magnitude of a part
    // The largest magnitude of each row from column reported_ on, when the
    // last step left them (-1: it did not).
    std::vector<double> rowMax_;
    std::int32_t reported_ = -1;
};

}  // namespace

bool MatInverse(std::int32_t n, RCoVecD& re, RCoVecD& im, RCOMat& inv) {
    if (n < 0) n = 0;
    SizeMatrix(inv, n, n);
    const std::size_t count = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
    // Arrays too short for n x n elements cannot be inverted; treat them as
    // having no result rather than read past their end.
    if (re.size() < count || im.size() < count) return true;

    // An infinity or nan in the input is met by the checked stores of the
    // first search (the bound of a step assumes finite parts).
    bool finite = true, realOnly = true;
    for (std::size_t u = 0; u < count; ++u) {
        if (!std::isfinite(re[u]) || !std::isfinite(im[u])) finite = false;
        if (im[u] != 0.0) realOnly = false;
    }
    realOnly = realOnly && finite;
    RCoVecE rowPiv(static_cast<std::size_t>(n), 0);
    RCoVecE colPiv(static_cast<std::size_t>(n), 0);
    // Small matrices are done step by step with checked stores: their bounds
    // and threads cost more than they save.
    Inverter inverter(n, re.data(), realOnly ? nullptr : im.data(), !finite || n < kernel::kBoundedInverseFromOrder);
    if (inverter.Run(rowPiv, colPiv)) return true;
    // Undo the exchanges in reverse: a column exchange of the matrix is a row
    // exchange of its inverse, and the other way round.
    for (std::int32_t k = n - 1; k >= 0; --k) {
        if (colPiv[k] != k) SwapRows(re.data(), realOnly ? nullptr : im.data(), n, k, colPiv[k]);
        if (rowPiv[k] != k) SwapColumns(re.data(), realOnly ? nullptr : im.data(), n, k, rowPiv[k]);
    }
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t j = 0; j < n; ++j)
            inv[i][j] = ComplexFromParts(re[i * n + j], realOnly ? 0.0 : im[i * n + j]);
    return false;
}

}  // namespace quorvix
