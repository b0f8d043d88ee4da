// Sizing and measuring of matrices.
// Does not check that every row of a matrix has the length of row 0; the
// routines that could read past a short row check that themselves.
#include "core/matrice2.h"

#include <cstddef>

namespace quorvix {

void SizeMatrix(RCOMat& m, std::int32_t rows, std::int32_t cols) {
    if (rows < 0) rows = 0;
    if (cols < 0) cols = 0;
    m.assign(static_cast<std::size_t>(rows), RCOVec(static_cast<std::size_t>(cols)));
}

MatStatus MatSize(const RCOMat& m, std::int32_t& rows, std::int32_t& cols) {
    rows = static_cast<std::int32_t>(m.size());
    cols = m.empty() ? 0 : static_cast<std::int32_t>(m[0].size());
    return m.empty() ? MatStatus::Empty : MatStatus::Ok;
}

}  // namespace quorvix
