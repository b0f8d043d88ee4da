// Loops of plain double arithmetic in AVX2, four elements at a time. Each
// element gets exactly the IEEE double operations of the element-by-element
// loop, in the order written: no fused multiply-add (an explicit one would
// round once where the loop rounds twice), no reassociation. The only change
// is which elements share an instruction.
#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/kernel/kernel_simd.h"

namespace quorvix::kernel::simd {

namespace {

template <bool Subtract>
__attribute__((target("avx2"))) void Scaled(double* d, double v, const double* x, std::int64_t count) {
    const __m256d vv = _mm256_set1_pd(v);
    std::int64_t j = 0;
    for (; j + 8 <= count; j += 8) {
        const __m256d p0 = _mm256_mul_pd(vv, _mm256_loadu_pd(x + j));
        const __m256d p1 = _mm256_mul_pd(vv, _mm256_loadu_pd(x + j + 4));
        if constexpr (Subtract) {
            _mm256_storeu_pd(d + j, _mm256_sub_pd(_mm256_loadu_pd(d + j), p0));
            _mm256_storeu_pd(d + j + 4, _mm256_sub_pd(_mm256_loadu_pd(d + j + 4), p1));
        } else {
            _mm256_storeu_pd(d + j, _mm256_add_pd(_mm256_loadu_pd(d + j), p0));
            _mm256_storeu_pd(d + j + 4, _mm256_add_pd(_mm256_loadu_pd(d + j + 4), p1));
        }
    }
    for (; j < count; ++j) {
        const double p = v * x[j];
        d[j] = Subtract ? d[j] - p : d[j] + p;
    }
}

template <int V>
__attribute__((target("avx2"))) inline void Load(__m256d (&r)[V], const double* x) {
    for (int v = 0; v < V; ++v) r[v] = _mm256_loadu_pd(x + 4 * v);
}
template <int V>
__attribute__((target("avx2"))) inline void Store(double* x, const __m256d (&r)[V]) {
    for (int v = 0; v < V; ++v) _mm256_storeu_pd(x + 4 * v, r[v]);
}

// t = cs * xa + sn * xb; xb = -sn * xa + cs * xb; xa = t.
template <int V>
__attribute__((target("avx2"))) inline void Rotate(__m256d (&xa)[V], __m256d (&xb)[V], __m256d c, __m256d s,
                                                   __m256d ns) {
    for (int v = 0; v < V; ++v) {
        const __m256d t = _mm256_add_pd(_mm256_mul_pd(c, xa[v]), _mm256_mul_pd(s, xb[v]));
        xb[v] = _mm256_add_pd(_mm256_mul_pd(ns, xa[v]), _mm256_mul_pd(c, xb[v]));
        xa[v] = t;
    }
}

// 4V rows from `x` (the first row of the block in column 0): every op in
// order. A rotation leaves its second column in registers, where the next
// rotation of a sweep, which starts from that column (or keeps it, as a
// deflation does), finds it.
constexpr std::size_t kAhead = 6;  // ops

template <int V>
__attribute__((target("avx2"))) void Block(const ColumnOp* ops, std::size_t count, double* x, std::size_t stride) {
    __m256d held[V];
    for (int v = 0; v < V; ++v) held[v] = _mm256_setzero_pd();
    std::int32_t heldColumn = -1;
    auto column = [x, stride](std::int32_t j) { return x + static_cast<std::size_t>(j) * stride; };
    for (std::size_t o = 0; o < count; ++o) {
        const ColumnOp& op = ops[o];
        // The block spans more columns than the first-level cache holds, and
        // their stride is too long for the hardware to guess the next one.
        if (o + kAhead < count) {
            const double* next = column(ops[o + kAhead].b);
            for (int line = 0; line < V; line += 2)
                _mm_prefetch(reinterpret_cast<const char*>(next + 4 * line), _MM_HINT_T0);
        }
        if (op.kind == ColumnOp::Kind::Rotate) {
            const __m256d c = _mm256_set1_pd(op.cs), s = _mm256_set1_pd(op.sn), ns = _mm256_set1_pd(-op.sn);
            __m256d xa[V], xb[V];
            if (heldColumn == op.a) {
                for (int v = 0; v < V; ++v) xa[v] = held[v];
                Load<V>(xb, column(op.b));
            } else if (heldColumn == op.b) {
                for (int v = 0; v < V; ++v) xb[v] = held[v];
                Load<V>(xa, column(op.a));
            } else {
                if (heldColumn >= 0) Store<V>(column(heldColumn), held);
                Load<V>(xa, column(op.a));
                Load<V>(xb, column(op.b));
            }
            Rotate<V>(xa, xb, c, s, ns);
            Store<V>(column(op.a), xa);
            for (int v = 0; v < V; ++v) held[v] = xb[v];
            heldColumn = op.b;
            continue;
        }
        if (heldColumn >= 0) Store<V>(column(heldColumn), held);
        heldColumn = -1;
        double* xa = column(op.a);
        if (op.kind == ColumnOp::Kind::Swap)
            std::swap_ranges(xa, xa + 4 * V, column(op.b));
        else
            for (int i = 0; i < 4 * V; ++i) xa[i] = -xa[i];
    }
    if (heldColumn >= 0) Store<V>(column(heldColumn), held);
}

// Fewer than four rows: one row at a time.
void Rows(const ColumnOp* ops, std::size_t count, double* x, std::size_t stride, std::int32_t rows) {
    for (std::size_t o = 0; o < count; ++o) {
        const ColumnOp& op = ops[o];
        double* xa = x + static_cast<std::size_t>(op.a) * stride;
        double* xb = x + static_cast<std::size_t>(op.b) * stride;
        for (std::int32_t i = 0; i < rows; ++i) switch (op.kind) {
                case ColumnOp::Kind::Rotate: {
                    const double t = op.cs * xa[i] + op.sn * xb[i];
                    xb[i] = -op.sn * xa[i] + op.cs * xb[i];
                    xa[i] = t;
                    break;
                }
                case ColumnOp::Kind::Swap: std::swap(xa[i], xb[i]); break;
                case ColumnOp::Kind::Negate: xa[i] = -xa[i]; break;
            }
    }
}

}  // namespace

void AddScaled(double* d, double v, const double* x, std::int64_t count) { Scaled<false>(d, v, x, count); }

void SubtractScaled(double* d, double v, const double* x, std::int64_t count) { Scaled<true>(d, v, x, count); }

__attribute__((target("avx2"))) void DivideAll(double* d, double w, std::int64_t count) {
    const __m256d ww = _mm256_set1_pd(w);
    std::int64_t j = 0;
    for (; j + 4 <= count; j += 4) _mm256_storeu_pd(d + j, _mm256_div_pd(_mm256_loadu_pd(d + j), ww));
    for (; j < count; ++j) d[j] = d[j] / w;
}

__attribute__((target("avx2"))) double MaxMagnitude(const double* v, std::size_t count) {
    const __m256d abs = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffffLL));
    __m256d m0 = _mm256_setzero_pd(), m1 = m0, m2 = m0, m3 = m0;
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        m0 = _mm256_max_pd(m0, _mm256_and_pd(_mm256_loadu_pd(v + i), abs));
        m1 = _mm256_max_pd(m1, _mm256_and_pd(_mm256_loadu_pd(v + i + 4), abs));
        m2 = _mm256_max_pd(m2, _mm256_and_pd(_mm256_loadu_pd(v + i + 8), abs));
        m3 = _mm256_max_pd(m3, _mm256_and_pd(_mm256_loadu_pd(v + i + 12), abs));
    }
    for (; i + 4 <= count; i += 4) m0 = _mm256_max_pd(m0, _mm256_and_pd(_mm256_loadu_pd(v + i), abs));
    alignas(32) double lanes[4];
    _mm256_store_pd(lanes, _mm256_max_pd(_mm256_max_pd(m0, m1), _mm256_max_pd(m2, m3)));
    double m = std::max(std::max(lanes[0], lanes[1]), std::max(lanes[2], lanes[3]));
    for (; i < count; ++i) m = std::max(m, std::fabs(v[i]));
    return m;
}

void ApplyColumnOps(const ColumnOp* ops, std::size_t count, double* x, std::size_t stride, std::int32_t first,
                    std::int32_t last) {
    std::int32_t i = first;
    for (; i + 16 <= last; i += 16) Block<4>(ops, count, x + i, stride);
    for (; i + 4 <= last; i += 4) Block<1>(ops, count, x + i, stride);
    if (i < last) Rows(ops, count, x + i, stride, last - i);
}

}  // namespace quorvix::kernel::simd
