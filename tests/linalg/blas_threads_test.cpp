// The BLAS thread count of one operation: one thread below the cut-off, the
// calculator's count from it on, the count before restored afterwards, and
// nothing changed when the user set OPENBLAS_NUM_THREADS.
#include "linalg/blas_threads.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/kernel/parallel.h"

extern "C" {
int openblas_get_num_threads() __attribute__((weak));
}

namespace quorvix::linalg {
namespace {

class BlasThreads : public ::testing::Test {
protected:
    void SetUp() override {
        if (openblas_get_num_threads == nullptr) GTEST_SKIP() << "not OpenBLAS";
        const char* set = std::getenv("OPENBLAS_NUM_THREADS");
        if (set != nullptr && *set != '\0') GTEST_SKIP() << "OPENBLAS_NUM_THREADS is set";
    }
};

TEST_F(BlasThreads, SmallOperationsRunOnOneThreadAndTheCountIsRestored) {
    const int before = openblas_get_num_threads();
    {
        const BlasThreadScope scope(kThreadedFrom - 1);
        EXPECT_EQ(scope.Chosen(), 1);
        EXPECT_EQ(openblas_get_num_threads(), 1);
    }
    EXPECT_EQ(openblas_get_num_threads(), before);
}

TEST_F(BlasThreads, LargeOperationsUseAtMostTheCalculatorsThreads) {
    const int before = openblas_get_num_threads();
    {
        const BlasThreadScope scope(kThreadedFrom);
        EXPECT_GE(scope.Chosen(), 1);
        EXPECT_LE(scope.Chosen(), parallel::ThreadCount());
        EXPECT_LE(scope.Chosen(), before);
        EXPECT_EQ(openblas_get_num_threads(), scope.Chosen());
    }
    EXPECT_EQ(openblas_get_num_threads(), before);
}

TEST_F(BlasThreads, TheUsersChoiceIsLeftAlone) {
    const int before = openblas_get_num_threads();
    ::setenv("OPENBLAS_NUM_THREADS", "2", 1);
    {
        const BlasThreadScope scope(10);
        EXPECT_EQ(scope.Chosen(), 0);
        EXPECT_EQ(openblas_get_num_threads(), before);
    }
    ::unsetenv("OPENBLAS_NUM_THREADS");
}

}  // namespace
}  // namespace quorvix::linalg
