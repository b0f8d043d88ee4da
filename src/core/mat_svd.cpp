// MatSVD: singular value decomposition A = U*S*V of a real m x n matrix of
// any shape: Householder reduction to upper bidiagonal form, explicit
// accumulation of U and V, then the implicitly shifted QR iteration on the
// bidiagonal with Givens rotations (Golub and Reinsch, in the column-oriented
// arrangement of the classic LINPACK routine).
//
// What it does not do: no complex input (a complex element enters with its
// real part only) and no scaling of the Householder norms against overflow.
// When m > n the iteration makes only n columns of U; the last m - n are
// completed with an orthonormal basis of the rest (Gram-Schmidt, twice, on
// the unit vectors least in the span so far), so that U is orthogonal: the
// first n columns, S and V are not touched by that. V is returned transposed, so that the plain product U*S*V gives A
// back. The iteration gives up after 60 QR steps on one singular value; S is
// then upper bidiagonal and U*S*V still equals A to rounding.
//
// The matrices are worked on as column-major arrays of doubles (every step
// runs down columns); norms, rotation parameters and shifts are extended
// temporaries. The column norms are summed with the 64-bit significand as
// well, so a matrix of tiny or huge elements neither loses a column to
// underflow nor overflows before the column is scaled. Ranges of columns (or
// rows) go to the threads, and the rotations of U and V are applied in
// batches; every element keeps its own operations in the order written.
#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "core/cancel.h"
#include "core/kernel/fault_scope.h"
#include "core/kernel/kernel_double.h"
#include "core/kernel/kernel_simd.h"
#include "core/kernel/parallel.h"
#include "core/matrice2.h"

namespace quorvix {

namespace {

using Ext = long double;

// A column-major matrix of doubles.
class ColumnMatrix {
public:
    ColumnMatrix(std::int32_t rows, std::int32_t cols)
        : rows_(static_cast<std::size_t>(rows)), data_(rows_ * static_cast<std::size_t>(cols), 0.0) {}
    double& operator()(std::int32_t i, std::int32_t j) {
        return data_[static_cast<std::size_t>(j) * rows_ + static_cast<std::size_t>(i)];
    }
    double* Column(std::int32_t j) { return &data_[static_cast<std::size_t>(j) * rows_]; }

private:
    std::size_t rows_;
    std::vector<double> data_;
};

Ext WithSignOf(Ext magnitude, Ext sign) { return sign < 0.0L ? -std::fabs(magnitude) : std::fabs(magnitude); }

struct Rotation {
    Ext cs = 1.0L;
    Ext sn = 0.0L;
    Ext r = 0.0L;
};

// The rotation that takes (f, g) to (r, 0); r has the sign of the larger of
// the two in magnitude (of g on a tie), a zero counting as positive.
Rotation Rot(Ext f, Ext g) {
    Rotation out;
    if (std::fabs(f) + std::fabs(g) == 0.0L) return out;
    const Ext roe = std::fabs(f) > std::fabs(g) ? f : g;
    out.r = std::sqrt(f * f + g * g);
    if (roe < 0.0L) out.r = -out.r;
    out.cs = f / out.r;
    out.sn = g / out.r;
    return out;
}

// The changes the iteration makes to the columns of U and V, kept in order
// and applied in batches: rows are independent, so ranges of rows go to the
// threads, and each element gets exactly the operations of the
// column-by-column loop, in the same order. The iteration itself never reads
// U or V, and orthogonal columns cannot overflow.
class ColumnOps {
public:
    ColumnOps(ColumnMatrix& u, std::int32_t m, ColumnMatrix& v, std::int32_t n) : u_(u), m_(m), v_(v), n_(n) {}

    // Columns a and b rotated by (cs, sn). The exact identity changes
    // nothing and is skipped.
    void Rotate(bool onU, std::int32_t a, std::int32_t b, const Rotation& rot) {
        if (rot.cs == 1.0L && rot.sn == 0.0L) return;
        Add(onU, {Op::Kind::Rotate, a, b, static_cast<double>(rot.cs), static_cast<double>(rot.sn)});
    }
    void Swap(bool onU, std::int32_t a, std::int32_t b) { Add(onU, {Op::Kind::Swap, a, b, 0.0, 0.0}); }
    void Negate(bool onU, std::int32_t a) { Add(onU, {Op::Kind::Negate, a, a, 0.0, 0.0}); }

