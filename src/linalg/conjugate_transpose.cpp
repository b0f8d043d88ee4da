// Aᴴ by a loop over A's columns. No blocking for the cache: a transpose is
// never the long part of an operation here.
#include "linalg/conjugate_transpose.h"

#include "core/cancel.h"
#include "linalg/checks.h"

namespace quorvix::linalg {
template <typename T>
Matrix<T> ConjugateTranspose(const Matrix<T>& a) {
    CheckFinite(a);
    Matrix<T> t(a.Cols(), a.Rows());
    for (std::int32_t j = 0; j < a.Cols(); ++j) {
        CheckCancelled(j, a.Cols());
        for (std::int32_t i = 0; i < a.Rows(); ++i) t(j, i) = Conjugate(a(i, j));
    }
    return t;
}

template RealMatrix ConjugateTranspose(const RealMatrix&);
template ComplexMatrix ConjugateTranspose(const ComplexMatrix&);

}  // namespace quorvix::linalg
