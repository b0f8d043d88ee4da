#pragma once
// Helpers of the typed kernels: dense copies of Scalar matrices whose
// elements are all of one kind and the complex parts' flush. Not part of the
// library's interface.
//
// A typed kernel runs the very operations of the Scalar arithmetic (each part
// evaluated with a 64-bit significand, stored as double, complex parts
// flushed at 1e-12) on plain arrays instead of dispatching on the element
// kind, and checks the fault flags once per block instead of each result.
// When a block has raised a fault it is worked again with the Scalar path,
// which raises the error the element-by-element code raises, at the same
// element.
#include <emmintrin.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/matrice2.h"

namespace quorvix::kernel {

using Ext = long double;

// FlushToZero, inline: a part of magnitude at most kFlushLimit (scalar.h)
// becomes +0.
inline double Flush(double part) { return std::fabs(part) <= kFlushLimit ? 0.0 : part; }

// Flush on every element of v[0..count), two at a time.
inline void FlushAll(double* v, std::int32_t count) {
    const __m128d mask = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffffLL));
    const __m128d limit = _mm_set1_pd(kFlushLimit);
    std::int32_t j = 0;
    for (; j + 2 <= count; j += 2) {
        const __m128d x = _mm_loadu_pd(v + j);
        const __m128d tiny = _mm_cmple_pd(_mm_and_pd(x, mask), limit);
        _mm_storeu_pd(v + j, _mm_andnot_pd(tiny, x));
    }
    if (j < count) v[j] = Flush(v[j]);
}

// The smallest magnitude of a non-zero value (0 when every value is zero).
inline double SmallestNonZero(const double* v, std::size_t count) {
    double m = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double a = std::fabs(v[i]);
        if (a != 0.0 && (m == 0.0 || a < m)) m = a;
    }
    return m;
}

inline bool AllZero(const std::vector<double>& v) {
    for (double x : v)
        if (x != 0.0) return false;
    return true;
}

// The element kinds of the part of a matrix a routine reads.
struct KindSummary {
    bool allComplex = true;  // every element complex
    bool allReal = true;     // every element real (double)
    bool realLike = true;    // every element real, integer or empty
    bool finite = true;      // no infinity or nan in a real or complex element
};

inline KindSummary Summarize(const RCOMat& m, std::int32_t rows, std::int32_t cols, bool upperTriangle = false) {
    KindSummary s;
    for (std::int32_t i = 0; i < rows; ++i) {
        const RCOVec& row = m[static_cast<std::size_t>(i)];
        for (std::int32_t j = upperTriangle ? i : 0; j < cols; ++j) {
            const Scalar& v = row[static_cast<std::size_t>(j)];
            switch (v.Kind()) {
                case ScalarKind::Complex:
                    s.allReal = s.realLike = false;
                    if (!std::isfinite(v.ComplexValue().Real()) || !std::isfinite(v.ComplexValue().Imaginary()))
                        s.finite = false;
                    break;
                case ScalarKind::Real:
                    s.allComplex = false;
                    if (!std::isfinite(v.RealValue())) s.finite = false;
                    break;
                case ScalarKind::Integer:
                case ScalarKind::Empty: s.allComplex = s.allReal = false; break;
            }
        }
    }
    return s;
}

// A matrix as two row-major arrays of doubles (the imaginary one only for
// complex values).
struct DenseMatrix {
    std::int32_t rows = 0, cols = 0;
    std::vector<double> re, im;
    double* Re(std::int32_t i) { return re.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(cols); }
    double* Im(std::int32_t i) { return im.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(cols); }
    const double* Re(std::int32_t i) const {
        return re.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(cols);
    }
    const double* Im(std::int32_t i) const {
        return im.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(cols);
    }
};

// The values as complex numbers, converted as the Scalar arithmetic converts
// an operand for a complex operation (ToComplexData: a real part is flushed).
inline DenseMatrix ComplexCopy(const RCOMat& m, std::int32_t rows, std::int32_t cols) {
    DenseMatrix d;
    d.rows = rows;
    d.cols = cols;
    d.re.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    d.im.resize(d.re.size());
    for (std::int32_t i = 0; i < rows; ++i) {
        double* re = d.Re(i);
        double* im = d.Im(i);
        const RCOVec& row = m[static_cast<std::size_t>(i)];
        for (std::int32_t j = 0; j < cols; ++j) {
            const TComplexData c = ToComplexData(row[static_cast<std::size_t>(j)]);
            re[j] = c.Real();
            im[j] = c.Imaginary();
        }
    }
    return d;
}

// The values as doubles, converted as the real arithmetic converts an
// operand (ToExtended; exact for real, integer and empty elements).
inline DenseMatrix RealCopy(const RCOMat& m, std::int32_t rows, std::int32_t cols) {
    DenseMatrix d;
    d.rows = rows;
    d.cols = cols;
    d.re.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (std::int32_t i = 0; i < rows; ++i) {
        double* re = d.Re(i);
        const RCOVec& row = m[static_cast<std::size_t>(i)];
        for (std::int32_t j = 0; j < cols; ++j)
            re[j] = static_cast<double>(row[static_cast<std::size_t>(j)].ToExtended());
    }
    return d;
}

}  // namespace quorvix::kernel
