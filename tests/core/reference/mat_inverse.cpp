// Complex Gauss-Jordan inversion with full pivoting, on split real and
// imaginary arrays of doubles.
// Does not scale rows or columns and does not refine the result; a pivot
// counts as zero when its squared modulus vanishes next to 1 in extended
// precision (at most 2^-64), so only moduli up to about 2.3e-10 are refused.
// Works on doubles, not Scalars: no part is flushed to zero on the way.
#include "core/reference/matrice2_reference.h"

#include <cstddef>
#include <utility>

#include "core/kernel/fpu.h"
#include "core/matrice2.h"

namespace quorvix::reference {
namespace {

using Ext = long double;

// Each formula is evaluated with a 64-bit significand and rounded to double
// when it is stored; an overflow or an invalid result raises its error.
inline double Store(Ext v) { return StoreDouble(v); }

void SwapRows(RCoVecD& re, RCoVecD& im, std::int32_t n, std::int32_t r1, std::int32_t r2) {
    for (std::int32_t j = 0; j < n; ++j) {
        std::swap(re[r1 * n + j], re[r2 * n + j]);
        std::swap(im[r1 * n + j], im[r2 * n + j]);
    }
}

void SwapColumns(RCoVecD& re, RCoVecD& im, std::int32_t n, std::int32_t c1, std::int32_t c2) {
    for (std::int32_t i = 0; i < n; ++i) {
        std::swap(re[i * n + c1], re[i * n + c2]);
        std::swap(im[i * n + c1], im[i * n + c2]);
    }
}

}  // namespace

bool MatInverse(std::int32_t n, RCoVecD& re, RCoVecD& im, RCOMat& inv) {
    if (n < 0) n = 0;
    SizeMatrix(inv, n, n);
    const std::size_t count = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
    // Arrays too short for n x n elements cannot be inverted; treat them as
    // having no result rather than read past their end.
    if (re.size() < count || im.size() < count) return true;

    RCoVecE rowPiv(static_cast<std::size_t>(n), 0);
    RCoVecE colPiv(static_cast<std::size_t>(n), 0);
    for (std::int32_t k = 0; k < n; ++k) {
        // Pivot: the first element of largest squared modulus, row-major.
        double d = 0.0;
        for (std::int32_t i = k; i < n; ++i)
            for (std::int32_t j = k; j < n; ++j) {
                const std::int32_t u = i * n + j;
                const double p = Store(Ext(re[u]) * re[u] + Ext(im[u]) * im[u]);
                if (p > d) {
                    d = p;
                    rowPiv[k] = i;
                    colPiv[k] = j;
                }
            }
        // Singular when 1 + d cannot be told from 1 with a 64-bit significand.
        if (Ext(1.0L) + d == Ext(1.0L)) return true;

        if (rowPiv[k] != k) SwapRows(re, im, n, k, rowPiv[k]);
        if (colPiv[k] != k) SwapColumns(re, im, n, k, colPiv[k]);

        // The pivot becomes its reciprocal: conj(z) / |z|^2.
        const std::int32_t l = k * n + k;
        re[l] = Store(Ext(re[l]) / d);
        im[l] = Store(-Ext(im[l]) / d);
        const double reL = re[l];
        const double imL = im[l];

        // Row k times the reciprocal pivot; each complex product takes three
        // real multiplications.
        for (std::int32_t j = 0; j < n; ++j) {
            if (j == k) continue;
            const std::int32_t u = k * n + j;
            const double p = Store(Ext(re[u]) * reL);
            const double q = Store(Ext(im[u]) * imL);
            const double s = Store((Ext(re[u]) + im[u]) * (Ext(reL) + imL));
            re[u] = Store(Ext(p) - q);
            im[u] = Store(Ext(s) - p - q);
        }
        // Every element outside row k and column k.
        for (std::int32_t i = 0; i < n; ++i) {
            if (i == k) continue;
            const std::int32_t v = i * n + k;
            const double reV = re[v];
            const double imV = im[v];
            const Ext sumV = Ext(reV) + imV;
            for (std::int32_t j = 0; j < n; ++j) {
                if (j == k) continue;
                const std::int32_t u = k * n + j;
                const std::int32_t w = i * n + j;
                const double p = Store(Ext(re[u]) * reV);
                const double q = Store(Ext(im[u]) * imV);
                const double s = Store((Ext(re[u]) + im[u]) * sumV);
                re[w] = Store(Ext(re[w]) - (Ext(p) - q));
                im[w] = Store(Ext(im[w]) - (Ext(s) - p - q));
            }
        }
        // Column k times the reciprocal pivot, negated.
        for (std::int32_t i = 0; i < n; ++i) {
            if (i == k) continue;
            const std::int32_t u = i * n + k;
            const double p = Store(Ext(re[u]) * reL);
            const double q = Store(Ext(im[u]) * imL);
            const double s = Store((Ext(re[u]) + im[u]) * (Ext(reL) + imL));
            re[u] = Store(Ext(q) - p);
            im[u] = Store(Ext(p) + q - s);
        }
    }
    // Undo the exchanges in reverse: a column exchange of the matrix is a row
    // exchange of its inverse, and the other way round.
    for (std::int32_t k = n - 1; k >= 0; --k) {
        if (colPiv[k] != k) SwapRows(re, im, n, k, colPiv[k]);
        if (rowPiv[k] != k) SwapColumns(re, im, n, k, rowPiv[k]);
    }
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t j = 0; j < n; ++j) inv[i][j] = ComplexFromParts(re[i * n + j], im[i * n + j]);
    return false;
}

}  // namespace quorvix::reference
