// Every differential test (TEST_P of Differential, in the *_differential_test
// files) runs with 1 thread and with 4.
#include "core/differential_util.h"

namespace quorvix::difftest {

INSTANTIATE_TEST_SUITE_P(Threads, Differential, ::testing::Values(1, 4), ThreadsName);

}  // namespace quorvix::difftest