    void Apply() {
        if (uOps_.empty() && vOps_.empty()) return;
        parallel::ParallelFor(m_ + n_, static_cast<std::int64_t>(uOps_.size() + vOps_.size()) * 3,
                              [&](std::int64_t first, std::int64_t last) {
                                  if (first < m_)
                                      ApplyRows(true, static_cast<std::int32_t>(first),
                                                static_cast<std::int32_t>(std::min<std::int64_t>(last, m_)));
                                  if (last > m_)
                                      ApplyRows(false,
                                                static_cast<std::int32_t>(std::max<std::int64_t>(first, m_) - m_),
                                                static_cast<std::int32_t>(last - m_));
                              });
        uOps_.clear();
        vOps_.clear();
    }

private:
    using Op = kernel::simd::ColumnOp;

    void Add(bool onU, const Op& op) {
        (onU ? uOps_ : vOps_).push_back(op);
        if (uOps_.size() + vOps_.size() >= 16384) Apply();
    }

    // Rows [r0, r1) of U or V, every operation in order, a block of rows at
    // a time so that the block stays cached.
    void ApplyRows(bool onU, std::int32_t r0, std::int32_t r1) {
        ColumnMatrix& x = onU ? u_ : v_;
        const std::vector<Op>& ops = onU ? uOps_ : vOps_;
        const auto stride = static_cast<std::size_t>(onU ? m_ : n_);
        for (std::int32_t b0 = r0; b0 < r1; b0 += 64) {
            CheckCancelled();
            const std::int32_t count = std::min(64, r1 - b0);
            if (kernel::simd::Enabled()) {
                kernel::simd::ApplyColumnOps(ops.data(), ops.size(), x.Column(0), stride, b0, b0 + count);
                continue;
            }
            for (const Op& op : ops) {
                double* xa = x.Column(op.a) + b0;
                double* xb = x.Column(op.b) + b0;
                switch (op.kind) {
                    case Op::Kind::Rotate: RotatePair(xa, xb, op.cs, op.sn, count); break;
                    case Op::Kind::Swap: std::swap_ranges(xa, xa + count, xb); break;
                    case Op::Kind::Negate:
                        for (std::int32_t i = 0; i < count; ++i) xa[i] = -xa[i];
                        break;
                }
            }
        }
    }

    // t = cs * xa + sn * xb; xb = -sn * xa + cs * xb; xa = t, two rows at a time.
    static void RotatePair(double* xa, double* xb, double cs, double sn, std::int32_t count) {
        const __m128d c = _mm_set1_pd(cs), s = _mm_set1_pd(sn), ns = _mm_set1_pd(-sn);
        std::int32_t i = 0;
        for (; i + 2 <= count; i += 2) {
            const __m128d a = _mm_loadu_pd(xa + i), b = _mm_loadu_pd(xb + i);
            const __m128d t = _mm_add_pd(_mm_mul_pd(c, a), _mm_mul_pd(s, b));
            _mm_storeu_pd(xb + i, _mm_add_pd(_mm_mul_pd(ns, a), _mm_mul_pd(c, b)));
            _mm_storeu_pd(xa + i, t);
        }
        for (; i < count; ++i) {
            const double t = cs * xa[i] + sn * xb[i];
            xb[i] = -sn * xa[i] + cs * xb[i];
            xa[i] = t;
        }
    }

