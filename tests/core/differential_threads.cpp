// Every differential test (TEST_P of Differential, in the *_differential_test
// files) runs with 1 thread and with 4, with the AVX2 paths and without.
#include "core/differential_util.h"

namespace quorvix::difftest {

INSTANTIATE_TEST_SUITE_P(Threads, Differential,
                         ::testing::Values(KernelSetup{1, true}, KernelSetup{4, true}, KernelSetup{1, false},
                                           KernelSetup{4, false}),
                         SetupName);

}  // namespace quorvix::difftest
