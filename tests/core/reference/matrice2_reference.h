#pragma once
// The straightforward Matrice2 routines, element by element on one thread,
// as they were before the typed and threaded kernels: the reference that the
// differential tests hold the library to, bit for bit. The sum, the logical
// operations and the transpose are kept here only: the commands combine the
// elements as they read them, and are held to these. The sources are copies
// in this folder, built once as the library quorvix_core_reference.
#include <cstdint>

#include "core/matrice2.h"

namespace quorvix::reference {

MatStatus MatMultiply(const RCOMat& a, const RCOMat& b, RCOMat& c);
MatStatus MatAdd(const RCOMat& a, const RCOMat& b, RCOMat& c);
MatStatus MatAnd(const RCOMat& a, const RCOMat& b, RCOMat& c);
MatStatus MatOr(const RCOMat& a, const RCOMat& b, RCOMat& c);
MatStatus MatXor(const RCOMat& a, const RCOMat& b, RCOMat& c);
MatStatus MatScale(const Scalar& x, const RCOMat& m, RCOMat& r);
MatStatus MatTrace(const RCOMat& m, Scalar& t);
MatStatus MatTranspose(const RCOMat& m, RCOMat& t);

MatStatus MatLUDecompose(std::int32_t n, RCOMat& a, RCoVecE& rowPerm, RCoVecE& colPerm);
void MatLUSolveColumn(const RCOMat& a, std::int32_t n, const RCOVec& b, const RCoVecE& rowPerm, const RCoVecE& colPerm,
                      RCOVec& x);
MatStatus MatInvertLU(RCOMat& a, RCOMat& inv);
bool MatInverse(std::int32_t n, RCoVecD& re, RCoVecD& im, RCOMat& inv);
Scalar MatDeterminant(RCOMat& a, std::int32_t rows, std::int32_t cols);
double MatRank(RCOMat& a, std::int32_t rows, std::int32_t cols);
std::int32_t MatLU(RCOMat& a, RCOMat& l, RCOMat& u, std::int32_t n, std::int32_t m);
bool MatLDL(RCOMat& a, RCOMat& l, RCOMat& d);

void MatQR(RCOMat& a, std::int32_t m, std::int32_t n, RCOMat& q);
void MatBalance(matrx2& a, std::int32_t n);
void MatHessenberg(matrx2& a, std::int32_t n);
bool MatEigenvalues(matrx2& a, std::int32_t n, RCoVecD& re, RCoVecD& im);
std::int32_t MatSVD(RCOMat& a, RCOMat& u, RCOMat& v, long double tol, std::int32_t m, std::int32_t n);

}  // namespace quorvix::reference
