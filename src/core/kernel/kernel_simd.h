#pragma once
// The kernels' AVX2 paths, chosen at run time: a processor without AVX2 and
// FMA (or a run with QUORVIX_SIMD=0, or a test that switched them off) takes
// the x87 and SSE2 loops instead, with the same results. Only the files that
// define these functions are compiled for AVX2; nothing else assumes it. Not
// part of the library's interface.
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace quorvix::kernel::simd {

namespace detail {
extern std::atomic<bool> g_enabled;
}  // namespace detail

// True when the AVX2 paths run: the processor has AVX2 and FMA, the
// environment does not set QUORVIX_SIMD to 0 (or "off"), and no test has
// switched them off.
inline bool Enabled() { return detail::g_enabled.load(std::memory_order_relaxed); }
// Tests and benchmarks: false forces the x87 and SSE2 loops; true goes back
// to what the processor and the environment allow.
void SetEnabled(bool on);

// Which results of the real step are flushed (set to +0 when their magnitude
// is at most 1e-12, as the real parts of complex values are): none (real
// values), the sums, or the products and the sums. Flushing the sums alone
// is right for complex values whose products cannot be flushed.
enum class Flush { None, Sums, All };

// The real multiply-add of the Scalar arithmetic, along a row:
//   p := a*b[j] evaluated with a 64-bit significand and stored as double,
//   c[j] := c[j] + p (or c[j] - p) evaluated likewise,
// flushed as `flush` says. The results are those of the x87 loop bit for bit
// (kernel_simd_real.cpp says why), given:
//   - unless the products are flushed, every product that is not zero has
//     magnitude at least 2^-960 (RealStepFits says whether a given a meets
//     this);
//   - the caller watches the fault flags (an overflow, invalid operation or
//     division by zero since it cleared them) or knows that no result can
//     reach 2^1000: when the x87 loop would raise a fault, a fault is raised
//     here too (not always the same one), and the values are then not final.
// Only to be called when Enabled().
void RealRow(bool subtract, Flush flush, double a, const double* b, double* c, std::int32_t count);

// The same step for k = 0..steps-1 in that order, the products a[k] *
// b[k*stride + j]: a row of a product accumulated over a block of k, kept in
// registers between the steps.
void RealRows(bool subtract, Flush flush, const double* a, const double* b, std::size_t stride, double* c,
              std::int32_t steps, std::int32_t count);

// True when every product of `a` with a non-zero element of magnitude at
// least `bMin` is zero or of magnitude at least 2^-960 (bMin = 0: unknown).
// Evaluated in extended precision, so it raises no fault itself.
inline bool RealStepFits(double a, double bMin) {
    if (a == 0.0) return true;
    const long double least = static_cast<long double>(a < 0.0 ? -a : a) * bMin;
    return bMin > 0.0 && least >= 0x1p-960L;
}

// Plain double loops (kernel_double.h), each element's operations as the
// element-by-element loop does them.
void AddScaled(double* d, double v, const double* x, std::int64_t count);       // d[j] += v * x[j]
void SubtractScaled(double* d, double v, const double* x, std::int64_t count);  // d[j] -= v * x[j]
void DivideAll(double* d, double w, std::int64_t count);                        // d[j] /= w
double MaxMagnitude(const double* v, std::size_t count);                        // the largest |v[j]|, 0 for none

// A change to the columns of a column-major matrix: columns a and b rotated
// by (cs, sn) (for every row, t = cs*x[a] + sn*x[b]; x[b] = -sn*x[a] +
// cs*x[b]; x[a] = t), exchanged, or column a negated.
struct ColumnOp {
    enum class Kind : std::uint8_t { Rotate, Swap, Negate };
    Kind kind;
    std::int32_t a, b;
    double cs, sn;
};
// Rows [first, last) of the matrix whose column j starts at x + j*stride:
// every op in order.
void ApplyColumnOps(const ColumnOp* ops, std::size_t count, double* x, std::size_t stride, std::int32_t first,
                    std::int32_t last);

}  // namespace quorvix::kernel::simd
