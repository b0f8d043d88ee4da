#include "core/kernel/dense_elimination.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <mutex>
#include <utility>

#include "core/cancel.h"
#include "core/errors.h"
#include "core/kernel/fault_scope.h"
#include "core/kernel/fpu.h"
#include "core/kernel/parallel.h"

namespace quorvix::kernel {
namespace {

// A step whose results stay below this cannot overflow: far from the largest
// double, so the roundings of the bound itself do not matter.
constexpr double kSafe = 0x1p1000;

// Relative cost of one multiply-subtract, in the units of ParallelFor.
std::int64_t Cost(Mode mode) { return mode == Mode::Complex ? 8 : mode == Mode::RealParts ? 3 : 2; }

double Magnitude(double re, double im) { return std::fabs(re) + std::fabs(im); }

// |re| + |im| of the pair of elements at j (the magnitude full pivoting uses;
// an element without imaginary part has |re| + |+0| = |re|).
inline __m128d PairMagnitude(const double* re, const double* im, std::int32_t j) {
    const __m128d abs = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffffLL));
    const __m128d r = _mm_and_pd(_mm_loadu_pd(re + j), abs);
    return im != nullptr ? _mm_add_pd(r, _mm_and_pd(_mm_loadu_pd(im + j), abs)) : r;
}

// The largest |re| + |im| over columns [from, to) (0 when empty), four pairs
// at a time.
double LargestMagnitude(const double* re, const double* im, std::int32_t from, std::int32_t to) {
    __m128d m0 = _mm_setzero_pd(), m1 = m0, m2 = m0, m3 = m0;
    std::int32_t j = from;
    for (; j + 8 <= to; j += 8) {
        m0 = _mm_max_pd(m0, PairMagnitude(re, im, j));
        m1 = _mm_max_pd(m1, PairMagnitude(re, im, j + 2));
        m2 = _mm_max_pd(m2, PairMagnitude(re, im, j + 4));
        m3 = _mm_max_pd(m3, PairMagnitude(re, im, j + 6));
    }
    for (; j + 2 <= to; j += 2) m0 = _mm_max_pd(m0, PairMagnitude(re, im, j));
    alignas(16) double pair[2];
    _mm_store_pd(pair, _mm_max_pd(_mm_max_pd(m0, m1), _mm_max_pd(m2, m3)));
    double m = std::max(pair[0], pair[1]);
    for (; j < to; ++j) m = std::max(m, Magnitude(re[j], im != nullptr ? im[j] : 0.0));
    return m;
}

// The first column in [from, to) whose magnitude equals `top` (from when none).
std::int32_t FirstWithMagnitude(const double* re, const double* im, std::int32_t from, std::int32_t to, double top) {
    const __m128d t = _mm_set1_pd(top);
    std::int32_t j = from;
    for (; j + 2 <= to; j += 2) {
        const int hit = _mm_movemask_pd(_mm_cmpeq_pd(PairMagnitude(re, im, j), t));
        if (hit != 0) return (hit & 1) != 0 ? j : j + 1;
    }
    for (; j < to; ++j)
        if (Magnitude(re[j], im != nullptr ? im[j] : 0.0) == top) return j;
    return from;
}

}  // namespace

bool ChooseMode(const RCOMat& a, std::int32_t rows, std::int32_t cols, Mode& mode, bool upperTriangle) {
    const KindSummary s = Summarize(a, rows, cols, upperTriangle);
    if (!s.finite) return false;
    if (s.allComplex) {
        mode = Mode::RealParts;
        for (std::int32_t i = 0; i < rows && mode == Mode::RealParts; ++i)
            for (std::int32_t j = upperTriangle ? i : 0; j < cols; ++j)
                if (a[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)].ComplexValue().Imaginary() != 0.0) {
                    mode = Mode::Complex;
                    break;
                }
        return true;
    }
    if (s.allReal) {
        mode = Mode::Real;
        return true;
    }
    return false;
}

