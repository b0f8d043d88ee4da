// Eigenvalues of a real square matrix: balancing by powers of 2, reduction
// to upper Hessenberg form by Gaussian elimination with interchanges, and the
// Francis double-shift QR iteration with exceptional shifts. All three work in
// place on the 1-based (n+1) x (n+1) working matrix; row 0 and column 0 are
// never touched.
//
// What they do not do: no eigenvectors, no permutation step in the balancing
// (isolated eigenvalues are not split off first), no sorting of the results
// (an eigenvalue stands at the position where it split off), and no complex
// input (a complex element enters with its real part only). The iteration
// gives up after 30 sweeps on one eigenvalue or pair.
//
// Each routine copies the working matrix into a dense array of doubles,
// computes there and writes real Scalars back. All temporaries are doubles.
// The reduction's rows are worked on all threads (each replays its own part
// of a step in the order written), and the sweeps' row updates run two
// columns at a time; no element's operations change.
#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "core/cancel.h"
#include "core/kernel/fault_scope.h"
#include "core/kernel/kernel_double.h"
#include "core/kernel/parallel.h"
#include "core/matrice2.h"

namespace quorvix {

namespace {

// The working matrix as doubles, indexed from 1 like the matrx2 it came from.
class DenseWork {
public:
    DenseWork(const matrx2& a, std::int32_t n)
        : n_(n), stride_(static_cast<std::size_t>(n) + 1), h_(stride_ * stride_, 0.0) {
        for (std::int32_t i = 1; i <= n; ++i) {
            if (static_cast<std::size_t>(i) >= a.size()) break;
            const auto& row = a[static_cast<std::size_t>(i)];
            for (std::int32_t j = 1; j <= n; ++j)
                if (static_cast<std::size_t>(j) < row.size())
                    (*this)(i, j) = ScalarToReal(row[static_cast<std::size_t>(j)]);
        }
    }

    double& operator()(std::int32_t i, std::int32_t j) {
        return h_[static_cast<std::size_t>(i) * stride_ + static_cast<std::size_t>(j)];
    }

