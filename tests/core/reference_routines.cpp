// The reference routines of reference/matrice2_reference.h, as one
// translation unit: the copied sources are included here, each defining its
// routines in quorvix::reference.
#include "core/reference/matrice2_reference.h"

#include "core/reference/mat_determinant.cpp"
#include "core/reference/mat_eigen.cpp"
#include "core/reference/mat_elementwise.cpp"
#include "core/reference/mat_inverse.cpp"
#include "core/reference/mat_invert_lu.cpp"
#include "core/reference/mat_ldl.cpp"
#include "core/reference/mat_lu.cpp"
#include "core/reference/mat_lu_decompose.cpp"
#include "core/reference/mat_multiply.cpp"
#include "core/reference/mat_qr.cpp"
#include "core/reference/mat_rank.cpp"
#include "core/reference/mat_svd.cpp"
#include "core/reference/mat_transpose_trace.cpp"
