// MatSVD: singular value decomposition A = U*S*V of a real m x n matrix of
// any shape: Householder reduction to upper bidiagonal form, explicit
// accumulation of U and V, then the implicitly shifted QR iteration on the
// bidiagonal with Givens rotations (Golub and Reinsch, in the column-oriented
// arrangement of the classic LINPACK routine).
//
// What it does not do: no complex input (a complex element enters with its
// real part only), no scaling of the Householder norms against overflow, and
// no columns of U beyond min(m, n): when m > n the last m - n columns of U stay
// zero. V is returned transposed, so that the plain product U*S*V gives A
// back. The iteration gives up after 60 QR steps on one singular value; S is
// then upper bidiagonal and U*S*V still equals A to rounding.
//
// The matrices are worked on as column-major arrays of doubles (every step
// runs down columns); norms, rotation parameters and shifts are extended
// temporaries. The column norms are summed with the 64-bit significand as
// well, so a matrix of tiny or huge elements neither loses a column to
// underflow nor overflows before the column is scaled.
#include "core/reference/matrice2_reference.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "core/kernel/fault_scope.h"
#include "core/matrice2.h"

namespace quorvix::reference {

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

// Columns a and b of X (rows entries each) rotated by (cs, sn). The exact
// identity changes nothing and is skipped.
void RotateColumns(ColumnMatrix& x, std::int32_t rows, std::int32_t a, std::int32_t b, const Rotation& rot) {
    if (rot.cs == 1.0L && rot.sn == 0.0L) return;
    const double cs = static_cast<double>(rot.cs);
    const double sn = static_cast<double>(rot.sn);
    double* xa = x.Column(a);
    double* xb = x.Column(b);
    for (std::int32_t i = 0; i < rows; ++i) {
        const double t = cs * xa[i] + sn * xb[i];
        xb[i] = -sn * xa[i] + cs * xb[i];
        xa[i] = t;
    }
}

void SwapColumns(ColumnMatrix& x, std::int32_t rows, std::int32_t a, std::int32_t b) {
    std::swap_ranges(x.Column(a), x.Column(a) + rows, x.Column(b));
}

double ElementOrZero(const RCOMat& a, std::int32_t i, std::int32_t j) {
    if (static_cast<std::size_t>(i) >= a.size()) return 0.0;
    const RCOVec& row = a[static_cast<std::size_t>(i)];
    if (static_cast<std::size_t>(j) >= row.size()) return 0.0;
    return ScalarToReal(row[static_cast<std::size_t>(j)]);
}

constexpr int kMaxQRSteps = 60;  // per singular value

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
        for (std::int32_t j = k + 1; j < n; ++j) {
            if (k < nct && s[kk] != 0.0L) {
                const double* ak = A.Column(k);
                double* aj = A.Column(j);
                double dot = 0.0;
                for (std::int32_t i = k; i < m; ++i) dot += ak[i] * aj[i];
                const double t = static_cast<double>(-static_cast<Ext>(dot) / ak[k]);
                for (std::int32_t i = k; i < m; ++i) aj[i] = aj[i] + t * ak[i];
            }
            e[static_cast<std::size_t>(j)] = A(k, j);
        }
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
                std::int32_t i = k + 1;
                for (; i + 3 < m; i += 4) {
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
                for (; i < m; ++i) {
                    Ext w0 = 0.0L;
                    for (std::int32_t j = k + 1; j < n; ++j) w0 += e[static_cast<std::size_t>(j)] * A(i, j);
                    work[static_cast<std::size_t>(i)] = w0;
                }
                for (std::int32_t j = k + 1; j < n; ++j) {
                    const Ext ej = e[static_cast<std::size_t>(j)];
                    double* aj = A.Column(j);
                    for (std::int32_t i = k + 1; i < m; ++i)
                        aj[i] = static_cast<double>(aj[i] - work[static_cast<std::size_t>(i)] * ej / e[kk + 1]);
                }
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
        double* uk = U.Column(k);
        if (s[static_cast<std::size_t>(k)] != 0.0L) {
            for (std::int32_t j = k + 1; j < nu; ++j) {
                double* uj = U.Column(j);
                double sum = 0.0;
                for (std::int32_t i = k; i < m; ++i) sum += uk[i] * uj[i] / uk[k];
                const double t = -sum;
                for (std::int32_t i = k; i < m; ++i) uj[i] = uj[i] + t * uk[i];
            }
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
        double* vk = V.Column(k);
        if (k < nrt && e[static_cast<std::size_t>(k)] != 0.0L) {
            for (std::int32_t j = k + 1; j < n; ++j) {
                double* vj = V.Column(j);
                double sum = 0.0;
                for (std::int32_t i = k + 1; i < n; ++i) sum += vk[i] * vj[i] / vk[k + 1];
                const double t = -sum;
                for (std::int32_t i = k + 1; i < n; ++i) vj[i] = vj[i] + t * vk[i];
            }
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
    for (;;) {
        faults.Check();
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
                double* vc = V.Column(p - 1);
                for (std::int32_t i = 0; i < n; ++i) vc[i] = -vc[i];
            }
            std::int32_t k = p - 1;
            while (k + 1 != pp && S(k) < S(k + 1)) {
                std::swap(S(k), S(k + 1));
                if (k + 1 < n) SwapColumns(V, n, k, k + 1);
                if (k + 1 < m) SwapColumns(U, m, k, k + 1);
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
                RotateColumns(V, n, k, k + 1, rot);
                rot = Rot(f, g);
                S(k) = rot.r;
                f = rot.cs * E(k) + rot.sn * S(k + 1);
                S(k + 1) = -rot.sn * E(k) + rot.cs * S(k + 1);
                g = rot.sn * E(k + 1);
                E(k + 1) = rot.cs * E(k + 1);
                if (k + 1 < m) RotateColumns(U, m, k, k + 1, rot);
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
                RotateColumns(V, n, k, p - 1, rot);
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
                if (k < m && j < m) RotateColumns(U, m, k, j, rot);
            }
        }
    }
    faults.Check();

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

}  // namespace quorvix::reference
