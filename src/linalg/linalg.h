#pragma once
// The double-precision numerics on LAPACK and the BLAS, for the operations
// beyond the calculator's 43 and for the double-precision checks of their
// answers. Every routine works on copies of its operands, refuses
// infinities and nans in them and in its results ("Floating point
// overflow", "Invalid floating point operation"), handles empty and 1 x 1
// matrices, and looks at the cancel flag between its LAPACK calls. No
// routine here uses Scalar arithmetic, its extended precision or its
// thresholds.
#include "linalg/cond.h"
#include "linalg/conjugate_transpose.h"
#include "linalg/determinant.h"
#include "linalg/eigenvalues.h"
#include "linalg/eigvec.h"
#include "linalg/errors.h"
#include "linalg/expm.h"
#include "linalg/hermitian.h"
#include "linalg/inverse.h"
#include "linalg/lu_factor.h"
#include "linalg/matrix.h"
#include "linalg/multiply.h"
#include "linalg/norms.h"
#include "linalg/null_space.h"
#include "linalg/pinv.h"
#include "linalg/plu.h"
#include "linalg/rank.h"
#include "linalg/residuals.h"
#include "linalg/rref.h"
#include "linalg/singular_values.h"
#include "linalg/solve.h"
