// MatLDL: A = L*D*L' without square roots, by rows.
//
// What it does not do: no pivoting, no test of symmetry (a matrix that is
// not Hermitian is factored from its diagonal and upper triangle alone) and
// none of definiteness (negative pivots are taken, so symmetric indefinite
// matrices factor too). A Hermitian matrix with an element that is not real
// gets A = L*D*L^H with D real, worked in Scalar arithmetic row by row; any
// other complex input gets the complex-symmetric factorization, exactly as
// before the Hermitian case was told apart. A zero pivot is
// accepted when the element it would divide is zero as well; the multiplier
// is then 1. Zero tests are Scalar equality with 0.
//
// When the diagonal and upper triangle hold one element kind, a row is
// worked on plain arrays: the products w[k] * a[j][k] are subtracted from
// every later w[j] as soon as w[k] is final (each w[j] still receives them
// in increasing k), the multipliers kept transposed so that those updates
// run along contiguous memory. A row whose fault flags are raised, or that
// divides by a pivot the complex division refuses, is worked again with the
// Scalar arithmetic in the order written, which raises the error where the
// row-by-row routine raises it.
#include "core/mat_ldl.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "core/cancel.h"
#include "core/errors.h"
#include "core/kernel/dense_elimination.h"
#include "core/kernel/dispatch.h"
#include "core/kernel/fault_scope.h"
#include "core/kernel/kernel_rows.h"

namespace quorvix {
namespace {

using kernel::Ext;
using kernel::Mode;

// Row i in Scalar arithmetic, as written; false at a zero pivot that meets a
// non-zero element. With `conjugate` (a Hermitian A) the multipliers are
// conjugated, l[i][j] = conj(w[j] / d[j]), and the pivot keeps its real part:
// the same recurrence for w then gives A = L*D*L^H.
bool ScalarRow(RCOMat& a, std::size_t i, RCOVec& pivots, RCOVec& w, bool conjugate = false) {
    const Scalar zero = Scalar::Integer(0);
    const Scalar one = Scalar::Integer(1);
    Scalar s = a[i][i];
    for (std::size_t j = 0; j < i; ++j) {
        w[j] = a[j][i];  // upper triangle
        for (std::size_t k = 0; k < j; ++k) w[j] = w[j] - w[k] * a[j][k];
        if (pivots[j] == zero) {
            if (w[j] != zero) return false;
            a[i][j] = one;
        } else {
            a[i][j] = conjugate ? ComplexConjugate(w[j] / pivots[j]) : w[j] / pivots[j];
        }
        s = s - w[j] * a[i][j];
    }
    pivots[i] = conjugate ? Scalar::Real(RealPart(s)) : s;
    return true;
}

class DenseLDL {
public:
    DenseLDL(const RCOMat& a, std::size_t n, Mode mode)
        : n_(n), mode_(mode), complex_(mode == Mode::Complex), upperRe_(n * n), upperIm_(complex_ ? n * n : 0),
          lRe_(n * n), lIm_(complex_ ? n * n : 0), unit_(n * n, 0), dRe_(n), dIm_(n), wRe_(n), wIm_(n), lMin_(n, 0.0) {
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i; j < n; ++j) {
                upperRe_[j * n + i] = RealPart(a[i][j]);  // column j of the upper triangle, as a row
                if (complex_) upperIm_[j * n + i] = ImagPart(a[i][j]);
            }
    }

    Scalar Make(double re, double im) const { return kernel::MakeScalar(mode_, re, im); }
    bool IsZero(double re, double im) const { return re == 0.0 && (!complex_ || im == 0.0); }
    static bool TooSmallForDivision(double re, double im) {
        const Ext r = re, m = im;
        return std::fabs(r * r + m * m) <= kFlushLimitExtended;
    }

    // Row i on the arrays. Returns 1 when done, 0 at a zero pivot that meets
    // a non-zero element (after writing the multipliers before it into a),
    // -1 when the row must be worked again with the Scalar arithmetic.
    int Row(std::size_t i, RCOMat& a) {
        const std::size_t n = n_;
        double* wr = wRe_.data();
        double* wi = complex_ ? wIm_.data() : nullptr;
        const double* colRe = upperRe_.data() + i * n;
        for (std::size_t j = 0; j < i; ++j) {
            wr[j] = colRe[j];
            if (wi != nullptr) wi[j] = upperIm_[i * n + j];
        }
        for (std::size_t j = 0; j < i; ++j)
            if (mode_ != Mode::Real && !IsZero(dRe_[j], dIm_[j]) && TooSmallForDivision(dRe_[j], dIm_[j])) return -1;
        FaultScope faults;
        Scalar s = Make(colRe[i], complex_ ? upperIm_[i * n + i] : 0.0);
        std::size_t written = 0;
        int result = 1;
        // An error of the Scalar operations here may come out of order (a w[j]
        // ahead of its turn has already overflowed): the row is then worked
        // again as written, from its untouched state.
        try {
            for (std::size_t k = 0; k < i; ++k) {
                // w[k] is final: its multiplier, then its product leaves every later w[j].
                const Scalar wk = Make(wr[k], wi != nullptr ? wi[k] : 0.0);
                Scalar m;
                if (IsZero(dRe_[k], dIm_[k])) {
                    if (!IsZero(wr[k], wi != nullptr ? wi[k] : 0.0)) {
                        result = 0;
                        break;
                    }
                    m = Scalar::Integer(1);
                    unit_[i * n + k] = 1;
                } else {
                    m = wk / Make(dRe_[k], dIm_[k]);
                }
                s = s - wk * m;
                lRe_[k * n + i] = RealPart(m);
                if (complex_) lIm_[k * n + i] = ImagPart(m);
                written = k + 1;
                const std::int32_t count = static_cast<std::int32_t>(i - k - 1);
                if (count > 0)
                    kernel::RowOp<true>(mode_, wr[k], wi != nullptr ? wi[k] : 0.0, lRe_.data() + k * n + k + 1,
                                        complex_ ? lIm_.data() + k * n + k + 1 : nullptr, wr + k + 1,
                                        wi != nullptr ? wi + k + 1 : nullptr, count, lMin_[k]);
            }
        } catch (const ArithmeticError&) {
            result = -1;
        }
        if (result < 0 || faults.Raised()) {
            for (std::size_t k = 0; k < i; ++k) unit_[i * n + k] = 0;
            return -1;
        }
        for (std::size_t k = 0; k < written; ++k) {
            a[i][k] = unit_[i * n + k] ? Scalar::Integer(1) : Make(lRe_[k * n + i], complex_ ? lIm_[k * n + i] : 0.0);
            NoteMultiplier(k, lRe_[k * n + i]);
        }
        if (result == 0) return 0;
        dRe_[i] = RealPart(s);
        dIm_[i] = ImagPart(s);
        pivots_.push_back(s);
        return 1;
    }

