// The real multiply-add of the Scalar arithmetic, four elements at a time in
// AVX2, with the results of the x87 loop bit for bit.
//
// Each step is p := R53(R64(a*b)), c := R53(R64(c + p)) (or c - p): R64
// rounds to the 64-bit significand of the x87 unit, R53 to double, both to
// nearest with ties to even. In double arithmetic the same operands give
// X = R53(x) for the exact x = a*b or c + p, and its exact error e = x - X:
// by the fused multiply-add fma(a, b, -X) for a product, by the six additions
// of TwoSum for a sum.
//
// Why R53(R64(x)) = X unless H * (2^-53 - 2^-64) <= |e| < H * 2^-53, H the
// power of two with H <= |X| < 2H (the lanes that meet this are recomputed
// on the x87 unit, element by element):
//
// 1. Every midpoint of the 53-bit grid (the point halfway between two
//    neighbouring doubles) is a point of the 64-bit grid, and rounding is
//    monotonic. So if R64(x) is not such a midpoint, R64(x) lies strictly
//    between the same two midpoints as x (or on the same double), and
//    R53(R64(x)) = R53(x) = X. Only R64(x) = m for a midpoint m can differ.
// 2. X is the double nearest x, so the midpoint m is X + e/|e| * ulp(X)/2 on
//    the side of e. If X is not a power of two, m lies in X's binade, where a
//    64-bit ulp is H * 2^-63; R64(x) = m needs |x - m| <= H * 2^-64 (a tie
//    at 64 bits goes to m, whose 64-bit significand is even), that is
//    |e| >= ulp(X)/2 - H * 2^-64 = H * (2^-53 - 2^-64). And x = m itself
//    (|e| = ulp(X)/2 = H * 2^-53) is no case: R64(x) = x, and R53 breaks the
//    tie as it did for X. (Operands with few significant bits, 0.75 times a
//    double, meet such exact ties often.)
// 3. If X = ±H is a power of two, m is either X + e/|e| * H * 2^-53 (away
//    from zero, covered as in 2) or X - e/|e| * H * 2^-54 toward zero, in the
//    binade below. In the latter case R53(m) is a tie between X and its
//    neighbour, and X wins it: its significand is even. So R53(R64(x)) = X
//    whatever R64 does, and the test needs no case for the binade edge
//    (there |e| <= H * 2^-54, which it passes).
// 4. Overflow is a midpoint too: x >= 2^1024 - 2^970 (halfway between the
//    largest double and 2^1024) rounds to infinity. If X is infinite, the
//    fault flag is raised here as on the x87 unit (R64(x) >= that point as
//    well); if X is the largest double and R64(x) reaches the point, then
//    2^1023 * (2^-53 - 2^-64) <= |e| < 2^970 (x itself rounds to infinity)
//    and the lane is recomputed, which raises the flag where the x87 unit
//    does.
// 5. The error and the threshold must be exact. For a product, a*b is an
//    integer times 2^(la+lb) (la, lb the weights of the operands' last
//    significand bits) below 2^106 * 2^(la+lb); when |a*b| >= 2^-960 that
//    weight is at least 2^-1066, so e, a multiple of it with |e| <= ulp(X)/2,
//    is a double and the fused multiply-add gives it exactly. Callers ensure
//    that every non-zero product is that large (RealStepFits), or flush the
//    products: a product below 2^-960 is at most 1e-12 whichever way it is
//    rounded, and becomes +0 either way. A sum's error is always a double
//    (no overflow); for |X| >= 2^-968 the threshold H * (2^-53 - 2^-64) is a
//    normal double. A sum below 2^-968 is exact (e = 0, nothing to test): if
//    p = 0 it is c; else |c| > 2^-961 since |p| >= 2^-960, both are multiples
//    of 2^-1013, and so is their difference, which then has fewer than 53
//    significant bits. (With the flush, both are 0 or above 1e-12 and the
//    same holds with room to spare.)
// 6. Zeros: a zero product (a or b zero) is exact with the x87 unit's sign,
//    and so is every exact sum; R53 and R64 agree on the signs of zero
//    results, and the flush turns -0 into +0 on both paths.
//
// The test is done on the bit patterns, as integers: for non-negative doubles
// the order of the patterns is the order of the values; the pattern of
// T = H * (2^-53 - 2^-64) is that of H plus a constant K when T is a normal
// double, and that of H * 2^-53 is T's plus 2^42. So a lane is suspect when
// d = pattern(|e|) - pattern(H) - K, taken as unsigned, is below 2^42 (a
// signed compare with the sign bits flipped). For X = 0 or a tiny X, H + K
// is below zero and d is at least 2^42 whatever e is: never suspect, which
// is right for X = 0 (e = 0) and outside the cases of 5 otherwise.
//
// About 2^-11 of the steps meet the test for random operands, twice per step.
//
// Fault flags: with finite operands, a result that the x87 unit stores as
// infinity is infinite or recomputed here (4.), and raises the overflow flag
// either way. TwoSum may raise a flag of its own after an overflow (inf - inf
// is invalid); callers only ask whether a flag was raised.
#include <immintrin.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "core/kernel/kernel_simd.h"
#include "core/kernel/kernel_support.h"

