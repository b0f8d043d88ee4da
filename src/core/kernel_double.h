#pragma once
// Loops of plain double arithmetic along a row, two elements at a time, or
// four in AVX2 where the processor has it (kernel_simd.h). Each element gets
// exactly the one IEEE double operation (or the two, in the order written)
// that the element-by-element loop gives it: no fused multiply-add, no
// reassociation, so SIMD changes nothing but the speed. Not part of the
// library's interface.
#include <emmintrin.h>

#include <cstdint>

#include "core/kernel_simd.h"

namespace quorvix::kernel {

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
