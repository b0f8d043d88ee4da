// Element-wise sum, the three element-wise logical operations and the
// multiplication by a scalar.
// Does not subtract (the caller negates B before the sum), does not keep the
// values in the logical results (only 1 or 0), and does not broadcast: both
// operands must have the same size.
#include "core/reference/matrice2_reference.h"

#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix::reference {
namespace {

using matdetail::RowsHoldAtLeast;
using matdetail::ShapeMatrix;

// The common checks of a two-operand element-wise routine: both operands
// measured, then the same size. A short row counts as a size disagreement.
MatStatus SameSizeOperands(const RCOMat& a, const RCOMat& b, std::int32_t& rows, std::int32_t& cols) {
    if (const MatStatus status = MatSize(a, rows, cols); status != MatStatus::Ok) return status;
    std::int32_t rowsB = 0, colsB = 0;
    if (const MatStatus status = MatSize(b, rowsB, colsB); status != MatStatus::Ok) return status;
    if (rows != rowsB || cols != colsB || !RowsHoldAtLeast(a, cols) || !RowsHoldAtLeast(b, cols))
        return MatStatus::Dimensions;
    return MatStatus::Ok;
}

enum class Logic { And, Or, Xor };

MatStatus MatLogic(const RCOMat& a, const RCOMat& b, RCOMat& c, Logic op) {
    std::int32_t rows = 0, cols = 0;
    if (const MatStatus status = SameSizeOperands(a, b, rows, cols); status != MatStatus::Ok) return status;
    const Scalar zero = Scalar::Integer(0);
    const Scalar one = Scalar::Integer(1);
    ShapeMatrix(c, rows, cols);
    for (std::int32_t i = 0; i < rows; ++i) {
        for (std::int32_t j = 0; j < cols; ++j) {
            bool value = false;
            switch (op) {
                case Logic::And:  // B is looked at only when A is non-zero
                    value = a[i][j] != zero && b[i][j] != zero;
                    break;
                case Logic::Or:  // B is looked at only when A is zero
                    value = a[i][j] != zero || b[i][j] != zero;
                    break;
                case Logic::Xor: value = (a[i][j] != zero) != (b[i][j] != zero); break;
            }
            c[i][j] = value ? one : zero;
        }
    }
    return MatStatus::Ok;
}

}  // namespace

MatStatus MatAdd(const RCOMat& a, const RCOMat& b, RCOMat& c) {
    std::int32_t rows = 0, cols = 0;
    if (const MatStatus status = SameSizeOperands(a, b, rows, cols); status != MatStatus::Ok) return status;
    ShapeMatrix(c, rows, cols);
    for (std::int32_t i = 0; i < rows; ++i)
        for (std::int32_t j = 0; j < cols; ++j) {
            Scalar sum = a[i][j];
            sum += b[i][j];
            c[i][j] = sum;
        }
    return MatStatus::Ok;
}

MatStatus MatAnd(const RCOMat& a, const RCOMat& b, RCOMat& c) { return MatLogic(a, b, c, Logic::And); }
MatStatus MatOr(const RCOMat& a, const RCOMat& b, RCOMat& c) { return MatLogic(a, b, c, Logic::Or); }
MatStatus MatXor(const RCOMat& a, const RCOMat& b, RCOMat& c) { return MatLogic(a, b, c, Logic::Xor); }

MatStatus MatScale(const Scalar& x, const RCOMat& m, RCOMat& r) {
    std::int32_t rows = 0, cols = 0;
    if (const MatStatus status = MatSize(m, rows, cols); status != MatStatus::Ok) return status;
    if (!RowsHoldAtLeast(m, cols)) return MatStatus::Dimensions;
    // x may live in `r` or `m`; keep a copy so that writing r never changes it.
    const Scalar factor = x;
    ShapeMatrix(r, rows, cols);
    for (std::int32_t i = 0; i < rows; ++i)
        for (std::int32_t j = 0; j < cols; ++j) r[i][j] = m[i][j] * factor;
    return MatStatus::Ok;
}

}  // namespace quorvix::reference
