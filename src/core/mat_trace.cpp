// The trace.
// Has no squareness rule: a non-square matrix contributes its leading
// diagonal up to the smaller of its row and column counts.
#include "core/matrice2.h"

namespace quorvix {

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

}  // namespace quorvix
