#pragma once
// What quorvix-cli reports at the end of a run, besides the panel's lines:
// the place of an error as a line of text, and the whole state as one JSON
// object (the editors, x, the precision, the format, the panel, the error and
// its place, the notices and hints, the refusals, the last result as numbers
// and the labels and factor names of the kept results).
#include <optional>
#include <ostream>
#include <string>

#include "commands/calc_state.h"
#include "core/errors.h"
#include "files/result_json.h"
#include "textio/command_result.h"

namespace quorvix {

// "  in Matrix A, line 3, element 2" or "  in the x box".
std::string PlaceLine(const ErrorPlace& place);

// The run's error: its message without the final period, and its place.
struct RunError {
    std::string Message;
    std::optional<ErrorPlace> Place;
};

// The whole final state as one line of JSON; `value` is the last step's
// result, or nothing when that step printed none.
void WriteStateJson(std::ostream& out, const CalcState& s, const std::optional<RunError>& error,
                    const CommandResult* value);

}  // namespace quorvix