DenseElimination::DenseElimination(const RCOMat& a, std::int32_t rows, std::int32_t cols, Mode mode)
    : rows_(rows), cols_(cols), mode_(mode) {
    const std::size_t width = static_cast<std::size_t>(cols);
    storeRe_.resize(static_cast<std::size_t>(rows) * width);
    if (mode == Mode::Complex) storeIm_.resize(storeRe_.size());
    re_.resize(static_cast<std::size_t>(rows));
    im_.resize(static_cast<std::size_t>(rows), nullptr);
    origin_.resize(static_cast<std::size_t>(rows));
    for (std::int32_t i = 0; i < rows; ++i) {
        double* re = re_[static_cast<std::size_t>(i)] = storeRe_.data() + static_cast<std::size_t>(i) * width;
        double* im = nullptr;
        if (mode == Mode::Complex)
            im = im_[static_cast<std::size_t>(i)] = storeIm_.data() + static_cast<std::size_t>(i) * width;
        origin_[static_cast<std::size_t>(i)] = i;
        const RCOVec& row = a[static_cast<std::size_t>(i)];
        for (std::int32_t j = 0; j < cols; ++j) {
            const Scalar& v = row[static_cast<std::size_t>(j)];
            re[j] = RealPart(v);
            if (im != nullptr) im[j] = ImagPart(v);
        }
    }
    rowMax_.assign(static_cast<std::size_t>(rows), 0.0);
    rowLeftMax_.assign(static_cast<std::size_t>(rows), 0.0);
    rowArg_.assign(static_cast<std::size_t>(rows), 0);
}

Scalar DenseElimination::At(std::int32_t i, std::int32_t j) const {
    return MakeScalar(mode_, Re(i)[j], mode_ == Mode::Complex ? Im(i)[j] : 0.0);
}

bool DenseElimination::IsZero(std::int32_t i, std::int32_t j) const {
    return Re(i)[j] == 0.0 && (mode_ != Mode::Complex || Im(i)[j] == 0.0);
}

void DenseElimination::WriteBack(RCOMat& a) const {
    // Whole rows were exchanged as the routine exchanges its row vectors.
    if (std::any_of(origin_.begin(), origin_.end(), [i = 0](std::int32_t o) mutable { return o != i++; })) {
        std::vector<RCOVec> rows(static_cast<std::size_t>(rows_));
        for (std::int32_t i = 0; i < rows_; ++i)
            rows[static_cast<std::size_t>(i)] =
                std::move(a[static_cast<std::size_t>(origin_[static_cast<std::size_t>(i)])]);
        for (std::int32_t i = 0; i < rows_; ++i)
            a[static_cast<std::size_t>(i)] = std::move(rows[static_cast<std::size_t>(i)]);
    }
    for (std::int32_t i = 0; i < rows_; ++i) {
        RCOVec& row = a[static_cast<std::size_t>(i)];
        const double* re = Re(i);
        const double* im = mode_ == Mode::Complex ? Im(i) : nullptr;
        for (std::int32_t j = 0; j < cols_; ++j)
            row[static_cast<std::size_t>(j)] = MakeScalar(mode_, re[j], im != nullptr ? im[j] : 0.0);
    }
}

PivotChoice DenseElimination::Search(std::int32_t first) const {
    PivotChoice best;
    best.row = best.col = first;
    double top = -1.0;
    if (searchedFrom_ == first) {
        for (std::int32_t i = first; i < rows_; ++i)
            if (rowMax_[static_cast<std::size_t>(i)] > top) {
                top = rowMax_[static_cast<std::size_t>(i)];
                best = {top, i, rowArg_[static_cast<std::size_t>(i)]};
            }
        return best;
    }
    for (std::int32_t i = first; i < rows_; ++i) {
        const double* re = Re(i);
        const double* im = mode_ == Mode::Complex ? Im(i) : nullptr;
        for (std::int32_t j = first; j < cols_; ++j) {
            const double mag = Magnitude(re[j], im != nullptr ? im[j] : 0.0);
            if (mag > top) {
                top = mag;
                best = {mag, i, j};
            }
        }
    }
    return best;
}

