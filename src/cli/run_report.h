#pragma once
// What quorvix-cli reports at the end of a run, besides the panel's lines:
// the place of an error as a line of text, and the whole state as one JSON
// object (the editors, x, the precision, the format, the panel, the error and
// its place, the notices, the refusals and the last result as numbers).
#include <optional>
#include <ostream>
#include <string>

#include "commands/calc_state.h"
#include "core/errors.h"
#include "textio/command_result.h"

namespace quorvix {

// "  in Matrix A, line 3, element 2" or "  in the x box".
std::string PlaceLine(const ErrorPlace& place);

// A double as the shortest decimal that reads back to the same double
// ("0.1", "1e+300", "-2"); "null" for what JSON cannot hold.
std::string ShortestNumber(double v);

// A JSON string: valid UTF-8 passes through, other bytes are escaped as the
// code points of the same value.
void WriteJsonString(std::ostream& out, const std::string& s);

// The result as numbers: {"kind": "matrix", "rows": [...]}, "scalar",
// "dimension", "factors" (with their names) or "eigenvalues"; an element whose
// imaginary part is 0 is a number, any other [re, im]. Blocks the panel shows
// by their real parts (QR's R, U, S and V) give real parts. Nothing: null.
void WriteResultValue(std::ostream& out, const CommandResult* result);

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
