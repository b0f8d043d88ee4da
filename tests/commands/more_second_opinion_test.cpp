// Eigen, a second opinion on random matrices, real and complex: A\B against
// its partial-pivoting LU (square) and its complete orthogonal decomposition
// (tall), Sv and Cond against its divide-and-conquer SVD, Pinv against its
// pseudo-inverse, PLU's U and P against its LU. Skipped where Eigen is not
// built.
#include <gtest/gtest.h>

#ifdef QUORVIX_HAVE_EIGEN
#include <Eigen/Dense>
#endif

#include "more_test_util.h"

namespace quorvix {
namespace {

using namespace more_test;

#ifdef QUORVIX_HAVE_EIGEN
using EigenMatrix = Eigen::MatrixXcd;

EigenMatrix ToEigen(const Dense& d) {
    EigenMatrix e(d.Rows, d.Cols);
    for (std::int32_t i = 0; i < d.Rows; ++i)
        for (std::int32_t j = 0; j < d.Cols; ++j)
            e(i, j) = std::complex<double>(static_cast<double>(d(i, j).real()), static_cast<double>(d(i, j).imag()));
    return e;
}

Dense FromEigen(const EigenMatrix& e) {
    Dense d(static_cast<std::int32_t>(e.rows()), static_cast<std::int32_t>(e.cols()));
    for (std::int32_t i = 0; i < d.Rows; ++i)
        for (std::int32_t j = 0; j < d.Cols; ++j) d(i, j) = Wide(e(i, j).real(), e(i, j).imag());
    return d;
}

// Random n x n (or m x n) matrices are well conditioned enough that two
// backward-stable methods agree to a few thousand eps.
constexpr double kAgree = 1e-11;

class SecondOpinion : public ::testing::TestWithParam<bool> {};

TEST_P(SecondOpinion, SolveAgreesWithEigensLUAndLeastSquares) {
    std::mt19937_64 rng(Seed(11 + GetParam()));
    const bool complex = GetParam();
    const Dense a = AsRead(Random(30, 30, complex, rng)), b = AsRead(Random(30, 4, complex, rng));
    CalcState s = StateOf(a, b);
    Press(s, "A\\B");
    EXPECT_LT(RelativeDifference(Kept(s, "X"), FromEigen(ToEigen(a).partialPivLu().solve(ToEigen(b)))), kAgree);

    const Dense t = AsRead(Random(40, 12, complex, rng)), c = AsRead(Random(40, 2, complex, rng));
    CalcState ls = StateOf(t, c);
    Press(ls, "A\\B");
    EXPECT_LT(
        RelativeDifference(Kept(ls, "X"), FromEigen(ToEigen(t).completeOrthogonalDecomposition().solve(ToEigen(c)))),
        kAgree);
}

TEST_P(SecondOpinion, SingularValuesConditionAndPseudoInverseAgreeWithEigen) {
    std::mt19937_64 rng(Seed(13 + GetParam()));
    const bool complex = GetParam();
    const Dense a = AsRead(Random(25, 18, complex, rng));
    const Eigen::BDCSVD<EigenMatrix> svd(ToEigen(a));
    const Eigen::VectorXd sigma = svd.singularValues();

    CalcState s = StateOf(a);
    Press(s, "Sv(A)");
    const Dense sv = Kept(s);
    ASSERT_EQ(sv.Rows, 18);
    for (std::int32_t k = 0; k < 18; ++k)
        EXPECT_NEAR(static_cast<double>(sv(k, 0).real()), sigma(k), kAgree * sigma(0)) << "value " << k;

    Press(s, "Cond(A)");
    EXPECT_NEAR(static_cast<double>(Kept(s)(0, 0).real()), sigma(0) / sigma(17), kAgree * sigma(0) / sigma(17));

    Press(s, "Pinv(A)");
    EXPECT_LT(RelativeDifference(Kept(s), FromEigen(ToEigen(a).completeOrthogonalDecomposition().pseudoInverse())),
              kAgree);
}

TEST_P(SecondOpinion, PLUAgreesWithEigensPartialPivotingLU) {
    std::mt19937_64 rng(Seed(15 + GetParam()));
    const bool complex = GetParam();
    // Real: both pick the largest |a| as pivot, so both make the same
    // exchanges and the same U. Complex: LAPACK takes |re| + |im|, Eigen
    // the modulus, so only the products agree.
    const Dense a = AsRead(Random(20, 20, complex, rng));
    CalcState s = StateOf(a);
    Press(s, "PLU(A)");
    const Eigen::PartialPivLU<EigenMatrix> lu(ToEigen(a));
    const Dense l = Kept(s, "L"), u = Kept(s, "U"), p = Kept(s, "P");
    if (!complex) {
        const EigenMatrix theirsU = lu.matrixLU().triangularView<Eigen::Upper>();
        EXPECT_LT(RelativeDifference(u, FromEigen(theirsU)), kAgree);
        EXPECT_EQ(RelativeDifference(p, FromEigen(lu.permutationP().toDenseMatrix().cast<std::complex<double>>())), 0);
    }
    EXPECT_LT(RelativeDifference(Product(l, u), Product(p, a)), 1e-14);
}

INSTANTIATE_TEST_SUITE_P(RealAndComplex, SecondOpinion, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "complex" : "real"; });
#else
TEST(SecondOpinion, NeedsEigen) { GTEST_SKIP() << "Eigen is not built"; }
#endif

}  // namespace
}  // namespace quorvix
