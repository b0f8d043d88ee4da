#include "commands/auto_run.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "commands/command_frame.h"
#include "commands/editor_tools.h"
#include "commands/operation_table.h"
#include "commands/run_operation.h"
#include "core/cancel.h"
#include "core/errors.h"

namespace quorvix {

namespace {

// Auto's stage ends with Auto, however it ends, so that a later command is
// not shown as one of Auto's.
struct StageReset {
    ~StageReset() { SetProgressStage(0, 0, nullptr); }
};

}  // namespace

void RunAuto(CalcState& s) {
    ClearEditor(s, Editor::Result);
    const auto operations = Operations();
    const auto stages = static_cast<std::int32_t>(operations.size());
    const StageReset reset;
    std::int32_t done = 0;
    std::exception_ptr first;
    for (const Operation& op : operations) {
        SetProgressStage(done++, stages, op.Step);
        CheckCancelled();
        const std::size_t linesBefore = s.Panel.LineCount();
        try {
            RunOperation(s, op);
        } catch (const CancelledError&) {
            throw;
        } catch (const CalcError& e) {
            // Auto exists to evaluate every operation: one overflowing
            // determinant must not hide the rank, the eigenvalues and the rest.
            // RunOperation closed a label with the error line; a command
            // stopped before its label gets the line here.
            if (s.Panel.LineCount() == linesBefore) Refuse(s, std::string(" Error: ") + e.what() + ".");
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}

}  // namespace quorvix
