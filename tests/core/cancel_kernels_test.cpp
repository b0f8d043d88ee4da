// Cancelling the long routines from another thread: on a 400 x 400 operand,
// MatInverse, MatMultiply, the eigenvalue routines and MatSVD each stop with
// the cancel error once the flag is raised, and leave their outputs as a
// failure leaves them. The flag is raised as soon as a routine reports
// progress, so each one is stopped in its first steps.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <thread>

#include "core/cancel.h"
#include "core/mat_test_util.h"

namespace quorvix {
namespace {

using namespace mattest;

constexpr int kOrder = 400;

RCOMat Operand(unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> d(-100, 100);
    RCOMat m;
    SizeMatrix(m, kOrder, kOrder);
    for (auto& row : m)
        for (auto& x : row) x = Scalar::Complex(d(gen) / 100.0, d(gen) / 100.0);
    return m;
}

// Runs `work` on another thread, raises the flag once it reports progress,
// and returns the message of what it threw ("" when it finished).
std::string CancelWhileRunning(const std::function<void()>& work) {
    ClearCancel();
    ResetProgress();
    std::string thrown;
    bool cancelledType = false;
    std::thread t([&] {
        try {
            work();
        } catch (const CancelledError& e) {
            thrown = e.what();
            cancelledType = true;
        } catch (const CalcError& e) {
            thrown = e.what();
        }
    });
    while (CurrentProgress().Fraction <= 0.0) std::this_thread::yield();
    RequestCancel();
    t.join();
    ClearCancel();
    ResetProgress();
    EXPECT_TRUE(cancelledType) << thrown;
    return thrown;
}

TEST(CancelKernels, InverseStops) {
    const RCOMat a = Operand(1);
    RCoVecD re, im;
    for (const auto& row : a)
        for (const auto& x : row) {
            re.push_back(RealPart(x));
            im.push_back(ImagPart(x));
        }
    RCOMat inv;
    EXPECT_EQ(CancelWhileRunning([&] { MatInverse(kOrder, re, im, inv); }), kCancelledMessage);
    ASSERT_EQ(inv.size(), static_cast<std::size_t>(kOrder));  // sized, holding no inverse
    EXPECT_TRUE(inv[0][0].IsEmpty());
}

TEST(CancelKernels, ProductStops) {
    const RCOMat a = Operand(2), b = Operand(3);
    RCOMat c = RealRows({{42}});
    EXPECT_EQ(CancelWhileRunning([&] { MatMultiply(a, b, c); }), kCancelledMessage);
    EXPECT_TRUE(MatrixNear(c, {{42}}));
}

TEST(CancelKernels, EigenvaluesStop) {
    const RCOMat a = Operand(4);
    matrx2 work;
    work.assign(kOrder + 1, std::vector<Scalar>(kOrder + 1));
    for (int i = 0; i < kOrder; ++i)
        for (int j = 0; j < kOrder; ++j) work[i + 1][j + 1] = Scalar::Real(RealPart(a[i][j]));
    RCoVecD re(kOrder + 1, 0.0), im(kOrder + 1, 0.0);
    EXPECT_EQ(CancelWhileRunning([&] {
                  MatBalance(work, kOrder);
                  MatHessenberg(work, kOrder);
                  MatEigenvalues(work, kOrder, re, im);
              }),
              kCancelledMessage);
    for (int k = 1; k <= kOrder; ++k) EXPECT_EQ(re[k], 0.0);
}

TEST(CancelKernels, SingularValuesStop) {
    RCOMat a = Operand(5);
    for (auto& row : a)
        for (auto& x : row) x = Scalar::Real(RealPart(x));
    const RCOMat before = a;
    RCOMat u, v;
    SizeMatrix(u, kOrder, kOrder);
    SizeMatrix(v, kOrder, kOrder);
    EXPECT_EQ(CancelWhileRunning([&] { MatSVD(a, u, v, 1e-15L, kOrder, kOrder); }), kCancelledMessage);
    EXPECT_TRUE(SameBits(a, before));  // S is written only at the end
    EXPECT_TRUE(u[0][0].IsEmpty());
}

}  // namespace
}  // namespace quorvix
