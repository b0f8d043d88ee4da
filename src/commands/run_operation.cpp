#include "commands/run_operation.h"

#include <cstddef>
#include <optional>
#include <string>

#include "commands/checks/result_checks.h"
#include "commands/command_frame.h"
#include "core/cancel.h"
#include "core/errors.h"

namespace quorvix {

namespace {

// What the command left in the panel from line `from` on: the message line
// it wrote instead of a result, if any (the last line that is not blank).
std::string RefusalLine(const CalcState& s, std::size_t from) {
    const auto& lines = s.Panel.Lines();
    for (std::size_t k = lines.size(); k > from; --k) {
        const std::string& line = lines[k - 1];
        if (line.find_first_not_of(' ') == std::string::npos) continue;
        if (line.rfind(" Error:", 0) == 0 || line.rfind(" No ", 0) == 0) return line;
        return {};
    }
    return {};
}

void RunCheck(CalcState& s, const Operation& op, std::size_t linesBefore, std::size_t printedBefore,
              const std::string& error) {
    const ResultCheck check = FindResultCheck(op);
    if (check == nullptr) return;
    CheckedOutcome outcome;
    if (s.Log.Printed != printedBefore && !s.Kept.empty()) outcome.Result = &s.Kept.back().Value;
    if (outcome.Result == nullptr) outcome.Refusal = RefusalLine(s, linesBefore);
    outcome.Error = error;
    std::optional<std::string> line;
    try {
        line = check(s, op, outcome);
    } catch (const CancelledError&) {
        throw;
    } catch (const std::exception&) {
        // A check that cannot be made (its own overflow, no convergence)
        // says nothing: the answer stands as the command gave it.
        return;
    }
    if (line) AppendCheckLine(s, *line);
}

}  // namespace

void RunOperation(CalcState& s, const Operation& op) {
    const std::size_t linesBefore = s.Panel.LineCount();
    const std::size_t printedBefore = s.Log.Printed;
    try {
        op.Run(s, op);
    } catch (const CancelledError&) {
        throw;
    } catch (const CalcError& e) {
        // A command stopped before its label (a bad x of A^x) leaves nothing to close.
        if (s.Panel.LineCount() != linesBefore) Refuse(s, std::string(" Error: ") + e.what() + ".");
        if (s.CheckResults) RunCheck(s, op, linesBefore, printedBefore, e.what());
        throw;
    }
    if (s.CheckResults) RunCheck(s, op, linesBefore, printedBefore, {});
}

}  // namespace quorvix
