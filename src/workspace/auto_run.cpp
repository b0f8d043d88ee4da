#include "workspace/auto_run.h"

#include <exception>
#include <string>

#include "commands/command_frame.h"
#include "commands/operation_table.h"
#include "core/cancel.h"
#include "core/errors.h"
#include "workspace/editor_tools.h"

namespace quorvix {

void RunAuto(CalcState& s) {
    ClearEditor(s, Editor::Result);
    std::exception_ptr first;
    for (const Operation& op : Operations()) {
        CheckCancelled();
        try {
            op.Run(s);
        } catch (const CancelledError&) {
            throw;
        } catch (const CalcError& e) {
            // Auto exists to evaluate every operation: one overflowing
            // determinant must not hide the rank, the eigenvalues and the rest.
            Refuse(s, std::string(" Error: ") + e.what() + ".");
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}

}  // namespace quorvix
