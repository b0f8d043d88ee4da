// The LAPACKE and CBLAS calls behind lapack_calls.h. No checks of the data
// and no quick returns (the callers never pass an empty matrix); the work
// arrays come from a workspace query (lwork = -1) and std::vector, so that an
// allocation failure is std::bad_alloc and never a message of LAPACKE's.
//
// The BLAS wrappers share this object file with the LAPACK ones on purpose:
// a program that calls any of them references cblas_*, so the linker keeps
// libopenblas.so.0 even under --as-needed (Debian's default), and the LAPACK
// routines that LAPACKE calls bind to OpenBLAS before liblapack.so.3.
#include "linalg/lapack_calls.h"

#include <algorithm>
#include <complex>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

// LAPACKE's complex types as std::complex, whose layout is the Fortran one.
#define lapack_complex_float std::complex<float>
#define lapack_complex_double std::complex<double>
#include <cblas.h>
#include <lapacke.h>

namespace quorvix::linalg::lapack {
namespace {

// The LP64 libraries: 32-bit integers for LAPACK (and the BLAS beside it).
static_assert(std::is_same_v<lapack_int, Int>, "the library is built for 32-bit LAPACK integers (LP64)");

constexpr int kLayout = LAPACK_COL_MAJOR;

// info as returned, or std::logic_error for an illegal argument (LAPACKE
// counts its layout argument, so argument k of the Fortran routine is k + 1).
Int Checked(Int info, const char* routine) {
    if (info < 0)
        throw std::logic_error(std::string("linalg: ") + routine + " refused argument " + std::to_string(-info));
    return info;
}

// The workspace size a query returned in its first element.
Int Size(double query) { return query > 1.0 ? static_cast<Int>(query) : 1; }
Int Size(Complex query) { return Size(query.real()); }
Int Size(Int query) { return query > 1 ? query : 1; }

CBLAS_TRANSPOSE Trans(Op op) {
    switch (op) {
        case Op::None: return CblasNoTrans;
        case Op::Transpose: return CblasTrans;
        case Op::ConjTranspose: return CblasConjTrans;
    }
    return CblasNoTrans;
}

Int Min(Int a, Int b) { return a < b ? a : b; }
Int Max(Int a, Int b) { return a > b ? a : b; }

// A workspace of `size` elements with zeros after them, room for the
// over-reads of OpenBLAS 0.3.21's gemv kernels on the panels LAPACK keeps
// there (leading dimension `ld`), as linalg::Matrix keeps for its elements.
std::size_t Padded(Int size, Int ld) { return static_cast<std::size_t>(size) + 4 * static_cast<std::size_t>(ld) + 64; }

}  // namespace

Int Getrf(Int m, Int n, double* a, Int lda, Int* ipiv) {
    return Checked(LAPACKE_dgetrf_work(kLayout, m, n, a, lda, ipiv), "dgetrf");
}
Int Getrf(Int m, Int n, Complex* a, Int lda, Int* ipiv) {
    return Checked(LAPACKE_zgetrf_work(kLayout, m, n, a, lda, ipiv), "zgetrf");
}

Int Getrs(Int n, Int nrhs, const double* a, Int lda, const Int* ipiv, double* b, Int ldb) {
    return Checked(LAPACKE_dgetrs_work(kLayout, 'N', n, nrhs, a, lda, ipiv, b, ldb), "dgetrs");
}
Int Getrs(Int n, Int nrhs, const Complex* a, Int lda, const Int* ipiv, Complex* b, Int ldb) {
    return Checked(LAPACKE_zgetrs_work(kLayout, 'N', n, nrhs, a, lda, ipiv, b, ldb), "zgetrs");
}

Int Gecon(Int n, const double* a, Int lda, double anorm, double* rcond) {
    std::vector<double> work(4 * static_cast<std::size_t>(n));
    std::vector<Int> iwork(static_cast<std::size_t>(n));
    return Checked(LAPACKE_dgecon_work(kLayout, '1', n, a, lda, anorm, rcond, work.data(), iwork.data()), "dgecon");
}
Int Gecon(Int n, const Complex* a, Int lda, double anorm, double* rcond) {
    std::vector<Complex> work(2 * static_cast<std::size_t>(n));
    std::vector<double> rwork(2 * static_cast<std::size_t>(n));
    return Checked(LAPACKE_zgecon_work(kLayout, '1', n, a, lda, anorm, rcond, work.data(), rwork.data()), "zgecon");
}

Int Getri(Int n, double* a, Int lda, const Int* ipiv) {
    double query = 0;
    Checked(LAPACKE_dgetri_work(kLayout, n, a, lda, ipiv, &query, -1), "dgetri");
    std::vector<double> work(Padded(Size(query), Max(lda, n)));
    return Checked(LAPACKE_dgetri_work(kLayout, n, a, lda, ipiv, work.data(), Size(query)), "dgetri");
}
Int Getri(Int n, Complex* a, Int lda, const Int* ipiv) {
    Complex query = 0;
    Checked(LAPACKE_zgetri_work(kLayout, n, a, lda, ipiv, &query, -1), "zgetri");
    std::vector<Complex> work(Padded(Size(query), Max(lda, n)));
    return Checked(LAPACKE_zgetri_work(kLayout, n, a, lda, ipiv, work.data(), Size(query)), "zgetri");
}

Int Gelsd(Int m, Int n, Int nrhs, double* a, Int lda, double* b, Int ldb, double* s, double rcond, Int* rank) {
    double query = 0;
    Int iquery = 0;
    Checked(LAPACKE_dgelsd_work(kLayout, m, n, nrhs, a, lda, b, ldb, s, rcond, rank, &query, -1, &iquery), "dgelsd");
    std::vector<double> work(Padded(Size(query), Max(lda, n)));
    std::vector<Int> iwork(static_cast<std::size_t>(Size(iquery)));
    return Checked(LAPACKE_dgelsd_work(kLayout, m, n, nrhs, a, lda, b, ldb, s, rcond, rank, work.data(), Size(query),
                                       iwork.data()),
                   "dgelsd");
}
Int Gelsd(Int m, Int n, Int nrhs, Complex* a, Int lda, Complex* b, Int ldb, double* s, double rcond, Int* rank) {
    Complex query = 0;
    double rquery = 0;
    Int iquery = 0;
    Checked(LAPACKE_zgelsd_work(kLayout, m, n, nrhs, a, lda, b, ldb, s, rcond, rank, &query, -1, &rquery, &iquery),
            "zgelsd");
    std::vector<Complex> work(Padded(Size(query), Max(lda, n)));
    std::vector<double> rwork(static_cast<std::size_t>(Size(rquery)));
    std::vector<Int> iwork(static_cast<std::size_t>(Size(iquery)));
    return Checked(LAPACKE_zgelsd_work(kLayout, m, n, nrhs, a, lda, b, ldb, s, rcond, rank, work.data(), Size(query),
                                       rwork.data(), iwork.data()),
                   "zgelsd");
}

Int Gesdd(char jobz, Int m, Int n, double* a, Int lda, double* s, double* u, Int ldu, double* vt, Int ldvt) {
    std::vector<Int> iwork(8 * static_cast<std::size_t>(Min(m, n)));
    double query = 0;
    Checked(LAPACKE_dgesdd_work(kLayout, jobz, m, n, a, lda, s, u, ldu, vt, ldvt, &query, -1, iwork.data()), "dgesdd");
    std::vector<double> work(Padded(Size(query), Max(lda, n)));
    return Checked(
        LAPACKE_dgesdd_work(kLayout, jobz, m, n, a, lda, s, u, ldu, vt, ldvt, work.data(), Size(query), iwork.data()),
        "dgesdd");
}
Int Gesdd(char jobz, Int m, Int n, Complex* a, Int lda, double* s, Complex* u, Int ldu, Complex* vt, Int ldvt) {
    // The real workspace as LAPACKE's own zgesdd sizes it.
    const std::size_t mn = static_cast<std::size_t>(Min(m, n)), mx = static_cast<std::size_t>(Max(m, n));
    const std::size_t lrwork = jobz == 'N' ? 7 * mn : mn * std::max(5 * mx + 7, 2 * mx + 2 * mn + 1);
    std::vector<double> rwork(std::max<std::size_t>(lrwork, 1));
    std::vector<Int> iwork(8 * mn);
    Complex query = 0;
    Checked(
        LAPACKE_zgesdd_work(kLayout, jobz, m, n, a, lda, s, u, ldu, vt, ldvt, &query, -1, rwork.data(), iwork.data()),
        "zgesdd");
    std::vector<Complex> work(Padded(Size(query), Max(lda, n)));
    return Checked(LAPACKE_zgesdd_work(kLayout, jobz, m, n, a, lda, s, u, ldu, vt, ldvt, work.data(), Size(query),
                                       rwork.data(), iwork.data()),
                   "zgesdd");
}

Int Geqp3(Int m, Int n, double* a, Int lda, Int* jpvt, double* tau) {
    double query = 0;
    Checked(LAPACKE_dgeqp3_work(kLayout, m, n, a, lda, jpvt, tau, &query, -1), "dgeqp3");
    std::vector<double> work(Padded(Size(query), Max(lda, n)));
    return Checked(LAPACKE_dgeqp3_work(kLayout, m, n, a, lda, jpvt, tau, work.data(), Size(query)), "dgeqp3");
}
Int Geqp3(Int m, Int n, Complex* a, Int lda, Int* jpvt, Complex* tau) {
    std::vector<double> rwork(2 * static_cast<std::size_t>(n));
    Complex query = 0;
    Checked(LAPACKE_zgeqp3_work(kLayout, m, n, a, lda, jpvt, tau, &query, -1, rwork.data()), "zgeqp3");
    std::vector<Complex> work(Padded(Size(query), Max(lda, n)));
    return Checked(LAPACKE_zgeqp3_work(kLayout, m, n, a, lda, jpvt, tau, work.data(), Size(query), rwork.data()),
                   "zgeqp3");
}

Int HermitianEigen(char jobz, Int n, double* a, Int lda, double* w) {
    double query = 0;
    Int iquery = 0;
    Checked(LAPACKE_dsyevd_work(kLayout, jobz, 'U', n, a, lda, w, &query, -1, &iquery, -1), "dsyevd");
    std::vector<double> work(Padded(Size(query), Max(lda, n)));
    std::vector<Int> iwork(static_cast<std::size_t>(Size(iquery)));
    return Checked(
        LAPACKE_dsyevd_work(kLayout, jobz, 'U', n, a, lda, w, work.data(), Size(query), iwork.data(), Size(iquery)),
        "dsyevd");
}
Int HermitianEigen(char jobz, Int n, Complex* a, Int lda, double* w) {
    Complex query = 0;
    double rquery = 0;
    Int iquery = 0;
    Checked(LAPACKE_zheevd_work(kLayout, jobz, 'U', n, a, lda, w, &query, -1, &rquery, -1, &iquery, -1), "zheevd");
    std::vector<Complex> work(Padded(Size(query), Max(lda, n)));
    std::vector<double> rwork(static_cast<std::size_t>(Size(rquery)));
    std::vector<Int> iwork(static_cast<std::size_t>(Size(iquery)));
    return Checked(LAPACKE_zheevd_work(kLayout, jobz, 'U', n, a, lda, w, work.data(), Size(query), rwork.data(),
                                       Size(rquery), iwork.data(), Size(iquery)),
                   "zheevd");
}

Int Geev(char jobvr, Int n, double* a, Int lda, double* wr, double* wi, double* vr, Int ldvr) {
    double vl = 0;
    double query = 0;
    Checked(LAPACKE_dgeev_work(kLayout, 'N', jobvr, n, a, lda, wr, wi, &vl, 1, vr, ldvr, &query, -1), "dgeev");
    std::vector<double> work(Padded(Size(query), Max(lda, n)));
    return Checked(
        LAPACKE_dgeev_work(kLayout, 'N', jobvr, n, a, lda, wr, wi, &vl, 1, vr, ldvr, work.data(), Size(query)),
        "dgeev");
}
Int Geev(char jobvr, Int n, Complex* a, Int lda, Complex* w, Complex* vr, Int ldvr) {
    Complex vl = 0;
    std::vector<double> rwork(2 * static_cast<std::size_t>(n));
    Complex query = 0;
    Checked(LAPACKE_zgeev_work(kLayout, 'N', jobvr, n, a, lda, w, &vl, 1, vr, ldvr, &query, -1, rwork.data()), "zgeev");
    std::vector<Complex> work(Padded(Size(query), Max(lda, n)));
    return Checked(
        LAPACKE_zgeev_work(kLayout, 'N', jobvr, n, a, lda, w, &vl, 1, vr, ldvr, work.data(), Size(query), rwork.data()),
        "zgeev");
}

void Gemm(Op opA, Op opB, Int m, Int n, Int k, double alpha, const double* a, Int lda, const double* b, Int ldb,
          double beta, double* c, Int ldc) {
    cblas_dgemm(CblasColMajor, Trans(opA), Trans(opB), m, n, k, alpha, a, lda, b, ldb, beta, c, ldc);
}
void Gemm(Op opA, Op opB, Int m, Int n, Int k, Complex alpha, const Complex* a, Int lda, const Complex* b, Int ldb,
          Complex beta, Complex* c, Int ldc) {
    cblas_zgemm(CblasColMajor, Trans(opA), Trans(opB), m, n, k, &alpha, a, lda, b, ldb, &beta, c, ldc);
}

void Geru(Int m, Int n, double alpha, const double* x, const double* y, Int incy, double* a, Int lda) {
    cblas_dger(CblasColMajor, m, n, alpha, x, 1, y, incy, a, lda);
}
void Geru(Int m, Int n, Complex alpha, const Complex* x, const Complex* y, Int incy, Complex* a, Int lda) {
    cblas_zgeru(CblasColMajor, m, n, &alpha, x, 1, y, incy, a, lda);
}

}  // namespace quorvix::linalg::lapack
