#pragma once
// The LAPACK and BLAS routines this library calls, one overload per element
// type, so that a routine written once for double and complex<double> calls
// `lapack::Getrf` and gets dgetrf or zgetrf. Not part of the library's
// interface: only the files of src/linalg include it.
//
// No checks of the matrices and no quick returns: the callers pass legal,
// non-empty sizes (leading dimensions at least 1), so neither LAPACK's nor
// LAPACKE's xerbla ever prints. Each wrapper asks the routine for its
// optimal workspace, allocates it (std::bad_alloc when it cannot) and returns
// LAPACK's info when it is 0 or positive; a negative info, an illegal
// argument, is a fault of this library and raises std::logic_error.
// Column-major throughout.
#include <cstdint>

#include "linalg/matrix.h"

namespace quorvix::linalg::lapack {

using Int = std::int32_t;  // lapack_int and blasint of the LP64 libraries

// A leading dimension that LAPACK accepts for a matrix of `rows` rows.
inline Int Ld(Int rows) { return rows > 1 ? rows : 1; }
template <typename T>
Int Ld(const Matrix<T>& m) {
    return Ld(m.Rows());
}

// LU with partial pivoting; ipiv 1-based as LAPACK's.
Int Getrf(Int m, Int n, double* a, Int lda, Int* ipiv);
Int Getrf(Int m, Int n, Complex* a, Int lda, Int* ipiv);
// A * X = B from getrf's factors, B overwritten by X.
Int Getrs(Int n, Int nrhs, const double* a, Int lda, const Int* ipiv, double* b, Int ldb);
Int Getrs(Int n, Int nrhs, const Complex* a, Int lda, const Int* ipiv, Complex* b, Int ldb);
// The reciprocal condition in the 1-norm from getrf's factors.
Int Gecon(Int n, const double* a, Int lda, double anorm, double* rcond);
Int Gecon(Int n, const Complex* a, Int lda, double anorm, double* rcond);
// The inverse from getrf's factors.
Int Getri(Int n, double* a, Int lda, const Int* ipiv);
Int Getri(Int n, Complex* a, Int lda, const Int* ipiv);
// Minimum-norm least squares by the SVD (divide and conquer); b is
// max(m, n) x nrhs.
Int Gelsd(Int m, Int n, Int nrhs, double* a, Int lda, double* b, Int ldb, double* s, double rcond, Int* rank);
Int Gelsd(Int m, Int n, Int nrhs, Complex* a, Int lda, Complex* b, Int ldb, double* s, double rcond, Int* rank);
// The SVD by divide and conquer (jobz 'N', 'S' or 'A').
Int Gesdd(char jobz, Int m, Int n, double* a, Int lda, double* s, double* u, Int ldu, double* vt, Int ldvt);
Int Gesdd(char jobz, Int m, Int n, Complex* a, Int lda, double* s, Complex* u, Int ldu, Complex* vt, Int ldvt);
// QR with column pivoting; jpvt all 0 on entry (every column free).
Int Geqp3(Int m, Int n, double* a, Int lda, Int* jpvt, double* tau);
Int Geqp3(Int m, Int n, Complex* a, Int lda, Int* jpvt, Complex* tau);
// Eigenvalues (ascending) and, with jobz 'V', orthonormal eigenvectors of a
// symmetric / Hermitian matrix from its upper triangle: syevd / heevd.
Int HermitianEigen(char jobz, Int n, double* a, Int lda, double* w);
Int HermitianEigen(char jobz, Int n, Complex* a, Int lda, double* w);
// Eigenvalues and, with jobvr 'V', right eigenvectors of a general matrix.
// Real: a complex pair is wr(j) +- i wi(j), its vectors VR(:,j) +- i VR(:,j+1).
Int Geev(char jobvr, Int n, double* a, Int lda, double* wr, double* wi, double* vr, Int ldvr);
Int Geev(char jobvr, Int n, Complex* a, Int lda, Complex* w, Complex* vr, Int ldvr);

// BLAS: C = alpha op(A) op(B) + beta C.
enum class Op { None, Transpose, ConjTranspose };
void Gemm(Op opA, Op opB, Int m, Int n, Int k, double alpha, const double* a, Int lda, const double* b, Int ldb,
          double beta, double* c, Int ldc);
void Gemm(Op opA, Op opB, Int m, Int n, Int k, Complex alpha, const Complex* a, Int lda, const Complex* b, Int ldb,
          Complex beta, Complex* c, Int ldc);
// BLAS: A += alpha x y^T (no conjugation), y with stride incy.
void Geru(Int m, Int n, double alpha, const double* x, const double* y, Int incy, double* a, Int lda);
void Geru(Int m, Int n, Complex alpha, const Complex* x, const Complex* y, Int incy, Complex* a, Int lda);

}  // namespace quorvix::linalg::lapack
