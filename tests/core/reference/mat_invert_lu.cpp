// MatInvertLU: the inverse of a Scalar matrix, column by column from the
// packed factors of MatLUDecompose. Used by A/B and the negative powers; the
// inverse commands use the Gauss-Jordan MatInverse instead.
//
// What it does not do: no tolerance (a pivot counts as zero only when it is
// exactly zero) and no refinement; the operand is overwritten by its factors.
#include "core/reference/matrice2_reference.h"

#include <cstddef>
#include <utility>

#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix::reference {

MatStatus MatInvertLU(RCOMat& a, RCOMat& inv) {
    std::int32_t rows = 0, cols = 0;
    if (const MatStatus status = MatSize(a, rows, cols); status != MatStatus::Ok) return status;
    if (rows != cols || !matdetail::RowsHoldAtLeast(a, cols)) return MatStatus::Dimensions;
    const std::int32_t n = rows;
    RCOVec e(static_cast<std::size_t>(n));
    RCoVecE rowPerm, colPerm;
    if (const MatStatus status = reference::MatLUDecompose(n, a, rowPerm, colPerm); status != MatStatus::Ok)
        return status;
    // Built aside and moved in at the end, so that Inv keeps what the caller
    // had when a Scalar error stops a column half-way.
    RCOMat result;
    SizeMatrix(result, n, n);
    const Scalar zero = Scalar::Integer(0);
    const Scalar one = Scalar::Integer(1);
    for (std::int32_t c = 0; c < n; ++c) {
        for (std::int32_t i = 0; i < n; ++i) e[i] = zero;
        e[c] = one;
        reference::MatLUSolveColumn(a, n, e, rowPerm, colPerm, e);
        for (std::int32_t i = 0; i < n; ++i) result[i][c] = e[i];
    }
    inv = std::move(result);
    return MatStatus::Ok;
}

}  // namespace quorvix::reference
