#include "workspace/auto_run.h"

#include "commands/operation_table.h"
#include "core/cancel.h"
#include "workspace/clear.h"

namespace quorvix {

void Auto1Click(CalcState& s) {
    ClearResult(s);
    for (const Operation& op : Operations()) {
        CheckCancelled();
        op.Handler(s);
    }
}

}  // namespace quorvix
