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
bool SameSizeOperands(const RCOMat& a, const RCOMat& b, std::int32_t& rows, std::int32_t& cols) {
    MatSize(a, rows, cols);
    if (MatError != kMatOk) return false;
    std::int32_t rowsB = 0, colsB = 0;
    MatSize(b, rowsB, colsB);
    if (MatError != kMatOk) return false;
    if (rows != rowsB || cols != colsB || !RowsHoldAtLeast(a, cols) || !RowsHoldAtLeast(b, cols)) {
        MatError = kMatDimensions;
        return false;
    }
    return true;
}

enum class Logic { And, Or, Xor };

void MatLogic(const RCOMat& a, const RCOMat& b, RCOMat& c, Logic op) {
    std::int32_t rows = 0, cols = 0;
    if (!SameSizeOperands(a, b, rows, cols)) return;
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
}

}  // namespace

void MatAdd(const RCOMat& a, const RCOMat& b, RCOMat& c) {
    std::int32_t rows = 0, cols = 0;
    if (!SameSizeOperands(a, b, rows, cols)) return;
    ShapeMatrix(c, rows, cols);
    for (std::int32_t i = 0; i < rows; ++i)
        for (std::int32_t j = 0; j < cols; ++j) {
            Scalar sum = a[i][j];
            sum += b[i][j];
            c[i][j] = sum;
        }
}

void MatAnd(const RCOMat& a, const RCOMat& b, RCOMat& c) { MatLogic(a, b, c, Logic::And); }
void MatOr(const RCOMat& a, const RCOMat& b, RCOMat& c) { MatLogic(a, b, c, Logic::Or); }
void MatXor(const RCOMat& a, const RCOMat& b, RCOMat& c) { MatLogic(a, b, c, Logic::Xor); }

void MatScale(const Scalar& x, const RCOMat& m, RCOMat& r) {
    std::int32_t rows = 0, cols = 0;
    MatSize(m, rows, cols);
    if (MatError != kMatOk) return;
    if (!RowsHoldAtLeast(m, cols)) {
        MatError = kMatDimensions;
        return;
    }
    // x may live in `r` or `m`; keep a copy so that writing r never changes it.
    const Scalar factor = x;
    ShapeMatrix(r, rows, cols);
    for (std::int32_t i = 0; i < rows; ++i)
        for (std::int32_t j = 0; j < cols; ++j) r[i][j] = m[i][j] * factor;
}

}  // namespace quorvix::reference
