#pragma once
// Cancelling a running command, and how far it has got. The window (Esc,
// Cancel) and quorvix-cli (SIGINT) raise the flag; every long loop of the
// engine calls CheckCancelled at least once per row, pivot step or product,
// and may say there how much of its work is done, which the window's progress
// bar and the CLI's progress line read. Both are plain atomics: any thread may
// raise, check or report, and a report costs two relaxed stores, so nobody
// pays for progress when nobody reads it.
#include <cstdint>

namespace quorvix {

inline constexpr const char* kCancelledMessage = "The calculation was cancelled";

void RequestCancel();  // async-signal-safe
void ClearCancel();    // before each command
// Raises CancelledError while the flag is up. The flag stays up until the next
// ClearCancel, so every thread of a split loop sees the same cancel.
void CheckCancelled();
// The same, and records that `done` of `total` steps of the running routine
// (of its running part) are done.
void CheckCancelled(std::int64_t done, std::int64_t total);
// The running routine is made of `parts` like parts, and `part` of them are
// done (0 <= part < parts): from now on its steps' fractions count within
// part number `part`. Records part / parts as done.
void SetProgressPart(std::int64_t part, std::int64_t parts);

// Progress as last recorded.
struct Progress {
    double Fraction = -1.0;       // of the running command (Auto: of its running command), 0..1; -1 when unknown
    std::int32_t Stage = 0;       // Auto: commands done so far
    std::int32_t Stages = 0;      // Auto: 43; 0 outside Auto
    const char* Label = nullptr;  // Auto: the running command's label
};
Progress CurrentProgress();
// A new command (or Auto's next command) starts: its fraction is unknown
// again, and it has no parts.
void ResetProgress();
// Auto's outer progress: `stage` of `stages` commands done, `label` running.
// The label must outlive the run (a string literal of the operation table).
void SetProgressStage(std::int32_t stage, std::int32_t stages, const char* label);

}  // namespace quorvix
