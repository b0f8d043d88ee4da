#include "linalg/blas_threads.h"

#include <cstdlib>

#include "core/kernel/parallel.h"

// OpenBLAS's own calls, declared weak: with another BLAS they are absent and
// the scope changes nothing.
extern "C" {
void openblas_set_num_threads(int) __attribute__((weak));
int openblas_get_num_threads() __attribute__((weak));
}

namespace quorvix::linalg {

namespace {

bool UserChoseTheCount() {
    const char* set = std::getenv("OPENBLAS_NUM_THREADS");
    return set != nullptr && *set != '\0';
}

}  // namespace

BlasThreadScope::BlasThreadScope(std::int32_t largestDimension) {
    if (openblas_set_num_threads == nullptr || openblas_get_num_threads == nullptr || UserChoseTheCount()) return;
    previous_ = openblas_get_num_threads();
    const int own = parallel::ThreadCount();
    chosen_ = largestDimension < kThreadedFrom ? 1 : (own < previous_ ? own : previous_);
    if (chosen_ < 1) chosen_ = 1;
    if (chosen_ != previous_) openblas_set_num_threads(chosen_);
}

BlasThreadScope::~BlasThreadScope() {
    if (chosen_ != 0 && chosen_ != previous_) openblas_set_num_threads(previous_);
}

}  // namespace quorvix::linalg
