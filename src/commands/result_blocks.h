#pragma once
// Which kept result a line of the result panel belongs to, so that the
// panel's pop-up menu can offer the result under the mouse. A result's block
// begins with its label line ("inv(A)="); the kept results are matched to
// the label lines in order, so a label the user typed or a refused command's
// bare label ("inv(B)") is never taken for a result.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "commands/calc_state.h"

namespace quorvix {

// The number (from 1) of the kept result whose block holds panel line `line`
// (from 0) of `lines`: the last result whose label line is at or above it.
// Nothing above the first result's label, and nothing when the panel keeps
// no result.
std::optional<std::size_t> KeptResultAtLine(const std::vector<KeptResult>& kept, const std::vector<std::string>& lines,
                                            std::size_t line);

}  // namespace quorvix