namespace quorvix::kernel::simd {
namespace {

using Ext = long double;

constexpr double kMidpointFactor = 0x1p-53 - 0x1p-64;
// pattern(H * kMidpointFactor) = pattern(H) + K; kThresholdOffset is K with
// the sign bit flipped (2^63 added, modulo 2^64), kSuspectWidth 2^42 likewise.
constexpr std::uint64_t kThresholdOffset =
    std::bit_cast<std::uint64_t>(kMidpointFactor) - std::bit_cast<std::uint64_t>(1.0) + (1ull << 63);
constexpr std::uint64_t kSuspectWidth = (1ull << 42) + (1ull << 63);
static_assert(std::bit_cast<std::uint64_t>(0x1p-900 * kMidpointFactor) + (1ull << 63) ==
              std::bit_cast<std::uint64_t>(0x1p-900) + kThresholdOffset);
static_assert(std::bit_cast<std::uint64_t>(0x1p-953) - std::bit_cast<std::uint64_t>(0x1p-900 * kMidpointFactor) ==
              1ull << 42);

constexpr std::uint64_t kExponentBits = 0x7ff0000000000000ull;
constexpr std::uint64_t kMagnitudeBits = 0x7fffffffffffffffull;

// One element on the x87 unit: what the plain loop computes.
template <bool Subtract, bool FlushProducts, bool FlushSums>
inline double X87Step(double a, double b, double c) {
    double p = static_cast<double>(static_cast<Ext>(a) * static_cast<Ext>(b));
    if constexpr (FlushProducts) p = kernel::Flush(p);
    double s = Subtract ? static_cast<double>(static_cast<Ext>(c) - p) : static_cast<double>(static_cast<Ext>(c) + p);
    if constexpr (FlushSums) s = kernel::Flush(s);
    return s;
}

struct Constants {
    __m256i exponent, offset, width, magnitude, limit;
};

__attribute__((target("avx2,fma"))) inline Constants MakeConstants() {
    return {_mm256_set1_epi64x(static_cast<long long>(kExponentBits)),
            _mm256_set1_epi64x(static_cast<long long>(kThresholdOffset)),
            _mm256_set1_epi64x(static_cast<long long>(kSuspectWidth)),
            _mm256_set1_epi64x(static_cast<long long>(kMagnitudeBits)),
            _mm256_set1_epi64x(std::bit_cast<long long>(kFlushLimit))};
}

// All ones in the lanes where H * (2^-53 - 2^-64) <= |err| < H * 2^-53, H
// from x.
__attribute__((target("avx2,fma"))) inline __m256i Suspect(__m256d x, __m256d err, const Constants& k) {
    const __m256i threshold = _mm256_add_epi64(_mm256_and_si256(_mm256_castpd_si256(x), k.exponent), k.offset);
    const __m256i d = _mm256_sub_epi64(_mm256_and_si256(_mm256_castpd_si256(err), k.magnitude), threshold);
    return _mm256_cmpgt_epi64(k.width, d);
}

// +0 in the lanes of magnitude at most 1e-12.
__attribute__((target("avx2,fma"))) inline __m256d FlushLanes(__m256d x, const Constants& k) {
    const __m256i m = _mm256_and_si256(_mm256_castpd_si256(x), k.magnitude);
    return _mm256_castsi256_pd(_mm256_and_si256(_mm256_castpd_si256(x), _mm256_cmpgt_epi64(m, k.limit)));
}

// One step on four elements: the new c, and the suspect lanes in `suspect`.
template <bool Subtract, bool FlushProducts, bool FlushSums>
__attribute__((target("avx2,fma"))) inline __m256d Step(__m256d a, __m256d b, __m256d c, const Constants& k,
                                                        __m256i& suspect) {
    __m256d p = _mm256_mul_pd(a, b);
    const __m256d pe = _mm256_fmsub_pd(a, b, p);
    suspect = Suspect(p, pe, k);
    if constexpr (FlushProducts) p = FlushLanes(p, k);
    __m256d s, se;
    if constexpr (Subtract) {
        s = _mm256_sub_pd(c, p);
        const __m256d z = _mm256_sub_pd(s, c);
        se = _mm256_sub_pd(_mm256_sub_pd(c, _mm256_sub_pd(s, z)), _mm256_add_pd(p, z));
    } else {
        s = _mm256_add_pd(c, p);
        const __m256d z = _mm256_sub_pd(s, c);
        se = _mm256_add_pd(_mm256_sub_pd(c, _mm256_sub_pd(s, z)), _mm256_sub_pd(p, z));
    }
    suspect = _mm256_or_si256(suspect, Suspect(s, se, k));
    if constexpr (FlushSums) s = FlushLanes(s, k);
    return s;
}

// The suspect lanes of a step again on the x87 unit, from the old values.
template <bool Subtract, bool FlushProducts, bool FlushSums>
[[gnu::noinline, gnu::cold]] __attribute__((target("avx2,fma"))) __m256d Redo(__m256d fresh, __m256i suspect, double a,
                                                                              const double* b, __m256d c) {
    alignas(32) double out[4], cs[4];
    _mm256_store_pd(out, fresh);
    _mm256_store_pd(cs, c);
    const int lanes = _mm256_movemask_pd(_mm256_castsi256_pd(suspect));
    for (int l = 0; l < 4; ++l)
        if ((lanes >> l) & 1) out[l] = X87Step<Subtract, FlushProducts, FlushSums>(a, b[l], cs[l]);
    return _mm256_load_pd(out);
}

template <bool Subtract, bool FlushProducts, bool FlushSums>
__attribute__((target("avx2,fma"))) void Row(double a, const double* b, double* c, std::int32_t count) {
    const Constants k = MakeConstants();
    const __m256d va = _mm256_set1_pd(a);
    std::int32_t j = 0;
    for (; j + 8 <= count; j += 8) {
        const __m256d b0 = _mm256_loadu_pd(b + j), b1 = _mm256_loadu_pd(b + j + 4);
        const __m256d c0 = _mm256_loadu_pd(c + j), c1 = _mm256_loadu_pd(c + j + 4);
        __m256i s0, s1;
        __m256d r0 = Step<Subtract, FlushProducts, FlushSums>(va, b0, c0, k, s0);
        __m256d r1 = Step<Subtract, FlushProducts, FlushSums>(va, b1, c1, k, s1);
        if (!_mm256_testz_si256(_mm256_or_si256(s0, s1), _mm256_or_si256(s0, s1))) [[unlikely]] {
            r0 = Redo<Subtract, FlushProducts, FlushSums>(r0, s0, a, b + j, c0);
            r1 = Redo<Subtract, FlushProducts, FlushSums>(r1, s1, a, b + j + 4, c1);
        }
        _mm256_storeu_pd(c + j, r0);
        _mm256_storeu_pd(c + j + 4, r1);
    }
    for (; j + 4 <= count; j += 4) {
        const __m256d b0 = _mm256_loadu_pd(b + j), c0 = _mm256_loadu_pd(c + j);
        __m256i s0;
        __m256d r0 = Step<Subtract, FlushProducts, FlushSums>(va, b0, c0, k, s0);
        if (!_mm256_testz_si256(s0, s0)) [[unlikely]]
            r0 = Redo<Subtract, FlushProducts, FlushSums>(r0, s0, a, b + j, c0);
        _mm256_storeu_pd(c + j, r0);
    }
    for (; j < count; ++j) c[j] = X87Step<Subtract, FlushProducts, FlushSums>(a, b[j], c[j]);
}

// Columns [j, j + 4*V) of c over all the steps, the accumulators in registers.
template <bool Subtract, bool FlushProducts, bool FlushSums, int V>
__attribute__((target("avx2,fma"))) inline void Strip(const double* a, const double* b, std::size_t stride, double* c,
                                                      std::int32_t steps, const Constants& k) {
    __m256d acc[V];
    for (int v = 0; v < V; ++v) acc[v] = _mm256_loadu_pd(c + 4 * v);
    for (std::int32_t s = 0; s < steps; ++s) {
        const double* bs = b + static_cast<std::size_t>(s) * stride;
        const __m256d va = _mm256_broadcast_sd(a + s);
        __m256d r[V];
        __m256i sus[V];
        for (int v = 0; v < V; ++v)
            r[v] = Step<Subtract, FlushProducts, FlushSums>(va, _mm256_loadu_pd(bs + 4 * v), acc[v], k, sus[v]);
        __m256i any = sus[0];
        for (int v = 1; v < V; ++v) any = _mm256_or_si256(any, sus[v]);
        if (!_mm256_testz_si256(any, any)) [[unlikely]]
            for (int v = 0; v < V; ++v)
                if (!_mm256_testz_si256(sus[v], sus[v]))
                    r[v] = Redo<Subtract, FlushProducts, FlushSums>(r[v], sus[v], a[s], bs + 4 * v, acc[v]);
        for (int v = 0; v < V; ++v) acc[v] = r[v];
    }
    for (int v = 0; v < V; ++v) _mm256_storeu_pd(c + 4 * v, acc[v]);
}

template <bool Subtract, bool FlushProducts, bool FlushSums>
__attribute__((target("avx2,fma"))) void Rows(const double* a, const double* b, std::size_t stride, double* c,
                                              std::int32_t steps, std::int32_t count) {
    const Constants k = MakeConstants();
    std::int32_t j = 0;
    for (; j + 16 <= count; j += 16) Strip<Subtract, FlushProducts, FlushSums, 4>(a, b + j, stride, c + j, steps, k);
    for (; j + 4 <= count; j += 4) Strip<Subtract, FlushProducts, FlushSums, 1>(a, b + j, stride, c + j, steps, k);
    for (; j < count; ++j) {
        double v = c[j];
        for (std::int32_t s = 0; s < steps; ++s)
            v = X87Step<Subtract, FlushProducts, FlushSums>(a[s], b[static_cast<std::size_t>(s) * stride + j], v);
        c[j] = v;
    }
}

// The function for each choice of the flags.
template <template <bool, bool, bool> class Fn, class... Args>
void Dispatch(bool subtract, Flush flush, Args... args) {
    switch (flush) {
        case Flush::None:
            subtract ? Fn<true, false, false>::Run(args...) : Fn<false, false, false>::Run(args...);
            break;
        case Flush::Sums: subtract ? Fn<true, false, true>::Run(args...) : Fn<false, false, true>::Run(args...); break;
        case Flush::All: subtract ? Fn<true, true, true>::Run(args...) : Fn<false, true, true>::Run(args...); break;
    }
}

template <bool S, bool P, bool C>
struct RowFn {
    static void Run(double a, const double* b, double* c, std::int32_t count) { Row<S, P, C>(a, b, c, count); }
};
template <bool S, bool P, bool C>
struct RowsFn {
    static void Run(const double* a, const double* b, std::size_t stride, double* c, std::int32_t steps,
                    std::int32_t count) {
        Rows<S, P, C>(a, b, stride, c, steps, count);
    }
};

}  // namespace

void RealRow(bool subtract, Flush flush, double a, const double* b, double* c, std::int32_t count) {
    Dispatch<RowFn>(subtract, flush, a, b, c, count);
}

void RealRows(bool subtract, Flush flush, const double* a, const double* b, std::size_t stride, double* c,
              std::int32_t steps, std::int32_t count) {
    Dispatch<RowsFn>(subtract, flush, a, b, stride, c, steps, count);
}

}  // namespace quorvix::kernel::simd
