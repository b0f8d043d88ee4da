#include "workspace/auto_run.h"

#include "commands/operation_table.h"
#include "core/cancel.h"
#include "workspace/editor_tools.h"

namespace quorvix {

void RunAuto(CalcState& s) {
    ClearEditor(s, Editor::Result);
    for (const Operation& op : Operations()) {
        CheckCancelled();
        op.Run(s);
    }
}

}  // namespace quorvix
