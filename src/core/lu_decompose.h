#pragma once
// MatLUDecompose with access to its typed dense copy, for MatInvertLU, which
// solves every column on the same copy. Not part of the library's interface.
#include <memory>

#include "core/kernel/dense_elimination.h"
#include "core/matrice2.h"

namespace quorvix::kernel {

// MatLUDecompose; when the typed path was taken and `dense` is given, the
// dense copy of the factors (equal to what `a` receives) is left in *dense.
MatStatus LUDecompose(std::int32_t n, RCOMat& a, RCoVecE& rowPerm, RCoVecE& colPerm,
                      std::unique_ptr<DenseElimination>* dense);

}  // namespace quorvix::kernel
