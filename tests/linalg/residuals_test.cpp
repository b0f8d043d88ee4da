// The check residuals: a wrong answer gets a residual of its own size, a
// right one a rounding-sized one; scaling the operands by powers of two far
// towards either end of the range leaves the residual as it is (the
// products are formed on scaled copies); a product whose terms alone would
// overflow still has its residual; and a zero denominator gives 0.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "linalg/eigvec.h"
#include "linalg/pinv.h"
#include "linalg/plu.h"
#include "linalg/residuals.h"
#include "linalg/solve.h"
#include "linalg_test_util.h"

namespace quorvix::linalg {
namespace {

using namespace test;

template <typename T>
Matrix<T> Scaled(Matrix<T> m, int e) {
    for (std::size_t k = 0; k < m.Size(); ++k) m.Data()[k] *= std::ldexp(1.0, e);
    return m;
}

TEST(Residuals, AWrongAnswerShowsAndARightOneDoesNot) {
    std::mt19937_64 rng(Seed(1600));
    const ComplexMatrix a = Random<Complex>(6, 6, rng), b = Random<Complex>(6, 2, rng);
    ComplexMatrix x = Solve(a, b).X;
    EXPECT_LT(SolveResidual(a, x, b), 60 * kEps);
    x(3, 1) += 1e-6 * std::abs(x(3, 1));
    EXPECT_GT(SolveResidual(a, x, b), 1e-10);

    const PLUResult<Complex> f = PLU(a);
    EXPECT_LT(PLUResidual(a, f.P, f.L, f.U), 60 * kEps);
    EXPECT_GT(PLUResidual(a, ComplexMatrix::Identity(6), f.L, f.U), 0.1);  // P left out

    const EigvecResult e = Eigvec(a);
    EXPECT_LT(EigvecResidual(a, e.D, e.V), 60 * kEps);
    ComplexMatrix d = e.D;
    d(0, 0) *= 1.001;
    EXPECT_GT(EigvecResidual(a, d, e.V), 1e-5);

    const PinvResult<Complex> p = Pinv(a);
    EXPECT_LT(PinvResidual(a, p.X), 60 * kEps);
    // 2·pinv(A): ‖A‖ / (2·‖A‖²·‖X‖), which is 1 / (2·cond) in Frobenius norms.
    EXPECT_GT(PinvResidual(a, Scaled(p.X, 1)), 1e-4);
}

class ResidualScale : public ::testing::TestWithParam<int> {};

TEST_P(ResidualScale, IsTheSameForOperandsScaledByAPowerOfTwo) {
    // A → 2^e·A: X → X, B → 2^e·B for Solve; U → 2^e·U for PLU; D → 2^e·D
    // for Eigvec; X → 2^-e·X for Pinv. Each residual is unchanged (up to
    // rounding of the scaled-back products).
    const int e = GetParam();
    std::mt19937_64 rng(Seed(1700));
    const RealMatrix a = Random<double>(5, 5, rng), b = Random<double>(5, 1, rng);
    const RealMatrix as = Scaled(a, e);
    const RealMatrix x = Solve(a, b).X;
    const double solve = SolveResidual(a, x, b);
    EXPECT_NEAR(SolveResidual(as, x, Scaled(b, e)), solve, kEps);
    const PLUResult<double> f = PLU(a);
    EXPECT_NEAR(PLUResidual(as, f.P, f.L, Scaled(f.U, e)), PLUResidual(a, f.P, f.L, f.U), kEps);
    const EigvecResult v = Eigvec(a);
    EXPECT_NEAR(EigvecResidual(as, Scaled(v.D, e), v.V), EigvecResidual(a, v.D, v.V), kEps);
    const RealMatrix pinv = Pinv(a).X;
    EXPECT_NEAR(PinvResidual(as, Scaled(pinv, -e)), PinvResidual(a, pinv), kEps);
}

INSTANTIATE_TEST_SUITE_P(Exponents, ResidualScale, ::testing::Values(-1000, -600, 0, 600, 1000), [](const auto& info) {
    return (info.param < 0 ? "minus" : "plus") + std::to_string(std::abs(info.param));
});

TEST(Residuals, OfAProductWhoseTermsAloneWouldOverflow) {
    // A·X = 1e308·1e10 − 1e308·1e10 = 0 = B: a rounding-sized residual (the
    // BLAS may fuse the two products), not an overflow.
    const RealMatrix a = FromRows<double>({{1e308, 1e308}}), x = FromRows<double>({{1e10}, {-1e10}});
    EXPECT_LT(SolveResidual(a, x, RealMatrix(1, 1)), 4 * kEps);
}

TEST(Residuals, AZeroDenominatorGivesZero) {
    EXPECT_EQ(SolveResidual(RealMatrix(2, 2), RealMatrix(2, 1), RealMatrix(2, 1)), 0.0);
    EXPECT_EQ(PLUResidual(RealMatrix(2, 2), RealMatrix::Identity(2), RealMatrix::Identity(2), RealMatrix(2, 2)), 0.0);
    EXPECT_EQ(PinvResidual(ComplexMatrix(2, 3), ComplexMatrix(3, 2)), 0.0);
    EXPECT_EQ(EigvecResidual(RealMatrix(0, 0), ComplexMatrix(0, 0), ComplexMatrix(0, 0)), 0.0);
}

}  // namespace
}  // namespace quorvix::linalg
