#pragma once
// Matrice2: the numeric library. Matrices are arrays of rows of Scalars,
// 0-based and row-major; routines take their operands by reference, re-size
// their output variables, and often work in place.
//
// Failures are reported the way each routine's comment says: by the status it
// returns (MatStatus), a Boolean or an integer result. There is no status
// kept between calls, so the routines may run on any thread and a caller
// reads what its own call returned. The library writes no text; Scalar
// arithmetic errors (division by a tiny complex divisor, floating-point
// faults) propagate to the caller as exceptions.
#include <cstdint>
#include <vector>

#include "core/scalar.h"

namespace quorvix {

using RCOVec = std::vector<Scalar>;         // one matrix row
using RCOMat = std::vector<RCOVec>;         // a matrix as an array of rows
using RCoVecE = std::vector<std::int32_t>;  // index work vector (pivots, permutations)
using RCoVecD = std::vector<double>;        // real work vector

// A second array-of-rows matrix type with the same layout; the eigenvalue
// routines use it as an (n+1) x (n+1) matrix indexed from 1.
struct matrx2 : std::vector<std::vector<Scalar>> {
    using std::vector<std::vector<Scalar>>::vector;
};

// The status a routine returns, with the library's codes: 0 success, 3
// singular, 4 dimensions disagree or not square, 5 empty operand. The
// commands look at it after MatInvertLU only (A/B and the negative powers),
// to tell a singular matrix from an inverse; everywhere else they rely on
// their own checks and on the routines' results.
enum class MatStatus : std::int32_t { Ok = 0, Singular = 3, Dimensions = 4, Empty = 5 };

// Sizes `m` to rows x cols, every element empty (which counts as 0).
void SizeMatrix(RCOMat& m, std::int32_t rows, std::int32_t cols);

// ---- Container routines, product and scaling -----------------------------
// Each starts with MatSize on its operand(s) and returns its status at once
// when that is not Ok; a failed dimension rule returns Dimensions. An early
// return leaves the output untouched. (The sums, the logical operations and
// the transposes are the commands' own: they combine the elements as they
// are read.)

// rows := row count; cols := length of row 0 (0 without rows); Ok, or Empty without rows.
MatStatus MatSize(const RCOMat& m, std::int32_t& rows, std::int32_t& cols);
MatStatus MatMultiply(const RCOMat& a, const RCOMat& b, RCOMat& c);
// t := sum of m[i][i] for i below min(rows, cols); t is set before any check,
// and there is no early return: the status is MatSize's.
MatStatus MatTrace(const RCOMat& m, Scalar& t);
// r[i][j] := m[i][j] * x (x on the right).
MatStatus MatScale(const Scalar& x, const RCOMat& m, RCOMat& r);

// ---- Inverse, determinant, rank and LU -----------------------------------

// LU with full pivoting that keeps the inverse of the lower factor: on return
// `a` holds U in its upper triangle and M (M*P = U) strictly below. Ok;
// Singular when a pivot search or the last diagonal element finds a zero (the
// steps so far stay in `a`); Dimensions, with nothing changed, when `a` is
// too small for order n.
MatStatus MatLUDecompose(std::int32_t n, RCOMat& a, RCoVecE& rowPerm, RCoVecE& colPerm);
// Solves A*x = b from the packed factors; x may be the same vector as b. It
// cannot fail but by a Scalar error.
void MatLUSolveColumn(const RCOMat& a, std::int32_t n, const RCOVec& b, const RCoVecE& rowPerm, const RCoVecE& colPerm,
                      RCOVec& x);
// inv := a^-1 through MatLUDecompose; `a` is overwritten. Ok, Singular,
// Dimensions or Empty; on failure `inv` is left as it was.
MatStatus MatInvertLU(RCOMat& a, RCOMat& inv);
// Complex Gauss-Jordan with full pivoting on split real and imaginary arrays
// (n*n each, destroyed). Returns true when the matrix is singular.
bool MatInverse(std::int32_t n, RCoVecD& re, RCoVecD& im, RCOMat& inv);
// The determinant by Gaussian elimination with full pivoting (`a` destroyed).
Scalar MatDeterminant(RCOMat& a, std::int32_t rows, std::int32_t cols);
// The rank as a whole number in a double (`a` destroyed).
double MatRank(RCOMat& a, std::int32_t rows, std::int32_t cols);
// Doolittle without pivoting: 1 success, -1 not square, 0 zero pivot before the last row.
std::int32_t MatLU(RCOMat& a, RCOMat& l, RCOMat& u, std::int32_t n, std::int32_t m);

// ---- QR, eigenvalues and SVD ---------------------------------------------

// Householder QR of a real m x n matrix (m >= n): `a` becomes R, `q` (m x m,
// sized by the caller) the accumulated reflections with Q*A = R.
void MatQR(RCOMat& a, std::int32_t m, std::int32_t n, RCOMat& q);
// Balancing, Hessenberg reduction and the shifted QR iteration on the 1-based
// (n+1) x (n+1) working matrix. MatEigenvalues writes entries 1..n of re and
// im and returns how many leading positions it did not reach: 0 when every
// eigenvalue was found; k when the iteration limit stopped it with positions
// 1..k unfilled (they are left at 0).
void MatBalance(matrx2& a, std::int32_t n);
void MatHessenberg(matrx2& a, std::int32_t n);
std::int32_t MatEigenvalues(matrx2& a, std::int32_t n, RCoVecD& re, RCoVecD& im);
// Singular value decomposition A = U*S*V: S is written into `a` (m x n), U is
// m x m, V n x n (sized by the caller). Returns 1 when every singular value
// converged, 0 when the iteration limit stopped it.
std::int32_t MatSVD(RCOMat& a, RCOMat& u, RCOMat& v, long double tol, std::int32_t m, std::int32_t n);

}  // namespace quorvix
