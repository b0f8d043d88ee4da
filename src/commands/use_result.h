#pragma once
// "Use as Matrix A" / "Use as Matrix B": a kept result, or one factor of it,
// becomes the editor's whole text at full precision, so that the next
// command computes with the result's doubles rather than with the digits the
// panel shows.
#include <cstddef>
#include <optional>
#include <string_view>

#include "commands/calc_state.h"
#include "commands/command_frame.h"

namespace quorvix {

// Rewrites the editor of `which` with the matrix that `name` chooses of kept
// result `number` (from 1; none: the newest), written as ExactMatrixLines
// writes it with the state's decimal mark: a single value becomes a 1 x 1
// matrix, the design's eigenvalues one column. Raises CalcError (see
// result_choice.h: no result, no such factor, a factor result without a
// name) and leaves the editor as it was.
void UseResult(CalcState& s, Operand which, std::optional<std::size_t> number, std::string_view name);

}  // namespace quorvix
