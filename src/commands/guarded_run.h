#pragma once
// Running one action of a front end (a button, a menu item, a quorvix-cli
// step) so that whatever it raises ends as a report: the window shows the
// error in its box, quorvix-cli on standard error. Both front ends run their
// actions through here, so a cancelled command ends the same in both: its
// notice follows what it wrote in the panel.
#include <functional>
#include <optional>
#include <string>

#include "commands/calc_state.h"
#include "core/errors.h"

namespace quorvix {

inline constexpr const char* kCancelNotice = " Notice: The calculation was cancelled.";

using StateJob = std::function<void(CalcState&)>;

struct GuardedOutcome {
    std::optional<std::string> Error;  // the message, without the final period
    std::optional<ErrorPlace> Place;   // where the text that caused it was
    bool Cancelled = false;
};

// Runs `job` on `state` and catches what a command can raise. A cancel also
// writes kCancelNotice and an empty line to the panel.
GuardedOutcome RunGuarded(CalcState& state, const StateJob& job);

}  // namespace quorvix
