// The matrix product C := A*B, accumulated in Scalar arithmetic from the
// integer 0 in increasing k.
// Does not block, reorder or vectorise the sums: each element is one plain
// accumulation in increasing k, so a real result stays real.
#include "core/reference/matrice2_reference.h"

#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix::reference {

MatStatus MatMultiply(const RCOMat& a, const RCOMat& b, RCOMat& c) {
    std::int32_t rowsA = 0, colsA = 0, rowsB = 0, colsB = 0;
    if (const MatStatus status = MatSize(a, rowsA, colsA); status != MatStatus::Ok) return status;
    if (const MatStatus status = MatSize(b, rowsB, colsB); status != MatStatus::Ok) return status;
    if (colsA != rowsB || !matdetail::RowsHoldAtLeast(a, colsA) || !matdetail::RowsHoldAtLeast(b, colsB))
        return MatStatus::Dimensions;
    // Built aside and moved in, so that C may be one of the operands.
    RCOMat product;
    SizeMatrix(product, rowsA, colsB);
    // Row i of C is accumulated over k in increasing order, a whole row of B
    // at a time: every element still sums its products from k = 0 upwards,
    // and B is walked along its rows instead of down its columns.
    const Scalar zero = Scalar::Integer(0);
    for (std::int32_t i = 0; i < rowsA; ++i) {
        const RCOVec& rowA = a[i];
        RCOVec& acc = product[i];
        for (std::int32_t j = 0; j < colsB; ++j) acc[j] = zero;
        for (std::int32_t k = 0; k < colsA; ++k) {
            const Scalar& aik = rowA[k];
            const RCOVec& rowB = b[k];
            for (std::int32_t j = 0; j < colsB; ++j) acc[j] += aik * rowB[j];
        }
    }
    c = std::move(product);
    return MatStatus::Ok;
}

}  // namespace quorvix::reference
