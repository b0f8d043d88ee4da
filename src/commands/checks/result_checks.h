#pragma once
// The double-precision checks of the answers of A*B, A/B, A^x, inv, Det,
// Rank, LU, QR, Chol, Eig and Svd. Each check recomputes what its command
// answered with LAPACK and the BLAS (on the operands as the editors read
// them), bounds the double computation's own error by the operand's
// condition, and returns a " Check: " line only where the answer lies
// outside that bound: where a double computation cannot decide (a condition
// near 1/eps) it says nothing. The checks never change an answer.
#include <optional>
#include <string>
#include <variant>

#include "commands/calc_state.h"
#include "commands/operation_table.h"
#include "textio/command_result.h"

namespace quorvix {

// What a command did: printed a result, wrote a message line instead, or
// raised an error (its message, without the period).
struct CheckedOutcome {
    const CommandResult* Result = nullptr;
    std::string Refusal;
    std::string Error;

    // The printed result as an R, or nullptr when there is none or it is of
    // another kind.
    template <typename R>
    const R* ResultAs() const {
        return Result == nullptr ? nullptr : std::get_if<R>(Result);
    }
};

using ResultCheck = std::optional<std::string> (*)(const CalcState&, const Operation&, const CheckedOutcome&);

// The check of an operation, or nullptr for one that has none.
ResultCheck FindResultCheck(const Operation& op);

// Writes the line and an empty line, and logs the line for --json.
void AppendCheckLine(CalcState& state, const std::string& line);

}  // namespace quorvix
