#pragma once
// The relative residuals of the ` check:` line, in Frobenius norms:
//
//   Solve:   ‖A·X − B‖ / (‖A‖·‖X‖ + ‖B‖)
//   PLU:     ‖P·A − L·U‖ / ‖A‖
//   Eigvec:  ‖A·V − V·D‖ / (‖A‖·‖V‖)
//   Pinv:    ‖A·X·A − A‖ / (‖A‖²·‖X‖)
//
// each 0 where its denominator is 0. The products are BLAS products of
// copies scaled by powers of two (each ratio is unchanged by that scaling),
// so that the residual of a result near the double's range does not
// overflow; the norms and the ratio are formed in long double. Not a
// backward error bound and no componentwise residual.
#include "linalg/matrix.h"

namespace quorvix::linalg {

template <typename T>
double SolveResidual(const Matrix<T>& a, const Matrix<T>& x, const Matrix<T>& b);

template <typename T>
double PLUResidual(const Matrix<T>& a, const Matrix<T>& p, const Matrix<T>& l, const Matrix<T>& u);

// D and V as Eigvec gives them; A real or complex.
template <typename T>
double EigvecResidual(const Matrix<T>& a, const ComplexMatrix& d, const ComplexMatrix& v);

template <typename T>
double PinvResidual(const Matrix<T>& a, const Matrix<T>& x);

}  // namespace quorvix::linalg
