// Doolittle's LU factorization without pivoting, for the LU commands.
// Does not exchange rows: a zero pivot before the last row fails (0), even
// when the matrix is invertible; the last diagonal element of U is not tested.
// A pivot counts as zero by Scalar equality with 0.
//
// A matrix whose elements are all of one kind is eliminated on a typed dense
// copy (dense_elimination.h), the rows below each pivot on all threads; a mix
// of kinds takes the Scalar arithmetic element by element.
#include <cstddef>

#include "core/cancel.h"
#include "core/kernel/dense_elimination.h"
#include "core/kernel/dispatch.h"
#include "core/mat_internal.h"
#include "core/matrice2.h"

namespace quorvix {

std::int32_t MatLU(RCOMat& a, RCOMat& l, RCOMat& u, std::int32_t n, std::int32_t m) {
    if (n != m) return -1;
    // A matrix that does not hold n x n elements is no square matrix of order n.
    if (!matdetail::HoldsShape(a, n, m)) return -1;
    const Scalar zero = Scalar::Integer(0);
    kernel::Mode mode = kernel::Mode::Complex;
    // Small matrices cost less in Scalars than their typed copy.
    if (n >= kernel::kTypedDoolittleFromOrder && kernel::ChooseMode(a, n, n, mode)) {
        kernel::DenseElimination e(a, n, n, mode);
        const bool zeroPivot = e.WorkThenWriteBack(a, [&] {
            for (std::int32_t k = 0; k <= n - 2; ++k) {
                CheckCancelled(k, n);
                if (e.IsZero(k, k)) return true;
                e.EliminateWithStoredQuotients(k);
            }
            return false;
        });
        if (zeroPivot) return 0;
    } else {
        for (std::int32_t k = 0; k <= n - 2; ++k) {
            CheckCancelled(k, n);
            if (a[k][k] == zero) return 0;
            const Scalar pivot = a[k][k];
            for (std::int32_t i = k + 1; i < n; ++i) a[i][k] /= pivot;
            const RCOVec& rowK = a[k];
            for (std::int32_t i = k + 1; i < n; ++i) {
                RCOVec& rowI = a[i];
                const Scalar f = rowI[k];
                for (std::int32_t j = k + 1; j < n; ++j) rowI[j] -= f * rowK[j];
            }
        }
    }
    // The caller sizes L and U; make sure they hold n x n before writing.
    auto hasShape = [n](const RCOMat& x) {
        if (x.size() != static_cast<std::size_t>(n)) return false;
        for (const RCOVec& row : x)
            if (row.size() != static_cast<std::size_t>(n)) return false;
        return true;
    };
    if (!hasShape(l)) SizeMatrix(l, n, n);
    if (!hasShape(u)) SizeMatrix(u, n, n);
    const Scalar one = Scalar::Integer(1);
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t j = 0; j < n; ++j) {
            if (j < i) {
                l[i][j] = a[i][j];
                u[i][j] = zero;
            } else if (j == i) {
                l[i][i] = one;
                u[i][i] = a[i][i];
            } else {
                l[i][j] = zero;
                u[i][j] = a[i][j];
            }
        }
    return 1;
}

}  // namespace quorvix
