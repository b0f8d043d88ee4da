#pragma once
// How many threads OpenBLAS may use for one operation. Its threads pay only
// on large matrices: below kThreadedFrom rows or columns its parallel
// kernels cost more in waking and waiting than they save, and on a machine
// whose cores are busy with other programs a waiting thread spins on a core
// that another program needs (complex Eigvec of 300 x 300 took five times
// as long with two threads as with one on a busy two-core machine). No
// effect with a BLAS other than OpenBLAS, nor when the user has chosen the
// count with OPENBLAS_NUM_THREADS; never more threads than the calculator's
// own (QUORVIX_THREADS).
#include <cstdint>

namespace quorvix::linalg {

inline constexpr std::int32_t kThreadedFrom = 700;

// For its lifetime, OpenBLAS runs on one thread when the operands' largest
// dimension is below kThreadedFrom, otherwise on the calculator's thread
// count; the count before it is restored at its end. One at a time: the
// commands run one after another.
class BlasThreadScope {
public:
    explicit BlasThreadScope(std::int32_t largestDimension);
    ~BlasThreadScope();
    BlasThreadScope(const BlasThreadScope&) = delete;
    BlasThreadScope& operator=(const BlasThreadScope&) = delete;

    // The count this scope chose (0 when it changed nothing).
    int Chosen() const { return chosen_; }

private:
    int previous_ = 0;
    int chosen_ = 0;
};

}  // namespace quorvix::linalg
