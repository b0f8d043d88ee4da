// A·B through one gemm call. No blocking of our own and no overflow
// avoidance: a product beyond the double's range is reported, not scaled.
#include "linalg/multiply.h"

#include "linalg/checks.h"
#include "linalg/lapack_calls.h"

namespace quorvix::linalg {

template <typename T>
Matrix<T> Multiply(const Matrix<T>& a, const Matrix<T>& b) {
    RequireShape(a.Cols() == b.Rows(), "Multiply: A's columns differ from B's rows");
    CallSteps steps(1);
    CheckFinite(a);
    CheckFinite(b);
    Matrix<T> c(a.Rows(), b.Cols());
    // An empty inner dimension leaves the zeros; gemm is not called for an
    // empty result.
    if (!c.Empty() && a.Cols() > 0) {
        lapack::Gemm(lapack::Op::None, lapack::Op::None, a.Rows(), b.Cols(), a.Cols(), T{1}, a.Data(), lapack::Ld(a),
                     b.Data(), lapack::Ld(b), T{0}, c.Data(), lapack::Ld(c));
    }
    steps.Done();
    CheckFinite(c);
    return c;
}

template RealMatrix Multiply(const RealMatrix&, const RealMatrix&);
template ComplexMatrix Multiply(const ComplexMatrix&, const ComplexMatrix&);

}  // namespace quorvix::linalg
