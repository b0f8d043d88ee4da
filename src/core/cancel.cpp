#include "core/cancel.h"

#include <algorithm>
#include <atomic>

#include "core/errors.h"

namespace quorvix {

namespace {
// Lock-free so that a signal handler may raise it.
std::atomic<bool> g_cancel{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// Where the run is, in one word, so that a reader never pairs one command's
// fraction with the next command's stage: from the low bits up, the fraction
// done in units of 1 / kUnits, whether it is known, Auto's commands done and
// Auto's number of commands. Within a command the word only grows, and it
// grows from one of Auto's commands to the next.
constexpr std::uint64_t kUnits = std::uint64_t{1} << 40;
constexpr std::uint64_t kFractionBits = (kUnits << 1) - 1;  // 0..kUnits
constexpr std::uint64_t kKnown = kUnits << 1;
constexpr int kStageShift = 42;
constexpr int kStagesShift = 52;
constexpr std::uint64_t kStageMask = (std::uint64_t{1} << (kStagesShift - kStageShift)) - 1;
constexpr std::int32_t kMostStages = static_cast<std::int32_t>(kStageMask);
std::atomic<std::uint64_t> g_word{0};
static_assert(std::atomic<std::uint64_t>::is_always_lock_free);
// The running routine's part and number of parts (0: it has none).
std::atomic<std::int64_t> g_part{0};
std::atomic<std::int64_t> g_parts{0};
std::atomic<const char*> g_label{nullptr};

// The running routine has no parts (any more).
void ForgetParts() {
    g_parts.store(0, std::memory_order_relaxed);
    g_part.store(0, std::memory_order_relaxed);
}

std::uint64_t StageWord(std::int32_t stage, std::int32_t stages) {
    const auto clamp = [](std::int32_t v) { return static_cast<std::uint64_t>(std::clamp(v, 0, kMostStages)); };
    return clamp(stages) << kStagesShift | clamp(stage) << kStageShift;
}

// Units of `done` / `total` (clamped to 0..1) within part `part` of `parts`.
std::uint64_t UnitsOf(std::int64_t done, std::int64_t total, std::int64_t part, std::int64_t parts) {
    const double inner = done <= 0 ? 0.0 : done >= total ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
    const double whole = parts > 0 ? (static_cast<double>(part) + inner) / static_cast<double>(parts) : inner;
    return static_cast<std::uint64_t>(std::clamp(whole, 0.0, 1.0) * static_cast<double>(kUnits));
}

// Records `units` of the running command when they are further on than what
// is recorded.
void MoveForwardTo(std::uint64_t units) {
    std::uint64_t now = g_word.load(std::memory_order_relaxed);
    for (;;) {
        const std::uint64_t next = (now & ~(kFractionBits | kKnown)) | kKnown | units;
        if (next <= now || g_word.compare_exchange_weak(now, next, std::memory_order_relaxed)) return;
    }
}

}  // namespace

void RequestCancel() { g_cancel.store(true, std::memory_order_relaxed); }
void ClearCancel() { g_cancel.store(false, std::memory_order_relaxed); }

void CheckCancelled() {
    if (g_cancel.load(std::memory_order_relaxed)) [[unlikely]]
        throw CancelledError(kCancelledMessage);
}

void CheckCancelled(std::int64_t done, std::int64_t total) {
    if (total > 0)
        MoveForwardTo(
            UnitsOf(done, total, g_part.load(std::memory_order_relaxed), g_parts.load(std::memory_order_relaxed)));
    CheckCancelled();
}

void SetProgressPart(std::int64_t part, std::int64_t parts) {
    if (parts <= 0) return;
    g_part.store(part, std::memory_order_relaxed);
    g_parts.store(parts, std::memory_order_relaxed);
    MoveForwardTo(UnitsOf(0, 1, part, parts));
}

Progress CurrentProgress() {
    Progress p;
    const std::uint64_t word = g_word.load(std::memory_order_relaxed);
    if (word & kKnown) p.Fraction = static_cast<double>(word & kFractionBits) / static_cast<double>(kUnits);
    p.Stage = static_cast<std::int32_t>(word >> kStageShift & kStageMask);
    p.Stages = static_cast<std::int32_t>(word >> kStagesShift & kStageMask);
    p.Label = p.Stages > 0 ? g_label.load(std::memory_order_relaxed) : nullptr;
    return p;
}

void ResetProgress() {
    ForgetParts();
    g_word.fetch_and(~(kFractionBits | kKnown), std::memory_order_relaxed);
}

void SetProgressStage(std::int32_t stage, std::int32_t stages, const char* label) {
    ForgetParts();
    g_label.store(label, std::memory_order_relaxed);
    g_word.store(StageWord(stage, stages), std::memory_order_relaxed);
}

}  // namespace quorvix
