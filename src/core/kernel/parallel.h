#pragma once
// The threads of the numeric kernels: one small pool of std::threads shared
// by every routine, and a loop that splits independent items over it.
//
// What it does not do: it never changes how one item is computed, only which
// thread computes it, so results do not depend on the thread count. It does
// not nest: a loop started from inside another (or while another command's
// loop runs) runs on the calling thread alone.
//
// Errors keep the serial order. Items are handed out in increasing order in
// chunks; when items throw, the exception of the lowest item is the one the
// caller gets (the one a plain loop over the items would have raised first),
// and items above it are skipped. Floating-point fault flags raised by the
// workers are raised on the calling thread as well, so a FaultScope around
// the loop sees every fault of the loop.
#include <cstdint>
#include <utility>

#include "core/kernel/dispatch.h"

namespace quorvix::parallel {

// The number of threads a loop may use, at least 1: the count given to
// SetThreadCount, else a positive QUORVIX_THREADS from the environment, else
// std::thread::hardware_concurrency().
int ThreadCount();
// Fixes the count (tests and benchmarks); 0 goes back to the default.
void SetThreadCount(int count);

// The work below which a loop runs on the calling thread alone: the cut-off
// kernel::kThreadedFromWork (dispatch.h), or what a test set (down to 1, so
// that small matrices exercise the split); 0 goes back to the cut-off.
std::int64_t MinParallelWork();
void SetMinParallelWork(std::int64_t work);

namespace detail {
using ChunkFn = void (*)(void* body, std::int64_t begin, std::int64_t end);
void Run(std::int64_t count, std::int64_t chunk, ChunkFn fn, void* body);
}  // namespace detail

// Calls body(begin, end) for consecutive ranges that cover [0, count) once,
// each item's work estimated at `workPerItem` units (see kThreadedFromWork).
// Small loops, and every loop when ThreadCount() is 1, run inline as one call
// body(0, count).
template <class Body>
void ParallelFor(std::int64_t count, std::int64_t workPerItem, Body&& body) {
    if (count <= 0) return;
    if (workPerItem < 1) workPerItem = 1;
    const int threads = ThreadCount();
    const std::int64_t minWork = MinParallelWork();
    if (threads <= 1 || count < 2 || count * workPerItem < 2 * minWork) {
        body(std::int64_t{0}, count);
        return;
    }
    // About four chunks per thread for balance, none below the minimum work.
    std::int64_t chunk = (count + 4 * threads - 1) / (4 * threads);
    const std::int64_t minItems = (minWork + workPerItem - 1) / workPerItem;
    if (chunk < minItems) chunk = minItems;
    using B = std::remove_reference_t<Body>;
    detail::Run(
        count, chunk, [](void* b, std::int64_t begin, std::int64_t end) { (*static_cast<B*>(b))(begin, end); },
        const_cast<void*>(static_cast<const void*>(&body)));
}

}  // namespace quorvix::parallel
