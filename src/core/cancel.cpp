#include "core/cancel.h"

#include <algorithm>
#include <atomic>

#include "core/errors.h"

namespace quorvix {

namespace {
// Lock-free so that a signal handler may raise it.
std::atomic<bool> g_cancel{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// The fraction done in units of 1 / kUnits; below 0 while unknown.
constexpr std::int64_t kUnits = std::int64_t{1} << 40;
std::atomic<std::int64_t> g_units{-1};
// The running routine's part and number of parts (0: it has none).
std::atomic<std::int64_t> g_part{0};
std::atomic<std::int64_t> g_parts{0};
std::atomic<std::int32_t> g_stage{0};
std::atomic<std::int32_t> g_stages{0};
std::atomic<const char*> g_label{nullptr};
// Units of `done` / `total` (clamped to 0..1) within part `part` of `parts`.
std::int64_t UnitsOf(std::int64_t done, std::int64_t total, std::int64_t part, std::int64_t parts) {
    const double inner = done <= 0 ? 0.0 : done >= total ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
    const double whole = parts > 0 ? (static_cast<double>(part) + inner) / static_cast<double>(parts) : inner;
    return static_cast<std::int64_t>(std::min(whole, 1.0) * static_cast<double>(kUnits));
}

// Records `units` when they are further on than what is recorded.
void MoveForwardTo(std::int64_t units) {
    std::int64_t now = g_units.load(std::memory_order_relaxed);
    while (now < units && !g_units.compare_exchange_weak(now, units, std::memory_order_relaxed)) {}
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
    const std::int64_t units = g_units.load(std::memory_order_relaxed);
    if (units >= 0) p.Fraction = static_cast<double>(units) / static_cast<double>(kUnits);
    p.Stage = g_stage.load(std::memory_order_relaxed);
    p.Stages = g_stages.load(std::memory_order_relaxed);
    p.Label = g_label.load(std::memory_order_relaxed);
    return p;
}

void ResetProgress() {
    g_parts.store(0, std::memory_order_relaxed);
    g_part.store(0, std::memory_order_relaxed);
    g_units.store(-1, std::memory_order_relaxed);
}

void SetProgressStage(std::int32_t stage, std::int32_t stages, const char* label) {
    g_stage.store(stage, std::memory_order_relaxed);
    g_stages.store(stages, std::memory_order_relaxed);
    g_label.store(label, std::memory_order_relaxed);
    ResetProgress();
}

}  // namespace quorvix
