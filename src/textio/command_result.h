#pragma once
// What a command prints below its label. Each shape is printed by
// WriteResult in its own way; a command builds the one it needs and hands it
// over, so nothing of one command's numbers outlives it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/matrice2.h"

namespace quorvix {

// A matrix, printed as a block of 10-character fields (complex-aware).
struct MatrixResult {
    RCOMat Matrix{};
};

// One value on a line of its own (complex-aware).
struct ScalarResult {
    Scalar Value{};
};

// "rows*cols".
struct DimensionResult {
    std::int32_t Rows = 0;
    std::int32_t Cols = 0;
};

// Two factors of an operand with `Rows` rows and `Cols` columns, each under
// its caption ("   L:"): the first printed Rows x Rows, the second Rows x
// Cols. QR's R shows real parts only; the others are complex-aware.
struct FactorPairResult {
    const char* FirstName = "";   // "Q", "L"
    const char* SecondName = "";  // "R", "U", "D"
    RCOMat First{};
    RCOMat Second{};
    std::int32_t Rows = 0;
    std::int32_t Cols = 0;
    bool SecondRealOnly = false;
};

// A = U*S*V of an m x n matrix: U m x m, S m x n, V n x n, real parts only.
struct SvdResult {
    RCOMat U{};
    RCOMat S{};
    RCOMat V{};
    std::int32_t Rows = 0;
    std::int32_t Cols = 0;
};

// Eigenvalue k (1..Order) is Re[k] + Im[k]·i; entry 0 is not used. The
// iteration did not reach positions 1..Unreached (it gave up): they print
// nothing.
struct EigenResult {
    RCoVecD Re{};
    RCoVecD Im{};
    std::int32_t Order = 0;
    std::int32_t Unreached = 0;
};

// The first eigenvalue shown: the one after the positions not reached.
inline std::int32_t FirstShownEigenvalue(const EigenResult& eigen) {
    return eigen.Unreached < 0 ? 1 : eigen.Unreached + 1;
}

// Part k of an eigenvalue, 0 where the vector has no entry k.
inline double EigenPart(const RCoVecD& v, std::int32_t k) {
    return k >= 0 && static_cast<std::size_t>(k) < v.size() ? v[static_cast<std::size_t>(k)] : 0.0;
}

// Named factors, each under its caption ("   L:") as a whole block
// (complex-aware): the results computed in double precision, such as P*A =
// L*U (L, U, P), the eigenvectors (D, V) or the solution X of A*X = B.
struct NamedFactor {
    std::string Name;
    RCOMat Matrix{};
};
struct FactorListResult {
    std::vector<NamedFactor> Factors;
};

using CommandResult = std::variant<MatrixResult, ScalarResult, DimensionResult, FactorPairResult, SvdResult,
                                   EigenResult, FactorListResult>;

// The shape of a matrix result: its rows, and the length of its first row.
inline std::int32_t ResultRows(const RCOMat& m) { return static_cast<std::int32_t>(m.size()); }
inline std::int32_t ResultCols(const RCOMat& m) { return m.empty() ? 0 : static_cast<std::int32_t>(m[0].size()); }

// Element (i, j) of a result's matrix as it is shown: an empty value where a
// ragged or short matrix has none, so that every block prints its full
// Rows x Cols.
inline const Scalar& ElementOrEmpty(const RCOMat& m, std::int32_t i, std::int32_t j) {
    static const Scalar kEmpty;
    if (i < 0 || j < 0) return kEmpty;
    const auto ui = static_cast<std::size_t>(i);
    const auto uj = static_cast<std::size_t>(j);
    if (ui >= m.size() || uj >= m[ui].size()) return kEmpty;
    return m[ui][uj];
}

}  // namespace quorvix
