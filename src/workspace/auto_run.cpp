#include "workspace/auto_run.h"

#include <cstdint>

#include "commands/operation_table.h"
#include "core/cancel.h"
#include "workspace/editor_tools.h"

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
    for (const Operation& op : operations) {
        SetProgressStage(done++, stages, op.Step);
        CheckCancelled();
        op.Run(s);
    }
}

}  // namespace quorvix