    ColumnMatrix& u_;
    std::int32_t m_;
    ColumnMatrix& v_;
    std::int32_t n_;
    std::vector<Op> uOps_, vOps_;
};

double ElementOrZero(const RCOMat& a, std::int32_t i, std::int32_t j) {
    if (static_cast<std::size_t>(i) >= a.size()) return 0.0;
    const RCOVec& row = a[static_cast<std::size_t>(i)];
    if (static_cast<std::size_t>(j) >= row.size()) return 0.0;
    return ScalarToReal(row[static_cast<std::size_t>(j)]);
}

constexpr int kMaxQRSteps = 60;  // per singular value

// For each of `cols` (at most 4) columns y[c]: the sum of x[i] * y[c][i] over
// i = 0..count-1, in that order, in double. The columns' sums run side by
// side, each its own chain of additions.
void Dots(const double* x, const double* const* y, std::int32_t cols, std::int32_t count, double* out) {
    double s[4] = {0.0, 0.0, 0.0, 0.0};
    if (cols == 4) {
        for (std::int32_t i = 0; i < count; ++i) {
            s[0] += x[i] * y[0][i];
            s[1] += x[i] * y[1][i];
            s[2] += x[i] * y[2][i];
            s[3] += x[i] * y[3][i];
        }
    } else {
        for (std::int32_t c = 0; c < cols; ++c)
            for (std::int32_t i = 0; i < count; ++i) s[c] += x[i] * y[c][i];
    }
    for (std::int32_t c = 0; c < cols; ++c) out[c] = s[c];
}

// For each of `cols` (at most 4) columns y[c]: the sum of x[i] * y[c][i] / d
// over i = 0..count-1, each term divided before it is added, in that order,
// in double. The terms are formed two at a time (plain double work); the
// columns' sums run side by side, each its own chain.
void QuotientSums(const double* x, const double* const* y, std::int32_t cols, double d, std::int32_t count,
                  double* out) {
    constexpr std::int32_t kPiece = 256;
    alignas(16) double terms[4][kPiece];
    double s[4] = {0.0, 0.0, 0.0, 0.0};
    const __m128d dd = _mm_set1_pd(d);
    for (std::int32_t i0 = 0; i0 < count; i0 += kPiece) {
        const std::int32_t piece = std::min(kPiece, count - i0);
        for (std::int32_t c = 0; c < cols; ++c) {
            const double* yc = y[c] + i0;
            double* t = terms[c];
            std::int32_t i = 0;
            for (; i + 2 <= piece; i += 2)
                _mm_store_pd(t + i, _mm_div_pd(_mm_mul_pd(_mm_loadu_pd(x + i0 + i), _mm_loadu_pd(yc + i)), dd));
            for (; i < piece; ++i) t[i] = x[i0 + i] * yc[i] / d;
        }
        if (cols == 4) {
            for (std::int32_t i = 0; i < piece; ++i) {
                s[0] += terms[0][i];
                s[1] += terms[1][i];
                s[2] += terms[2][i];
                s[3] += terms[3][i];
            }
        } else {
            for (std::int32_t c = 0; c < cols; ++c)
                for (std::int32_t i = 0; i < piece; ++i) s[c] += terms[c][i];
        }
    }
    for (std::int32_t c = 0; c < cols; ++c) out[c] = s[c];
}

// Columns [firstCol, endCol) of x, rows from..from+count-1, each less the
// reflection held in those rows of column v: y := y - (sum of v[i] * y[i] /
// v[from]) * v, four columns at a time, the columns split over threads.
void ApplyReflection(ColumnMatrix& x, const double* v, std::int32_t from, std::int32_t count, std::int32_t firstCol,
                     std::int32_t endCol) {
    parallel::ParallelFor(
        endCol - firstCol, 4 * static_cast<std::int64_t>(count) + 4, [&](std::int64_t first, std::int64_t last) {
            for (std::int32_t j0 = firstCol + static_cast<std::int32_t>(first); j0 < firstCol + last; j0 += 4) {
                const std::int32_t cols = std::min<std::int32_t>(4, static_cast<std::int32_t>(firstCol + last - j0));
                const double* y[4];
                double sums[4];
                for (std::int32_t c = 0; c < cols; ++c) y[c] = x.Column(j0 + c) + from;
                QuotientSums(v + from, y, cols, v[from], count, sums);
                for (std::int32_t c = 0; c < cols; ++c)
                    kernel::AddScaled(x.Column(j0 + c) + from, -sums[c], v + from, count);
            }
        });
}

}  // namespace

namespace {

// Columns `from`..m-1 of the m x m matrix x, whose first `from` columns are
// orthonormal, become an orthonormal basis of the rest of the space: each
// new column starts from the unit vector e_k whose part outside the columns
// so far is largest, and is orthogonalized against them twice.
void CompleteColumns(ColumnMatrix& x, std::int32_t m, std::int32_t from) {
    if (from >= m) return;
    // inside[k]: the squared length of e_k's part inside the columns so far.
    std::vector<Ext> inside(static_cast<std::size_t>(m), 0.0L);
    for (std::int32_t c = 0; c < from; ++c)
        for (std::int32_t k = 0; k < m; ++k) inside[static_cast<std::size_t>(k)] += static_cast<Ext>(x(k, c)) * x(k, c);
    std::vector<double> w(static_cast<std::size_t>(m));
    for (std::int32_t j = from; j < m; ++j) {
        CheckCancelled(j, m);
        const std::int32_t k =
            static_cast<std::int32_t>(std::min_element(inside.begin(), inside.end()) - inside.begin());
        std::fill(w.begin(), w.end(), 0.0);
        w[static_cast<std::size_t>(k)] = 1.0;
        for (int pass = 0; pass < 2; ++pass) {
            for (std::int32_t c = 0; c < j; ++c) {
                const double* xc = x.Column(c);
                Ext dot = 0.0L;
                for (std::int32_t i = 0; i < m; ++i) dot += static_cast<Ext>(xc[i]) * w[static_cast<std::size_t>(i)];
                for (std::int32_t i = 0; i < m; ++i)
                    w[static_cast<std::size_t>(i)] = static_cast<double>(w[static_cast<std::size_t>(i)] - dot * xc[i]);
            }
        }
        Ext norm = 0.0L;
        for (double wi : w) norm += static_cast<Ext>(wi) * wi;
        norm = std::sqrt(norm);
        double* xj = x.Column(j);
        for (std::int32_t i = 0; i < m; ++i) {
            xj[i] = static_cast<double>(w[static_cast<std::size_t>(i)] / norm);
            inside[static_cast<std::size_t>(i)] += static_cast<Ext>(xj[i]) * xj[i];
        }
        // A unit vector taken is inside from now on.
        inside[static_cast<std::size_t>(k)] = 2.0L;
    }
}

}  // namespace

std::int32_t MatSVD(RCOMat& a, RCOMat& u, RCOMat& v, long double tol, std::int32_t m, std::int32_t n) {
    if (m < 0) m = 0;
    if (n < 0) n = 0;
    const std::size_t M = static_cast<std::size_t>(m);
    const std::size_t N = static_cast<std::size_t>(n);
    if (m == 0 || n == 0) {
        // Nothing to decompose; the outputs get their shapes and zeros.
        a.assign(M, RCOVec(N, Scalar::Real(0.0)));
        u.assign(M, RCOVec(M, Scalar::Real(0.0)));
        v.assign(N, RCOVec(N, Scalar::Real(0.0)));
        return 1;
    }

    FaultScope faults;
    ColumnMatrix A(m, n), U(m, m), V(n, n);
    for (std::int32_t i = 0; i < m; ++i)
        for (std::int32_t j = 0; j < n; ++j) A(i, j) = ElementOrZero(a, i, j);

    const std::int32_t nct = std::min(m - 1, n);               // column reflections
    const std::int32_t nrt = std::max(0, std::min(n - 2, m));  // row reflections
    std::int32_t p = std::min(n, m + 1);                       // order of the bidiagonal
    const std::int32_t nu = std::min(m, n);                    // columns of U generated
    const std::int32_t q = std::min(m, n);                     // diagonal elements of S
    const std::size_t len = static_cast<std::size_t>(std::max(m, n)) + 1;
    std::vector<Ext> s(len, 0.0L), e(len, 0.0L), work(len, 0.0L);

    // Reduction to bidiagonal form.
    for (std::int32_t k = 0; k < std::max(nct, nrt); ++k) {
        CheckCancelled(k, std::max(nct, nrt));
        const std::size_t kk = static_cast<std::size_t>(k);
        if (k < nct) {
            double* ak = A.Column(k);
            Ext sum = 0.0L;
            for (std::int32_t i = k; i < m; ++i) sum += static_cast<Ext>(ak[i]) * ak[i];
            s[kk] = std::sqrt(sum);
            if (s[kk] != 0.0L) {
                if (ak[k] != 0.0) s[kk] = WithSignOf(s[kk], ak[k]);
                for (std::int32_t i = k; i < m; ++i) ak[i] = static_cast<double>(ak[i] / s[kk]);
                ak[k] = 1.0 + ak[k];
            }
            s[kk] = -s[kk];
        }
        // The columns to the right, each on its own (ranges of them on the threads).
        const bool reflect = k < nct && s[kk] != 0.0L;
        parallel::ParallelFor(n - k - 1, reflect ? 2 * (m - k) + 4 : 1, [&](std::int64_t first, std::int64_t last) {
            const double* ak = A.Column(k);
            for (std::int32_t j0 = k + 1 + static_cast<std::int32_t>(first); j0 < k + 1 + last; j0 += 4) {
                const std::int32_t cols = std::min<std::int32_t>(4, static_cast<std::int32_t>(k + 1 + last - j0));
                if (reflect) {
                    const double* y[4];
                    double dots[4];
                    for (std::int32_t c = 0; c < cols; ++c) y[c] = A.Column(j0 + c) + k;
                    Dots(ak + k, y, cols, m - k, dots);
                    for (std::int32_t c = 0; c < cols; ++c) {
                        const double t = static_cast<double>(-static_cast<Ext>(dots[c]) / ak[k]);
                        kernel::AddScaled(A.Column(j0 + c) + k, t, ak + k, m - k);
                    }
                }
                for (std::int32_t c = 0; c < cols; ++c) e[static_cast<std::size_t>(j0 + c)] = A(k, j0 + c);
            }
        });
        if (k < nct) {
            for (std::int32_t i = k; i < m; ++i) U(i, k) = A(i, k);
        }
        if (k < nrt) {
            Ext sum = 0.0L;
            for (std::int32_t i = k + 1; i < n; ++i)
                sum += e[static_cast<std::size_t>(i)] * e[static_cast<std::size_t>(i)];
            e[kk] = std::sqrt(sum);
            if (e[kk] != 0.0L) {
                if (e[kk + 1] != 0.0L) e[kk] = WithSignOf(e[kk], e[kk + 1]);
                for (std::int32_t i = k + 1; i < n; ++i)
                    e[static_cast<std::size_t>(i)] = e[static_cast<std::size_t>(i)] / e[kk];
                e[kk + 1] = e[kk + 1] + 1.0L;
            }
            e[kk] = -e[kk];
            if (k + 1 < m && e[kk] != 0.0L) {
                // work(i) = sum over j = k+1..n-1 of e(j) * A(i, j), each in the
                // order of j; four rows at a time keep their sums in registers.
                // Ranges of rows on the threads.
                parallel::ParallelFor(m - k - 1, 2 * (n - k) + 4, [&](std::int64_t first, std::int64_t last) {
                    std::int32_t i = k + 1 + static_cast<std::int32_t>(first);
                    const std::int32_t end = k + 1 + static_cast<std::int32_t>(last);
                    for (; i + 3 < end; i += 4) {
                        Ext w0 = 0.0L, w1 = 0.0L, w2 = 0.0L, w3 = 0.0L;
                        for (std::int32_t j = k + 1; j < n; ++j) {
                            const Ext ej = e[static_cast<std::size_t>(j)];
                            const double* aj = A.Column(j);
                            w0 += ej * aj[i];
                            w1 += ej * aj[i + 1];
                            w2 += ej * aj[i + 2];
                            w3 += ej * aj[i + 3];
                        }
                        work[static_cast<std::size_t>(i)] = w0;
                        work[static_cast<std::size_t>(i) + 1] = w1;
                        work[static_cast<std::size_t>(i) + 2] = w2;
                        work[static_cast<std::size_t>(i) + 3] = w3;
                    }
                    for (; i < end; ++i) {
                        Ext w0 = 0.0L;
                        for (std::int32_t j = k + 1; j < n; ++j) w0 += e[static_cast<std::size_t>(j)] * A(i, j);
                        work[static_cast<std::size_t>(i)] = w0;
                    }
                });
                // Ranges of columns on the threads.
                parallel::ParallelFor(n - k - 1, 3 * (m - k) + 4, [&](std::int64_t first, std::int64_t last) {
                    for (std::int32_t j = k + 1 + static_cast<std::int32_t>(first); j < k + 1 + last; ++j) {
                        const Ext ej = e[static_cast<std::size_t>(j)];
                        double* aj = A.Column(j);
                        for (std::int32_t i = k + 1; i < m; ++i)
                            aj[i] = static_cast<double>(aj[i] - work[static_cast<std::size_t>(i)] * ej / e[kk + 1]);
                    }
                });
            }
            for (std::int32_t i = k + 1; i < n; ++i) V(i, k) = static_cast<double>(e[static_cast<std::size_t>(i)]);
        }
        faults.Check();
    }

    // The final bidiagonal.
    if (nct < n) s[static_cast<std::size_t>(nct)] = A(nct, nct);
    if (m < p) s[static_cast<std::size_t>(p - 1)] = 0.0L;
    if (nrt + 1 < p) e[static_cast<std::size_t>(nrt)] = A(nrt, p - 1);
    e[static_cast<std::size_t>(p - 1)] = 0.0L;

    // U, columns 0..nu-1.
    for (std::int32_t j = nct; j < nu; ++j) {
        std::fill(U.Column(j), U.Column(j) + m, 0.0);
        U(j, j) = 1.0;
    }
    for (std::int32_t k = nct - 1; k >= 0; --k) {
        CheckCancelled();
        double* uk = U.Column(k);
        if (s[static_cast<std::size_t>(k)] != 0.0L) {
            ApplyReflection(U, uk, k, m - k, k + 1, nu);
            for (std::int32_t i = k; i < m; ++i) uk[i] = -uk[i];
            uk[k] = 1.0 + uk[k];
            for (std::int32_t i = 0; i < k; ++i) uk[i] = 0.0;
        } else {
            std::fill(uk, uk + m, 0.0);
            uk[k] = 1.0;
        }
    }

    // V, all n columns.
    for (std::int32_t k = n - 1; k >= 0; --k) {
        CheckCancelled();
        double* vk = V.Column(k);
        if (k < nrt && e[static_cast<std::size_t>(k)] != 0.0L) {
            ApplyReflection(V, vk, k + 1, n - k - 1, k + 1, n);
        }
        std::fill(vk, vk + n, 0.0);
        vk[k] = 1.0;
    }
    faults.Check();

    // The QR iteration on the bidiagonal s(0..p-1), e(0..p-2).
    const std::int32_t pp = p;
    int counter = kMaxQRSteps;
    // Between two converged values there are at most 60 QR steps, and at most
    // p deflations or splits after each step (each zeroes a superdiagonal
    // element); this cap is never reached with finite values.
    long long budget = static_cast<long long>(pp + 1) * (kMaxQRSteps + 1) * (pp + 2);
    std::int32_t result = 1;
    auto S = [&](std::int32_t i) -> Ext& { return s[static_cast<std::size_t>(i)]; };
    auto E = [&](std::int32_t i) -> Ext& { return e[static_cast<std::size_t>(i)]; };
    ColumnOps ops(U, m, V, n);
    std::int64_t steps = 0;
    for (;;) {
        faults.Check();
        if (++steps % 64 == 0) CheckCancelled();
        if (p == 0) break;
        if (counter == 0 || --budget < 0) {
            result = 0;
            break;
        }
        // Split: the trailing block s(l..p-1) whose superdiagonal is not negligible.
        std::int32_t l = p - 1;
        while (l > 0 && E(l - 1) != 0.0L) {
            if (std::fabs(E(l - 1)) <= tol * (std::fabs(S(l - 1)) + std::fabs(S(l)))) {
                E(l - 1) = 0.0L;
                break;
            }
            l = l - 1;
        }
        if (l == p - 1) {
            // s(p-1) has converged: make it non-negative and move it into order.
            if (S(p - 1) < 0.0L) {
                S(p - 1) = -S(p - 1);
                ops.Negate(false, p - 1);
            }
            std::int32_t k = p - 1;
            while (k + 1 != pp && S(k) < S(k + 1)) {
                std::swap(S(k), S(k + 1));
                if (k + 1 < n) ops.Swap(false, k, k + 1);
                if (k + 1 < m) ops.Swap(true, k, k + 1);
                k = k + 1;
            }
            counter = kMaxQRSteps;
            p = p - 1;
            continue;
        }
        // A negligible diagonal element in the block?
        std::int32_t j = p - 1;
        while (j >= l && S(j) != 0.0L) {
            const Ext t = (j != p - 1 ? std::fabs(E(j)) : 0.0L) + (j != l ? std::fabs(E(j - 1)) : 0.0L);
            if (std::fabs(S(j)) <= tol * t) {
                S(j) = 0.0L;
                break;
            }
            j = j - 1;
        }
        if (j == l - 1) {
            // One implicitly shifted QR step on the block l..p-1.
            const Ext scale = std::max(
                {std::fabs(S(p - 1)), std::fabs(S(p - 2)), std::fabs(E(p - 2)), std::fabs(S(l)), std::fabs(E(l))});
            const Ext sm = S(p - 1) / scale;
            const Ext smm1 = S(p - 2) / scale;
            const Ext emm1 = E(p - 2) / scale;
            const Ext sl = S(l) / scale;
            const Ext el = E(l) / scale;
            const Ext b = ((smm1 + sm) * (smm1 - sm) + emm1 * emm1) / 2.0L;
            const Ext c = (sm * emm1) * (sm * emm1);
            Ext shift = 0.0L;
            if (b != 0.0L || c != 0.0L) {
                shift = std::sqrt(b * b + c);
                if (b < 0.0L) shift = -shift;
                shift = c / (b + shift);
            }
            Ext f = (sl + sm) * (sl - sm) - shift;
            Ext g = sl * el;
            for (std::int32_t k = l; k <= p - 2; ++k) {
                Rotation rot = Rot(f, g);
                if (k != l) E(k - 1) = rot.r;
                f = rot.cs * S(k) + rot.sn * E(k);
                E(k) = rot.cs * E(k) - rot.sn * S(k);
                g = rot.sn * S(k + 1);
                S(k + 1) = rot.cs * S(k + 1);
                ops.Rotate(false, k, k + 1, rot);
                rot = Rot(f, g);
                S(k) = rot.r;
                f = rot.cs * E(k) + rot.sn * S(k + 1);
                S(k + 1) = -rot.sn * E(k) + rot.cs * S(k + 1);
                g = rot.sn * E(k + 1);
                E(k + 1) = rot.cs * E(k + 1);
                if (k + 1 < m) ops.Rotate(true, k, k + 1, rot);
            }
            E(p - 2) = f;
            counter = counter - 1;
        } else if (j == p - 1) {
            // s(p-1) is negligible: chase e(p-2) out of the block.
            Ext f = E(p - 2);
            E(p - 2) = 0.0L;
            for (std::int32_t k = p - 2; k >= l; --k) {
                const Rotation rot = Rot(S(k), f);
                S(k) = rot.r;
                if (k != l) {
                    f = -rot.sn * E(k - 1);
                    E(k - 1) = rot.cs * E(k - 1);
                }
                ops.Rotate(false, k, p - 1, rot);
            }
        } else {
            // s(j) is negligible inside the block: split there.
            Ext f = E(j);
            E(j) = 0.0L;
            for (std::int32_t k = j + 1; k <= p - 1; ++k) {
                const Rotation rot = Rot(S(k), f);
                S(k) = rot.r;
                f = -rot.sn * E(k);
                E(k) = rot.cs * E(k);
                // U has m columns; the bidiagonal's extra order (p = m + 1)
                // only ever holds an exact zero, which never splits here.
                if (k < m && j < m) ops.Rotate(true, k, j, rot);
            }
        }
    }
    ops.Apply();
    faults.Check();
    CompleteColumns(U, m, nu);

    // S into A; every other element zero.
    a.assign(M, RCOVec(N, Scalar::Real(0.0)));
    for (std::int32_t k = 0; k <= q - 2; ++k) {
        a[static_cast<std::size_t>(k)][static_cast<std::size_t>(k)] = Scalar::Real(StoreDouble(S(k)));
        a[static_cast<std::size_t>(k)][static_cast<std::size_t>(k + 1)] = Scalar::Real(StoreDouble(E(k)));
    }
    a[static_cast<std::size_t>(q - 1)][static_cast<std::size_t>(q - 1)] = Scalar::Real(StoreDouble(S(q - 1)));
    if (m < n) a[static_cast<std::size_t>(q - 1)][static_cast<std::size_t>(q)] = Scalar::Real(StoreDouble(E(q - 1)));

    u.assign(M, RCOVec(M));
    for (std::int32_t i = 0; i < m; ++i)
        for (std::int32_t j = 0; j < m; ++j)
            u[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = Scalar::Real(StoreDouble(U(i, j)));
    // V transposed: row i of the result is column i of the accumulated V.
    v.assign(N, RCOVec(N));
    for (std::int32_t i = 0; i < n; ++i) {
        const double* vc = V.Column(i);
        for (std::int32_t j = 0; j < n; ++j)
            v[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = Scalar::Real(StoreDouble(vc[j]));
    }
    return result;
}

}  // namespace quorvix
