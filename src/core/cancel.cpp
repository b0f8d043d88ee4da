#include "core/cancel.h"

#include <atomic>

#include "core/errors.h"

namespace quorvix {

namespace {
// Lock-free so that a signal handler may raise it.
std::atomic<bool> g_cancel{false};
static_assert(std::atomic<bool>::is_always_lock_free);

std::atomic<std::int64_t> g_done{0};
std::atomic<std::int64_t> g_total{0};
std::atomic<std::int32_t> g_stage{0};
std::atomic<std::int32_t> g_stages{0};
std::atomic<const char*> g_label{nullptr};
}  // namespace

void RequestCancel() { g_cancel.store(true, std::memory_order_relaxed); }
void ClearCancel() { g_cancel.store(false, std::memory_order_relaxed); }

void CheckCancelled() {
    if (g_cancel.load(std::memory_order_relaxed)) [[unlikely]]
        throw CancelledError(kCancelledMessage);
}

void CheckCancelled(std::int64_t done, std::int64_t total) {
    g_done.store(done, std::memory_order_relaxed);
    g_total.store(total, std::memory_order_relaxed);
    CheckCancelled();
}

Progress CurrentProgress() {
    Progress p;
    const std::int64_t total = g_total.load(std::memory_order_relaxed);
    const std::int64_t done = g_done.load(std::memory_order_relaxed);
    if (total > 0) p.Fraction = done <= 0 ? 0.0 : done >= total ? 1.0 : static_cast<double>(done) / total;
    p.Stage = g_stage.load(std::memory_order_relaxed);
    p.Stages = g_stages.load(std::memory_order_relaxed);
    p.Label = g_label.load(std::memory_order_relaxed);
    return p;
}

void ResetProgress() {
    g_total.store(0, std::memory_order_relaxed);
    g_done.store(0, std::memory_order_relaxed);
}

void SetProgressStage(std::int32_t stage, std::int32_t stages, const char* label) {
    g_stage.store(stage, std::memory_order_relaxed);
    g_stages.store(stages, std::memory_order_relaxed);
    g_label.store(label, std::memory_order_relaxed);
    ResetProgress();
}

}  // namespace quorvix
