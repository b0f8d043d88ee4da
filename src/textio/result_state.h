#pragma once
// The result state that every command fills before it calls WriteResult.
#include <cstdint>

#include "core/matrice2.h"

namespace quorvix {

enum ResultKind : std::int32_t {
    rkMatrix = 0,
    rkScalar = 1,
    rkDimension = 2,
    rkQR = 3,
    rkLU = 4,
    rkLDL = 5,
    rkSVD = 6,
    rkEigen = 7,
};

struct ResultState {
    std::int32_t ResultKind = rkMatrix;
    std::int32_t ResultRows = 0;
    std::int32_t ResultCols = 0;
    RCOMat ResultMatrix;      // kind 0
    Scalar ResultScalar;      // kind 1
    std::int32_t DimRows = 0; // kind 2
    std::int32_t DimCols = 0;
    RCOMat ResultFactor1;     // Q (3), L (4, 5), U (6)
    RCOMat ResultFactor2;     // R (3), U (4), D (5), V (6)
    RCOMat WorkA;             // operand A; S for kind 6
    RCOMat WorkB;             // operand B
    RCoVecD EigenRe;          // kind 7, used from index 1
    RCoVecD EigenIm;
};

}  // namespace quorvix
