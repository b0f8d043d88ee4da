// The multiplication of a matrix by a scalar, element by element with the
// factor on the right.
// Does not broadcast or check kinds: every element is multiplied by the
// Scalar arithmetic, whatever its kind.
#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix {

MatStatus MatScale(const Scalar& x, const RCOMat& m, RCOMat& r) {
    std::int32_t rows = 0, cols = 0;
    if (const MatStatus status = MatSize(m, rows, cols); status != MatStatus::Ok) return status;
    if (!matdetail::RowsHoldAtLeast(m, cols)) return MatStatus::Dimensions;
    // x may live in `r` or `m`; keep a copy so that writing r never changes it.
    const Scalar factor = x;
    matdetail::ShapeMatrix(r, rows, cols);
    for (std::int32_t i = 0; i < rows; ++i)
        for (std::int32_t j = 0; j < cols; ++j) r[i][j] = m[i][j] * factor;
    return MatStatus::Ok;
}

}  // namespace quorvix
