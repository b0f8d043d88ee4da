#pragma once
// Choosing a kept result, and one matrix of it by name, for the commands that
// take a result further: "Use as Matrix A/B" and the exports.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/calc_state.h"
#include "textio/result_matrices.h"

namespace quorvix {

inline constexpr const char* kNoResultMessage = "There is no result to use";

// Kept result `number` (counted from 1), or the newest when none is given.
// Raises CalcError "There is no result to use" when the panel keeps none, and
// one that names the kept numbers when it keeps no result of that number.
const KeptResult& ChooseKeptResult(const CalcState& s, std::optional<std::size_t> number);

// The names that choose one matrix of a result: its factors ("L", "U"), and
// "values" for the eigenvalues; an eigenvector result (factors D and V) also
// takes "values" (D's diagonal as a column) and "vectors" (V).
std::vector<std::string> ChoosableNames(const CommandResult& result);

// "L and U", "U, S and V".
std::string JoinedNames(const std::vector<std::string>& names);

// The matrix of `kept` that `name` chooses; an empty name chooses the only
// matrix of a plain result, a single value (1 x 1), a dimension (1 x 2) or
// the design's eigenvalues (one column). Raises CalcError
// `The result "LU(A)" has no factor "Q"` for a name the result lacks, and
// `The result "LU(A)" has factors L and U: name one` for an empty name on a
// result of several factors.
ResultMatrix ChooseResultMatrix(const KeptResult& kept, std::string_view name);

// Every matrix of `kept` in the order printed when `name` is empty, otherwise
// the one it chooses (raising as above).
std::vector<ResultMatrix> ChooseResultMatrices(const KeptResult& kept, std::string_view name);

// The message for a result of several factors used without a name.
std::string NameOneMessage(const KeptResult& kept);

}  // namespace quorvix
