// The exact Hermitian test: a(i, j) == conj(a(j, i)) for every i <= j, so
// the diagonal must be real. No tolerance, no scaling.
#include "linalg/hermitian.h"

#include <complex>

#include "core/cancel.h"

namespace quorvix::linalg {
namespace {
bool IsConjugate(double x, double y) { return x == y; }
bool IsConjugate(Complex x, Complex y) { return x == std::conj(y); }
}  // namespace

template <typename T>
bool IsHermitian(const Matrix<T>& a) {
    if (a.Rows() != a.Cols()) return false;
    for (std::int32_t j = 0; j < a.Cols(); ++j) {
        CheckCancelled();
        for (std::int32_t i = 0; i <= j; ++i)
            if (!IsConjugate(a(i, j), a(j, i))) return false;
    }
    return true;
}

template bool IsHermitian(const RealMatrix&);
template bool IsHermitian(const ComplexMatrix&);

}  // namespace quorvix::linalg
