#pragma once
// A result as JSON numbers: the "value" object of quorvix-cli's --json
// report, which is also the json export of a result.
#include <ostream>
#include <string>

#include "core/matrice2.h"
#include "textio/command_result.h"

namespace quorvix {

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

// One matrix as {"kind": "matrix", "rows": [...]}, each row as long as the
// matrix's first (elements a short row lacks are 0).
void WriteMatrixValue(std::ostream& out, const RCOMat& m);

}  // namespace quorvix