    // After a row was worked with the Scalar arithmetic: take its results.
    void Adopt(std::size_t i, const RCOMat& a, const Scalar& pivot) {
        for (std::size_t k = 0; k < i; ++k) {
            unit_[i * n_ + k] = a[i][k].Kind() == ScalarKind::Integer;
            lRe_[k * n_ + i] = RealPart(a[i][k]);
            if (complex_) lIm_[k * n_ + i] = ImagPart(a[i][k]);
            NoteMultiplier(k, lRe_[k * n_ + i]);
        }
        dRe_[i] = RealPart(pivot);
        dIm_[i] = ImagPart(pivot);
        pivots_.push_back(pivot);
    }

    const std::vector<Scalar>& Pivots() const { return pivots_; }

    // A multiplier l[j][k] joined row k of the transposed copy: keep that
    // row's smallest non-zero magnitude (real parts only; 0 = unknown).
    void NoteMultiplier(std::size_t k, double value) {
        if (mode_ != Mode::RealParts) return;
        const double a = std::fabs(value);
        if (a != 0.0 && (lMin_[k] == 0.0 || a < lMin_[k])) lMin_[k] = a;
    }

private:
    std::size_t n_;
    Mode mode_;
    bool complex_;
    std::vector<double> upperRe_, upperIm_;  // row j: column j of the upper triangle
    std::vector<double> lRe_, lIm_;          // row k: the multipliers l[j][k], j > k
    std::vector<char> unit_;                 // multipliers that are the integer 1
    std::vector<double> dRe_, dIm_;          // the pivots
    std::vector<double> wRe_, wIm_;
    std::vector<double> lMin_;  // smallest non-zero magnitude of each row of lRe_
    std::vector<Scalar> pivots_;
};

// Whether the square `a` equals its conjugate transpose and holds an element
// that is not real (a real symmetric matrix is no Hermitian case here).
bool IsComplexHermitian(const RCOMat& a) {
    const std::size_t n = a.size();
    bool complex = false;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i; j < n; ++j) {
            const double re = RealPart(a[i][j]), im = ImagPart(a[i][j]);
            if (re != RealPart(a[j][i]) || im != -ImagPart(a[j][i])) return false;
            if (im != 0.0) complex = true;
        }
    return complex;
}

}  // namespace

bool MatLDL(RCOMat& a, RCOMat& l, RCOMat& d) {
    const std::size_t n = a.size();
    const Scalar zero = Scalar::Integer(0);
    const Scalar one = Scalar::Integer(1);
    RCOVec pivots(n);  // the diagonal of D
    RCOVec w(n);       // row products of the current row

    Mode mode = Mode::Complex;
    const bool hermitian = IsComplexHermitian(a);
    // Small matrices cost less in Scalars than their typed copy. The
    // factorization reads only the diagonal and the upper triangle.
    if (!hermitian && n >= static_cast<std::size_t>(kernel::kTypedLDLFromOrder) &&
        kernel::ChooseMode(a, static_cast<std::int32_t>(n), static_cast<std::int32_t>(n), mode, true)) {
        DenseLDL dense(a, n, mode);
        for (std::size_t i = 0; i < n; ++i) {
            CheckCancelled(static_cast<std::int64_t>(i), static_cast<std::int64_t>(n));
            const int done = dense.Row(i, a);
            if (done == 0) return false;
            if (done < 0) {
                for (std::size_t k = 0; k < i; ++k) pivots[k] = dense.Pivots()[k];
                if (!ScalarRow(a, i, pivots, w)) return false;
                dense.Adopt(i, a, pivots[i]);
            }
        }
        for (std::size_t i = 0; i < n; ++i) pivots[i] = dense.Pivots()[i];
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            CheckCancelled(static_cast<std::int64_t>(i), static_cast<std::int64_t>(n));
            if (!ScalarRow(a, i, pivots, w, hermitian)) return false;
        }
    }

    l.assign(n, RCOVec(n));
    d.assign(n, RCOVec(n));
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (j > i) {
                l[i][j] = zero;
                d[i][j] = zero;
            } else if (j == i) {
                l[i][i] = one;
                d[i][i] = pivots[i];
            } else {
                l[i][j] = a[i][j];
                d[i][j] = zero;
            }
        }
    }
    return true;
}

}  // namespace quorvix