void DenseElimination::SwapRows(std::int32_t r1, std::int32_t r2) {
    const auto a = static_cast<std::size_t>(r1), b = static_cast<std::size_t>(r2);
    std::swap(re_[a], re_[b]);
    std::swap(im_[a], im_[b]);
    std::swap(origin_[a], origin_[b]);
    std::swap(rowMax_[a], rowMax_[b]);
    std::swap(rowLeftMax_[a], rowLeftMax_[b]);
    std::swap(rowArg_[a], rowArg_[b]);
}

void DenseElimination::SwapRowParts(std::int32_t r1, std::int32_t r2, std::int32_t from) {
    std::swap_ranges(Re(r1) + from, Re(r1) + cols_, Re(r2) + from);
    if (mode_ == Mode::Complex) std::swap_ranges(Im(r1) + from, Im(r1) + cols_, Im(r2) + from);
    const auto a = static_cast<std::size_t>(r1), b = static_cast<std::size_t>(r2);
    std::swap(rowMax_[a], rowMax_[b]);
    std::swap(rowLeftMax_[a], rowLeftMax_[b]);
    std::swap(rowArg_[a], rowArg_[b]);
}

void DenseElimination::SwapColumns(std::int32_t c1, std::int32_t c2, std::int32_t fromRow, std::int32_t toRow) {
    for (std::int32_t i = fromRow; i < toRow; ++i) {
        std::swap(Re(i)[c1], Re(i)[c2]);
        if (mode_ == Mode::Complex) std::swap(Im(i)[c1], Im(i)[c2]);
    }
}

// f := a[i][k] / a[k][k] by the Scalar division (its checks included).
void DenseElimination::Quotient(std::int32_t i, std::int32_t k, double& fr, double& fi) const {
    const Scalar f = At(i, k) / At(k, k);
    fr = RealPart(f);
    fi = ImagPart(f);
}

// c := c - f * b element after element in Scalar arithmetic: the checked
// path, which raises a fault at the element where it happens.
void DenseElimination::CheckedRowOp(double fr, double fi, const double* br, const double* bi, double* cr, double* ci,
                                    std::int32_t count) const {
    const Scalar f = MakeScalar(mode_, fr, fi);
    for (std::int32_t j = 0; j < count; ++j) {
        Scalar c = MakeScalar(mode_, cr[j], ci != nullptr ? ci[j] : 0.0);
        c -= f * MakeScalar(mode_, br[j], bi != nullptr ? bi[j] : 0.0);
        cr[j] = RealPart(c);
        if (ci != nullptr) ci[j] = ImagPart(c);
    }
}

void DenseElimination::ReportRow(std::int32_t i, std::int32_t k, bool multipliers) {
    const double* re = Re(i);
    const double* im = mode_ == Mode::Complex ? Im(i) : nullptr;
    const std::int32_t from = k + 1;
    // The largest magnitude (plain double work, two at a time), then where it
    // first occurs.
    const double top = LargestMagnitude(re, im, from, cols_);
    const std::int32_t arg = FirstWithMagnitude(re, im, from, cols_, top);
    rowMax_[static_cast<std::size_t>(i)] = top;
    rowArg_[static_cast<std::size_t>(i)] = arg;
    if (multipliers) rowLeftMax_[static_cast<std::size_t>(i)] = LargestMagnitude(re, im, 0, k + 1);
}

void DenseElimination::StepRows(std::int32_t k, bool multipliers, bool storedQuotient, bool checked, std::int32_t first,
                                std::int32_t last) {
    const bool complex = mode_ == Mode::Complex;
    const double* reK = Re(k);
    const double* imK = complex ? Im(k) : nullptr;
    const std::int32_t right = cols_ - k - 1;
    const double bMin = mode_ != Mode::Complex ? SmallestNonZero(reK, static_cast<std::size_t>(cols_)) : 0.0;
    for (std::int32_t i = first; i < last; ++i) {
        CheckCancelled();
        double* re = Re(i);
        double* im = complex ? Im(i) : nullptr;
        double fr = 0.0, fi = 0.0;
        if (storedQuotient) {
            fr = re[k];
            fi = complex ? im[k] : 0.0;
        } else {
            Quotient(i, k, fr, fi);
        }
        if (checked) {
            CheckedRowOp(fr, fi, reK + k + 1, complex ? imK + k + 1 : nullptr, re + k + 1,
                         complex ? im + k + 1 : nullptr, right);
            if (multipliers) CheckedRowOp(fr, fi, reK, imK, re, im, k);
        } else {
            RowOp<true>(mode_, fr, fi, reK + k + 1, complex ? imK + k + 1 : nullptr, re + k + 1,
                        complex ? im + k + 1 : nullptr, right, bMin);
            if (multipliers) RowOp<true>(mode_, fr, fi, reK, imK, re, im, k, bMin);
        }
        if (multipliers) {
            const Scalar negated = -MakeScalar(mode_, fr, fi);
            re[k] = RealPart(negated);
            if (complex) im[k] = ImagPart(negated);
        }
        ReportRow(i, k, multipliers);
    }
}

