// Whether the AVX2 paths run: decided once from the processor and the
// environment, and switchable by tests.
#include "core/kernel/kernel_simd.h"

#include <cstdlib>
#include <cstring>

namespace quorvix::kernel::simd {
namespace {

bool Allowed() {
    static const bool allowed = [] {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_cpu_init();
        if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("fma")) return false;
#else
        return false;
#endif
        const char* s = std::getenv("QUORVIX_SIMD");
        return s == nullptr || (std::strcmp(s, "0") != 0 && std::strcmp(s, "off") != 0);
    }();
    return allowed;
}

}  // namespace

namespace detail {
std::atomic<bool> g_enabled{Allowed()};
}  // namespace detail

void SetEnabled(bool on) { detail::g_enabled.store(on && Allowed(), std::memory_order_relaxed); }

}  // namespace quorvix::kernel::simd
