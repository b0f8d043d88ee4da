#pragma once
// Loops of plain double arithmetic along a row, two elements at a time, or
// four in AVX2 where the processor has it (kernel_simd.h). Each element gets
// exactly the one IEEE double operation (or the two, in the order written)
// that the element-by-element loop gives it: no fused multiply-add, no
// reassociation, so SIMD changes nothing but the speed. Not part of the
// library's interface.
#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/kernel/kernel_simd.h"

namespace quorvix::kernel {

// The largest |v[j]| (0 for none), four pairs at a time (the order of the
// comparisons does not matter).
inline double MaxMagnitude(const double* v, std::size_t count) {
    if (simd::Enabled()) return simd::MaxMagnitude(v, count);
    const __m128d abs = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffffLL));
    __m128d m0 = _mm_setzero_pd(), m1 = m0, m2 = m0, m3 = m0;
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        m0 = _mm_max_pd(m0, _mm_and_pd(_mm_loadu_pd(v + i), abs));
        m1 = _mm_max_pd(m1, _mm_and_pd(_mm_loadu_pd(v + i + 2), abs));
        m2 = _mm_max_pd(m2, _mm_and_pd(_mm_loadu_pd(v + i + 4), abs));
        m3 = _mm_max_pd(m3, _mm_and_pd(_mm_loadu_pd(v + i + 6), abs));
    }
    alignas(16) double pair[2];
    _mm_store_pd(pair, _mm_max_pd(_mm_max_pd(m0, m1), _mm_max_pd(m2, m3)));
    double m = std::max(pair[0], pair[1]);
    for (; i < count; ++i) m = std::max(m, std::fabs(v[i]));
    return m;
}

// d[j] := d[j] + v * x[j]
inline void AddScaled(double* d, double v, const double* x, std::int64_t count) {
    if (simd::Enabled()) return simd::AddScaled(d, v, x, count);
    const __m128d vv = _mm_set1_pd(v);
    std::int64_t j = 0;
    for (; j + 2 <= count; j += 2)
        _mm_storeu_pd(d + j, _mm_add_pd(_mm_loadu_pd(d + j), _mm_mul_pd(vv, _mm_loadu_pd(x + j))));
    for (; j < count; ++j) d[j] += v * x[j];
}

// d[j] := d[j] - v * x[j]
inline void SubtractScaled(double* d, double v, const double* x, std::int64_t count) {
    if (simd::Enabled()) return simd::SubtractScaled(d, v, x, count);
    const __m128d vv = _mm_set1_pd(v);
    std::int64_t j = 0;
    for (; j + 2 <= count; j += 2)
        _mm_storeu_pd(d + j, _mm_sub_pd(_mm_loadu_pd(d + j), _mm_mul_pd(vv, _mm_loadu_pd(x + j))));
    for (; j < count; ++j) d[j] = d[j] - v * x[j];
}

// d[j] := d[j] / w
inline void DivideAll(double* d, double w, std::int64_t count) {
    if (simd::Enabled()) return simd::DivideAll(d, w, count);
    const __m128d ww = _mm_set1_pd(w);
    std::int64_t j = 0;
    for (; j + 2 <= count; j += 2) _mm_storeu_pd(d + j, _mm_div_pd(_mm_loadu_pd(d + j), ww));
    for (; j < count; ++j) d[j] = d[j] / w;
}

}  // namespace quorvix::kernel