void DenseElimination::Eliminate(std::int32_t k, bool multipliers) {
    const std::int32_t first = k + 1;
    if (first >= rows_) {
        searchedFrom_ = first;
        return;
    }
    // The first row's division: a tiny complex pivot stops the step here.
    double fr = 0.0, fi = 0.0;
    Quotient(first, k, fr, fi);

    // |f| <= 2 in |re| + |im| (the pivot is the largest of its block), so a
    // result is at most 3 * max(P, L): P the pivot's magnitude, L the largest
    // multiplier kept to the left (in the pivot row or below).
    const double p = Magnitude(Re(k)[k], mode_ == Mode::Complex ? Im(k)[k] : 0.0);
    double left = 0.0;
    if (multipliers)
        for (std::int32_t i = k; i < rows_; ++i) left = std::max(left, rowLeftMax_[static_cast<std::size_t>(i)]);
    const bool safe = 3.01 * std::max(p, left) < kSafe;
    searchedFrom_ = first;
    if (!safe) {
        StepRows(k, multipliers, false, true, first, rows_);
        return;
    }
    const std::int64_t work = (static_cast<std::int64_t>(cols_ - first) + (multipliers ? k : 0)) * Cost(mode_) + 8;
    parallel::ParallelFor(rows_ - first, work, [&](std::int64_t from, std::int64_t to) {
        FaultScope faults;
        StepRows(k, multipliers, false, false, first + static_cast<std::int32_t>(from),
                 first + static_cast<std::int32_t>(to));
        if (faults.Raised()) RaiseOverflow();  // the bound rules this out
    });
}

void DenseElimination::EliminateWithStoredQuotients(std::int32_t k) {
    const std::int32_t first = k + 1;
    if (searchedFrom_ != k) {
        // The block's magnitudes, for the bound (the first step only).
        for (std::int32_t i = k; i < rows_; ++i) ReportRow(i, k - 1, false);
    }
    double block = 0.0;
    for (std::int32_t i = k; i < rows_; ++i) block = std::max(block, rowMax_[static_cast<std::size_t>(i)]);
    // The divisions of column k, in order, each checked.
    const Scalar pivot = At(k, k);
    double fmax = 0.0;
    for (std::int32_t i = first; i < rows_; ++i) {
        const Scalar f = At(i, k) / pivot;
        Re(i)[k] = RealPart(f);
        if (mode_ == Mode::Complex) Im(i)[k] = ImagPart(f);
        fmax = std::max(fmax, Magnitude(RealPart(f), ImagPart(f)));
    }
    searchedFrom_ = first;
    if (first >= rows_) return;
    const bool safe = block < kSafe && fmax < kSafe && block + fmax * block < kSafe;
    if (!safe) {
        StepRows(k, false, true, true, first, rows_);
        return;
    }
    const std::int64_t work = static_cast<std::int64_t>(cols_ - first) * Cost(mode_) + 8;
    parallel::ParallelFor(rows_ - first, work, [&](std::int64_t from, std::int64_t to) {
        FaultScope faults;
        StepRows(k, false, true, false, first + static_cast<std::int32_t>(from), first + static_cast<std::int32_t>(to));
        if (faults.Raised()) RaiseOverflow();  // the bound rules this out
    });
}

}  // namespace quorvix::kernel
