#include "commands/cancel.h"

#include <atomic>

#include "core/errors.h"

namespace quorvix {

namespace {
// Lock-free so that a signal handler may raise it.
std::atomic<bool> g_cancel{false};
static_assert(std::atomic<bool>::is_always_lock_free);
}  // namespace

void RequestCancel() { g_cancel.store(true, std::memory_order_relaxed); }
void ClearCancel() { g_cancel.store(false, std::memory_order_relaxed); }
bool CancelRequested() { return g_cancel.load(std::memory_order_relaxed); }

void CheckCancelled() {
    if (g_cancel.exchange(false, std::memory_order_relaxed)) throw CancelledError(kCancelledMessage);
}

}  // namespace quorvix
