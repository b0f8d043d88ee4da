#pragma once
// A result as the matrices it shows, each named as the panel names it, for
// the commands that take a result further: "Use as Matrix A/B", the exports.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/matrice2.h"
#include "textio/command_result.h"

namespace quorvix {

// One matrix of a result, shaped as the panel prints it (an element a short
// matrix lacks is an empty value, which counts as 0). Blocks the panel shows
// by their real parts (QR's R, Svd's U, S and V) hold real values here.
struct ResultMatrix {
    std::string Name;  // "" for a plain matrix or a single value; "L", "U", "Q", "values", ...
    RCOMat Matrix;
};

// The matrices of a result, in the order printed: a matrix, a single value
// (1 x 1) and a dimension (1 x 2: rows, columns) are one unnamed matrix; a
// factorization gives its factors by name; the design's eigenvalues one
// column named "values", holding those the panel shows.
std::vector<ResultMatrix> ResultMatrices(const CommandResult& result);

// The names of a result's factors as the kept list shows them: none for a
// single matrix or value.
std::vector<std::string> FactorNames(const CommandResult& result);

// The matrix of `result` named `name` (an empty name: the result's only
// matrix); nothing when it has no such matrix, or when `name` is empty and
// the result has several.
std::optional<ResultMatrix> FindResultMatrix(const CommandResult& result, std::string_view name);

}  // namespace quorvix
