// Transpose and trace.
// The trace has no squareness rule: a non-square matrix contributes its
// leading diagonal up to the smaller of its row and column counts.
#include "core/reference/matrice2_reference.h"

#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix::reference {

MatStatus MatTrace(const RCOMat& m, Scalar& t) {
    t = Scalar::Integer(0);
    std::int32_t rows = 0, cols = 0;
    const MatStatus status = MatSize(m, rows, cols);
    for (std::int32_t i = 0; i < rows && i < cols; ++i) {
        if (static_cast<std::int32_t>(m[i].size()) <= i) break;  // a short row ends the diagonal
        t += m[i][i];
    }
    return status;
}

MatStatus MatTranspose(const RCOMat& m, RCOMat& t) {
    std::int32_t rows = 0, cols = 0;
    if (const MatStatus status = MatSize(m, rows, cols); status != MatStatus::Ok) return status;
    if (!matdetail::RowsHoldAtLeast(m, cols)) return MatStatus::Dimensions;
    // Built aside and moved in, so that T may be M itself.
    RCOMat result;
    SizeMatrix(result, cols, rows);
    for (std::int32_t i = 0; i < rows; ++i)
        for (std::int32_t j = 0; j < cols; ++j) result[j][i] = m[i][j];
    t = std::move(result);
    return MatStatus::Ok;
}

}  // namespace quorvix::reference