    // Writes elements (1..n, 1..n) back as real Scalars, growing short rows.
    void StoreInto(matrx2& a) const {
        const std::size_t size = stride_;
        if (a.size() < size) a.resize(size);
        for (std::int32_t i = 1; i <= n_; ++i) {
            auto& row = a[static_cast<std::size_t>(i)];
            if (row.size() < size) row.resize(size);
            for (std::int32_t j = 1; j <= n_; ++j)
                row[static_cast<std::size_t>(j)] =
                    Scalar::Real(StoreDouble(h_[static_cast<std::size_t>(i) * stride_ + static_cast<std::size_t>(j)]));
        }
    }

private:
    std::int32_t n_;
    std::size_t stride_;
    std::vector<double> h_;
};

// Balancing repeats its passes until one makes no change. Each change lowers
// the off-diagonal sum of its row and column by at least 5 %, so this ends in
// practice after a few passes; the cap only guards against values that keep
// a pass changing by rounding alone.
constexpr int kMaxBalancePasses = 1000;

// Sweeps allowed for one eigenvalue (or pair) before the iteration gives up.
constexpr int kMaxSweeps = 30;

// For j = from..to: p = r0[j] + q * r1[j] (+ r * r2[j] when there is a third
// row, which then loses p * z); r1[j] loses p * y and r0[j] loses p * x. Each
// column on its own, in double, the operations in the order written.
void ReflectRows(double* r0, double* r1, double* r2, std::int32_t from, std::int32_t to, double q, double r, double x,
                 double y, double z) {
    const __m128d vq = _mm_set1_pd(q), vr = _mm_set1_pd(r), vx = _mm_set1_pd(x), vy = _mm_set1_pd(y),
                  vz = _mm_set1_pd(z);
    std::int32_t j = from;
    for (; j + 1 <= to; j += 2) {
        __m128d p = _mm_add_pd(_mm_loadu_pd(r0 + j), _mm_mul_pd(vq, _mm_loadu_pd(r1 + j)));
        if (r2 != nullptr) {
            p = _mm_add_pd(p, _mm_mul_pd(vr, _mm_loadu_pd(r2 + j)));
            _mm_storeu_pd(r2 + j, _mm_sub_pd(_mm_loadu_pd(r2 + j), _mm_mul_pd(p, vz)));
        }
        _mm_storeu_pd(r1 + j, _mm_sub_pd(_mm_loadu_pd(r1 + j), _mm_mul_pd(p, vy)));
        _mm_storeu_pd(r0 + j, _mm_sub_pd(_mm_loadu_pd(r0 + j), _mm_mul_pd(p, vx)));
    }
    for (; j <= to; ++j) {
        double p = r0[j] + q * r1[j];
        if (r2 != nullptr) {
            p = p + r * r2[j];
            r2[j] = r2[j] - p * z;
        }
        r1[j] = r1[j] - p * y;
        r0[j] = r0[j] - p * x;
    }
}

}  // namespace

void MatBalance(matrx2& a, std::int32_t n) {
    if (n <= 0) return;  // one pass without change
    FaultScope faults;
    DenseWork h(a, n);
    bool changed = true;
    for (int pass = 0; changed && pass < kMaxBalancePasses; ++pass) {
        CheckCancelled();
        changed = false;
        for (std::int32_t i = 1; i <= n; ++i) {
            // Column i and row i without their diagonal element.
            long double colSum = 0.0L;
            long double rowSum = 0.0L;
            for (std::int32_t j = 1; j <= n; ++j) {
                if (j == i) continue;
                colSum += std::fabs(static_cast<long double>(h(j, i)));
                rowSum += std::fabs(static_cast<long double>(h(i, j)));
            }
            double c = StoreDouble(colSum);
            const double r = StoreDouble(rowSum);
            if (c == 0.0 || r == 0.0) continue;
            double g = r / 2.0;
            double f = 1.0;
            const double s = c + r;
            while (c < g) {
                f = f * 2.0;
                c = c * 4.0;
            }
            g = r * 2.0;
            while (c > g) {
                f = f / 2.0;
                c = c / 4.0;
            }
            if ((c + r) / f < 0.95 * s) {
                changed = true;
                const double inv = 1.0 / f;
                for (std::int32_t j = 1; j <= n; ++j) h(i, j) = h(i, j) * inv;
                for (std::int32_t j = 1; j <= n; ++j) h(j, i) = h(j, i) * f;
            }
        }
        faults.Check();
    }
    h.StoreInto(a);
}

void MatHessenberg(matrx2& a, std::int32_t n) {
    if (n <= 2) return;
    FaultScope faults;
    DenseWork h(a, n);
    std::vector<std::int32_t> active;  // rows i > m with a non-zero multiplier, in order
    std::vector<double> y(static_cast<std::size_t>(n) + 1), before(static_cast<std::size_t>(n) + 1);
    std::vector<char> isActive(static_cast<std::size_t>(n) + 1);
    for (std::int32_t m = 2; m <= n - 1; ++m) {
        CheckCancelled(m, n);
        // Pivot: the first largest element of column m-1 from row m down.
        double x = 0.0;
        std::int32_t i = m;
        for (std::int32_t j = m; j <= n; ++j) {
            if (std::fabs(h(j, m - 1)) > std::fabs(x)) {
                x = h(j, m - 1);
                i = j;
            }
        }
        if (i != m) {
            for (std::int32_t j = m - 1; j <= n; ++j) std::swap(h(i, j), h(m, j));
            for (std::int32_t j = 1; j <= n; ++j) std::swap(h(j, i), h(j, m));
        }
        if (x != 0.0) {
            // Row i (each i > m in turn) loses y_i times row m from column m
            // on, and column m gains y_i times column i. Row m beyond column m
            // and column m-1 do not change in the step, so the multipliers are
            // known at once, and so is every value h(m, m) takes (it is the
            // only element of row m that changes). Each row can then replay
            // its own part of the step: its element of column m meets the
            // additions in order of i, with its row's values as they are at
            // that moment, and its own subtraction at its own turn.
            active.clear();
            std::fill(isActive.begin(), isActive.end(), 0);
            double hmm = h(m, m);
            for (i = m + 1; i <= n; ++i) {
                double yi = h(i, m - 1);
                if (yi == 0.0) continue;
                yi = yi / x;
                h(i, m - 1) = yi;  // the multiplier stays below the subdiagonal
                y[static_cast<std::size_t>(i)] = yi;
                before[static_cast<std::size_t>(i)] = hmm;  // h(m, m) when row i is worked
                hmm = hmm + yi * h(m, i);
                active.push_back(i);
                isActive[static_cast<std::size_t>(i)] = 1;
            }
            const double* rowM = &h(m, 0);
            parallel::ParallelFor(n, 3 * static_cast<std::int64_t>(n) + 8, [&](std::int64_t first, std::int64_t last) {
                for (auto r = static_cast<std::int32_t>(first + 1); r <= last; ++r) {
                    double* row = &h(r, 0);
                    double acc = row[m];
                    const bool own = isActive[static_cast<std::size_t>(r)] != 0;
                    std::size_t t = 0;
                    for (; t < active.size() && active[t] < r; ++t)
                        acc = acc + y[static_cast<std::size_t>(active[t])] * row[active[t]];
                    if (own) {
                        const double yr = y[static_cast<std::size_t>(r)];
                        // The sum waits in row[m] (which the update leaves alone),
                        // so that it is not kept in memory across the loops.
                        row[m] = acc - yr * before[static_cast<std::size_t>(r)];
                        kernel::SubtractScaled(row + m + 1, yr, rowM + m + 1, n - m);
                        acc = row[m];
                    }
                    for (; t < active.size(); ++t) acc = acc + y[static_cast<std::size_t>(active[t])] * row[active[t]];
                    row[m] = acc;
                }
            });
        }
        faults.Check();
    }
    h.StoreInto(a);
}

std::int32_t MatEigenvalues(matrx2& a, std::int32_t n, RCoVecD& re, RCoVecD& im) {
    const std::size_t size = static_cast<std::size_t>(n < 0 ? 0 : n) + 1;
    if (re.size() < size) re.resize(size, 0.0);
    if (im.size() < size) im.resize(size, 0.0);
    if (n <= 0) return 0;  // nothing to find (and no element to read)

    FaultScope faults;
    DenseWork h(a, n);

    // Norm of the Hessenberg part only: the multipliers below the subdiagonal
    // are cleared by the sweeps before they are read.
    long double norm = std::fabs(static_cast<long double>(h(1, 1)));
    for (std::int32_t i = 2; i <= n; ++i)
        for (std::int32_t j = i - 1; j <= n; ++j) norm += std::fabs(static_cast<long double>(h(i, j)));
    const double anorm = StoreDouble(norm);

    std::int32_t nn = n;
    double t = 0.0;  // the sum of the exceptional shifts applied so far
    bool complete = true;
    double p = 0.0, q = 0.0, r = 0.0, s = 0.0, w = 0.0, x = 0.0, y = 0.0, z = 0.0;
    while (nn >= 1) {
        int its = 0;
        std::int32_t l = 1;
        for (;;) {
            // Look for a single small subdiagonal element.
            for (l = nn; l >= 2; --l) {
                s = std::fabs(h(l - 1, l - 1)) + std::fabs(h(l, l));
                if (s == 0.0) s = anorm;
                if (std::fabs(h(l, l - 1)) + s == s) break;
            }
            x = h(nn, nn);
            if (l == nn) {  // one root
                re[static_cast<std::size_t>(nn)] = x + t;
                im[static_cast<std::size_t>(nn)] = 0.0;
                nn = nn - 1;
                break;
            }
            y = h(nn - 1, nn - 1);
            w = h(nn, nn - 1) * h(nn - 1, nn);
            if (l == nn - 1) {  // two roots
                p = 0.5 * (y - x);
                q = p * p + w;
                z = std::sqrt(std::fabs(q));
                x = x + t;
                const std::size_t lo = static_cast<std::size_t>(nn - 1);
                const std::size_t hi = static_cast<std::size_t>(nn);
                if (q >= 0.0) {  // a real pair
                    z = p >= 0.0 ? p + std::fabs(z) : p - std::fabs(z);
                    re[lo] = re[hi] = x + z;
                    if (z != 0.0) re[hi] = x - w / z;
                    im[lo] = im[hi] = 0.0;
                } else {  // a complex pair, the negative imaginary part first
                    re[lo] = re[hi] = x + p;
                    im[lo] = -z;
                    im[hi] = z;
                }
                nn = nn - 2;
                break;
            }
            // No split yet.
            if (its == kMaxSweeps) {
                complete = false;
                break;
            }
            if (its == 10 || its == 20) {  // exceptional shift
                t = t + x;
                for (std::int32_t i = 1; i <= nn; ++i) h(i, i) = h(i, i) - x;
                s = std::fabs(h(nn, nn - 1)) + std::fabs(h(nn - 1, nn - 2));
                x = 0.75 * s;
                y = x;
                w = -0.4375 * s * s;
            }
            ++its;
            CheckCancelled(n - nn, n);
            // Look for two consecutive small subdiagonal elements.
            std::int32_t m = nn - 2;
            for (; m >= l; --m) {
                z = h(m, m);
                r = x - z;
                s = y - z;
                p = (r * s - w) / h(m + 1, m) + h(m, m + 1);
                q = h(m + 1, m + 1) - z - r - s;
                r = h(m + 2, m + 1);
                s = std::fabs(p) + std::fabs(q) + std::fabs(r);
                p = p / s;
                q = q / s;
                r = r / s;
                if (m == l) break;
                const double u = std::fabs(h(m, m - 1)) * (std::fabs(q) + std::fabs(r));
                const double v =
                    std::fabs(p) * (std::fabs(h(m - 1, m - 1)) + std::fabs(z) + std::fabs(h(m + 1, m + 1)));
                if (u + v == v) break;
            }
            for (std::int32_t i = m + 2; i <= nn; ++i) {
                h(i, i - 2) = 0.0;
                if (i != m + 2) h(i, i - 3) = 0.0;
            }
            // Double-shift QR sweep on rows and columns l..nn.
            for (std::int32_t k = m; k <= nn - 1; ++k) {
                if (k != m) {
                    p = h(k, k - 1);
                    q = h(k + 1, k - 1);
                    r = 0.0;
                    if (k != nn - 1) r = h(k + 2, k - 1);
                    x = std::fabs(p) + std::fabs(q) + std::fabs(r);
                    if (x != 0.0) {
                        p = p / x;
                        q = q / x;
                        r = r / x;
                    }
                }
                s = std::sqrt(p * p + q * q + r * r);
                if (p < 0.0) s = -s;
                if (s == 0.0) continue;
                if (k == m) {
                    if (l != m) h(k, k - 1) = -h(k, k - 1);
                } else {
                    h(k, k - 1) = -s * x;
                }
                p = p + s;
                x = p / s;
                y = q / s;
                z = r / s;
                q = q / p;
                r = r / p;
                // Columns k..nn of rows k, k+1 (and k+2), two columns at a time.
                ReflectRows(&h(k, 0), &h(k + 1, 0), k != nn - 1 ? &h(k + 2, 0) : nullptr, k, nn, q, r, x, y, z);
                const std::int32_t last = nn < k + 3 ? nn : k + 3;
                for (std::int32_t i = l; i <= last; ++i) {
                    p = x * h(i, k) + y * h(i, k + 1);
                    if (k != nn - 1) {
                        p = p + z * h(i, k + 2);
                        h(i, k + 2) = h(i, k + 2) - p * r;
                    }
                    h(i, k + 1) = h(i, k + 1) - p * q;
                    h(i, k) = h(i, k) - p;
                }
            }
            faults.Check();
        }
        if (!complete) break;
        faults.Check();
    }
    faults.Check();

    if (!complete) {
        // Positions 1..nn received no eigenvalue in this run; they must not
        // show anything computed before.
        for (std::int32_t k = 1; k <= nn; ++k) {
            re[static_cast<std::size_t>(k)] = 0.0;
            im[static_cast<std::size_t>(k)] = 0.0;
        }
    }
    for (std::int32_t k = 1; k <= n; ++k) {
        StoreDouble(re[static_cast<std::size_t>(k)]);
        StoreDouble(im[static_cast<std::size_t>(k)]);
    }
    h.StoreInto(a);
    return complete ? 0 : nn;
}

}  // namespace quorvix
