#pragma once
// The table of operations as data: the window takes its buttons, hints and
// labels from here, quorvix-cli its step names, and Auto its order.
#include <span>
#include <string_view>

#include "commands/calc_state.h"

namespace quorvix {

using CommandHandler = void (*)(CalcState&);

struct Operation {
    const char* Control;  // the button's name on the form, "SpeedButton13"
    const char* Hint;     // the button's hint, as stored
    const char* Label;    // the result label; for the powers the prefix "A^(" / "B^("
    const char* Step;     // quorvix-cli's step name: the label, or "A^x" / "B^x"
    std::int32_t Kind;    // the ResultKind the command sets
    CommandHandler Handler;
};

// All 43 operations, in the order Auto presses them.
std::span<const Operation> Operations();
// The operation with this step name, or nullptr.
const Operation* FindOperationByStep(std::string_view step);
// The operation of this control ("SpeedButton13"), or nullptr.
const Operation* FindOperationByControl(std::string_view control);

}  // namespace quorvix
