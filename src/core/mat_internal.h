#pragma once
// Small helpers shared by the Matrice2 routines; not part of the library's interface.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/matrice2.h"

namespace quorvix::matdetail {

// True when every row of `m` holds at least `cols` elements, so that loops
// bounded by the measured size never read past a short row.
inline bool RowsHoldAtLeast(const RCOMat& m, std::int32_t cols) {
    for (const RCOVec& row : m)
        if (static_cast<std::int64_t>(row.size()) < cols) return false;
    return true;
}

// True when `m` has at least `rows` rows, each of at least `cols` elements:
// the routines that take their size from the caller check this before they
// index, and treat a matrix too small for the size as having no result.
inline bool HoldsShape(const RCOMat& m, std::int32_t rows, std::int32_t cols) {
    if (rows < 0 || cols < 0 || static_cast<std::int64_t>(m.size()) < rows) return false;
    for (std::int32_t i = 0; i < rows; ++i)
        if (static_cast<std::int64_t>(m[i].size()) < cols) return false;
    return true;
}

// The magnitude that full pivoting compares: |re| + |im|, summed in double.
// For an element without an imaginary part it is |re|, the plain magnitude,
// so a real matrix pivots exactly as on its absolute values; a complex block
// whose real parts vanish still has non-zero pivots.
inline double PivotMagnitude(const Scalar& v) { return std::fabs(RealPart(v)) + std::fabs(ImagPart(v)); }

// Gives `m` the shape rows x cols. Elements already in place are kept, so an
// output that is also an operand of an element-wise routine keeps the
// operand's values until each one is overwritten.
inline void ShapeMatrix(RCOMat& m, std::int32_t rows, std::int32_t cols) {
    m.resize(static_cast<std::size_t>(rows));
    for (RCOVec& row : m) row.resize(static_cast<std::size_t>(cols));
}

}  // namespace quorvix::matdetail
