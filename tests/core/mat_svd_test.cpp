// MatSVD: the worked examples, hostile values, and U*S*V = A with ordered,
// non-negative singular values and orthogonal factors on random matrices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/factor_test_support.h"
#include "core/mat_test_util.h"
#include "core/matrice2.h"

#if QUORVIX_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace quorvix {
namespace {

using factortest::Dense;
using factortest::kEps;

constexpr long double kTol = 1e-15L;

struct SvdRun {
    std::int32_t converged = 0;
    Dense u, s, v;
};

SvdRun Svd(const Dense& a, long double tol = kTol) {
    const auto m = static_cast<std::int32_t>(factortest::Rows(a));
    const auto n = static_cast<std::int32_t>(factortest::Cols(a));
    RCOMat work = factortest::ToScalars(a);
    RCOMat u, v;
    SizeMatrix(u, m, m);
    SizeMatrix(v, n, n);
    SvdRun run;
    run.converged = MatSVD(work, u, v, tol, m, n);
    run.u = factortest::ToDense(u);
    run.s = factortest::ToDense(work);
    run.v = factortest::ToDense(v);
    return run;
}

::testing::AssertionResult Near(const Dense& got, const Dense& want, double tol) {
    if (got.size() != want.size()) return ::testing::AssertionFailure() << got.size() << " rows";
    for (std::size_t i = 0; i < want.size(); ++i) {
        if (got[i].size() != want[i].size()) return ::testing::AssertionFailure() << "row " << i << " size";
        for (std::size_t j = 0; j < want[i].size(); ++j)
            if (!(std::fabs(got[i][j] - want[i][j]) <= tol))
                return ::testing::AssertionFailure()
                       << "[" << i << "][" << j << "] " << got[i][j] << " != " << want[i][j];
    }
    return ::testing::AssertionSuccess();
}

// The examples are given to four decimals.
constexpr double k4 = 5e-5;

TEST(MatSVD, TwoByTwo) {
    const SvdRun r = Svd({{1, 2}, {3, 4}});
    EXPECT_EQ(r.converged, 1);
    EXPECT_TRUE(Near(r.u, {{-0.4046, -0.9145}, {-0.9145, 0.4046}}, k4));
    EXPECT_TRUE(Near(r.s, {{5.4650, 0}, {0, 0.3660}}, k4));
    EXPECT_TRUE(Near(r.v, {{-0.5760, -0.8174}, {0.8174, -0.5760}}, k4));
    EXPECT_EQ(r.s[0][1], 0.0);
    EXPECT_EQ(r.s[1][0], 0.0);
}

TEST(MatSVD, ScalesWithTheMatrix) {
    const SvdRun big = Svd({{1, 2}, {3, 4}});
    const SvdRun r = Svd({{1e-5, 2e-5}, {3e-5, 4e-5}});
    EXPECT_TRUE(Near(r.u, big.u, 1e-12));
    EXPECT_TRUE(Near(r.v, big.v, 1e-12));
    EXPECT_NEAR(r.s[0][0], 5.4650e-5, 5e-9);
    EXPECT_NEAR(r.s[1][1], 3.6597e-6, 5e-10);
}

TEST(MatSVD, SingularValuesAreOrdered) {
    const SvdRun r = Svd({{2, 0}, {0, 3}});
    EXPECT_EQ(r.s, (Dense{{3, 0}, {0, 2}}));
    EXPECT_EQ(r.u, (Dense{{0, -1}, {1, 0}}));
    EXPECT_EQ(r.v, (Dense{{0, 1}, {-1, 0}}));
}

TEST(MatSVD, NegativeScalarSignGoesIntoV) {
    const SvdRun r = Svd({{-3}});
    EXPECT_EQ(r.u, (Dense{{1}}));
    EXPECT_EQ(r.s, (Dense{{3}}));
    EXPECT_EQ(r.v, (Dense{{-1}}));
}

// The iteration makes U's first column; the other two complete it: first
// e3, which lies wholly outside it, then e1 less its part along it,
// (1, 0, 0) - 0.6 (0.6, 0.8, 0) = (0.64, -0.48, 0), of length 0.8.
TEST(MatSVD, TallColumnCompletesUOrthonormally) {
    const SvdRun r = Svd({{3}, {4}, {0}});
    EXPECT_TRUE(Near(r.u, {{-0.6, 0, 0.8}, {-0.8, 0, -0.6}, {0, 1, 0}}, 1e-15));
    EXPECT_TRUE(Near(r.s, {{5}, {0}, {0}}, 1e-15));
    EXPECT_EQ(r.v, (Dense{{-1}}));
}

TEST(MatSVD, WideRow) {
    const SvdRun r = Svd({{3, 4}});
    EXPECT_EQ(r.u, (Dense{{1}}));
    EXPECT_TRUE(Near(r.s, {{5, 0}}, 1e-15));
    EXPECT_TRUE(Near(r.v, {{0.6, 0.8}, {-0.8, 0.6}}, 1e-15));
}

TEST(MatSVD, TwoByThree) {
    const SvdRun r = Svd({{1, 2, 3}, {4, 5, 6}});
    EXPECT_EQ(r.converged, 1);
    EXPECT_TRUE(Near(r.s, {{9.5080, 0, 0}, {0, 0.7729, 0}}, k4));
    EXPECT_EQ(r.s[1][2], 0.0);  // e(1), zero after convergence
    EXPECT_TRUE(Near(r.u, {{-0.3863, -0.9224}, {-0.9224, 0.3863}}, k4));
    EXPECT_TRUE(Near(r.v, {{-0.4287, -0.5663, -0.7039}, {0.8060, 0.1124, -0.5812}, {0.4082, -0.8165, 0.4082}}, k4));
}

TEST(MatSVD, ZeroMatrix) {
    const SvdRun r = Svd(factortest::Zeros(2, 2));
    EXPECT_EQ(r.converged, 1);
    EXPECT_EQ(r.u, factortest::Identity(2));
    EXPECT_EQ(r.v, factortest::Identity(2));
    EXPECT_EQ(r.s, factortest::Zeros(2, 2));
}

TEST(MatSVD, EmptyMatrixReadsNothing) {
    RCOMat a, u, v;
    EXPECT_EQ(MatSVD(a, u, v, kTol, 0, 0), 1);
    EXPECT_TRUE(a.empty());
    EXPECT_TRUE(u.empty());
    EXPECT_TRUE(v.empty());
}

TEST(MatSVD, IterationLimitStillGivesAFactorization) {
    // A negative tolerance never lets a superdiagonal element count as
    // negligible, so the 60 QR steps run out: S stays upper bidiagonal and
    // U*S*V is still A.
    const Dense a = {{1, 2}, {3, 4}};
    const SvdRun r = Svd(a, -1.0L);
    EXPECT_EQ(r.converged, 0);
    EXPECT_EQ(r.s[1][0], 0.0);
    const Dense usv = factortest::Multiply(factortest::Multiply(r.u, r.s), r.v);
    EXPECT_TRUE(Near(usv, a, 1e-13));
    for (const auto& row : r.u)
        for (double v : row) EXPECT_TRUE(std::isfinite(v));
}

// ---- Residual checks --------------------------------------------------------

struct Ratios {
    double residual = 0.0;  // |A - U S V|_1 / (max(m,n) |A|_1 eps)
    double orthU = 0.0;     // |I - U1'U1|_1 / (m eps), U1 the generated columns
    double orthV = 0.0;     // |I - V V'|_1 / (n eps)
};

Ratios Check(const Dense& a, const SvdRun& r) {
    const std::size_t m = factortest::Rows(a), n = factortest::Cols(a);
    const std::size_t q = std::min(m, n);
    Ratios out;
    // S: diagonal, ordered, non-negative.
    for (std::size_t i = 0; i < m; ++i)
        for (std::size_t j = 0; j < n; ++j)
            if (i != j) {
                EXPECT_EQ(r.s[i][j], 0.0) << "S[" << i << "][" << j << "]";
            }
    for (std::size_t k = 0; k < q; ++k) {
        EXPECT_GE(r.s[k][k], 0.0) << k;
        if (k + 1 < q) {
            EXPECT_GE(r.s[k][k], r.s[k + 1][k + 1]) << k;
        }
    }
    // The columns of U beyond min(m, n) complete it: U is orthogonal whole.
    if (m > q && q > 0) {
        const double orth = factortest::Norm1(factortest::Subtract(
                                factortest::Identity(m), factortest::Multiply(factortest::Transpose(r.u), r.u))) /
                            (static_cast<double>(m) * kEps);
        EXPECT_LT(orth, 30.0);
    }
    const Dense usv = factortest::Multiply(factortest::Multiply(r.u, r.s), r.v);
    const double normA = factortest::Norm1(a);
    const double diff = factortest::Norm1(factortest::Subtract(a, usv));
    out.residual = normA == 0.0 ? diff : diff / (static_cast<double>(std::max(m, n)) * normA * kEps);
    Dense u1 = factortest::Zeros(m, q);
    for (std::size_t i = 0; i < m; ++i)
        for (std::size_t j = 0; j < q; ++j) u1[i][j] = r.u[i][j];
    out.orthU = factortest::Norm1(factortest::Subtract(factortest::Identity(q),
                                                       factortest::Multiply(factortest::Transpose(u1), u1))) /
                (static_cast<double>(m) * kEps);
    out.orthV = factortest::Norm1(factortest::Subtract(factortest::Identity(n),
                                                       factortest::Multiply(r.v, factortest::Transpose(r.v)))) /
                (static_cast<double>(n) * kEps);
    return out;
}

TEST(MatSVDHostile, ExtremeScalesDecomposeWithoutFault) {
    factortest::RandomMatrices gen(0x5A);
    for (double scale : {1e300, 1e-300}) {
        for (auto [m, n] : {std::pair{5, 3}, std::pair{3, 5}, std::pair{4, 4}}) {
            const Dense a =
                factortest::Scaled(gen.Gaussian(static_cast<std::size_t>(m), static_cast<std::size_t>(n)), scale);
            SCOPED_TRACE(std::to_string(scale) + " " + std::to_string(m) + "x" + std::to_string(n));
            const SvdRun r = Svd(a);
            EXPECT_EQ(r.converged, 1);
            const Ratios q = Check(a, r);
            EXPECT_LT(q.residual, 50.0);
            EXPECT_LT(q.orthU, 30.0);
            EXPECT_LT(q.orthV, 30.0);
        }
    }
}

TEST(MatSVDHostile, TinyColumnIsNotLost) {
    // With the column norm summed in doubles, 1e-600 would underflow to 0 and
    // the first column would be taken for zero.
    const Dense a = {{1e-300, 2e-300}, {3e-300, 4e-300}};
    const SvdRun r = Svd(a);
    EXPECT_NEAR(r.s[0][0] / 1e-300, 5.4650, 1e-4);
    EXPECT_NEAR(r.s[1][1] / 1e-300, 0.3660, 1e-4);
}

TEST(MatSVDHostile, OverflowingProductIsAnError) {
    // The dot product of a scaled column with a column of 1e308s does not fit a double.
    Dense a = factortest::Zeros(4, 2);
    for (auto& row : a) row = {1.0, 1.7e308};
    EXPECT_EQ(mattest::ErrorOf([&] { Svd(a); }), "Floating point overflow");
}

TEST(MatSVDHostile, LargeZeroAndIdentity) {
    for (const Dense& a : {factortest::Zeros(40, 30), factortest::Identity(40)}) {
        const SvdRun r = Svd(a);
        EXPECT_EQ(r.converged, 1);
        const Ratios q = Check(a, r);
        EXPECT_LT(q.residual, 50.0);
    }
}

// ---- Properties on random matrices -------------------------------------------

TEST(MatSVDProperty, ReconstructsWithOrthogonalFactors) {
    using factortest::Kind;
    factortest::RandomMatrices gen(0x5B);
    const std::size_t sizes[] = {1, 2, 3, 5, 10, 50};
    const Kind kinds[] = {Kind::Random, Kind::LowRank, Kind::Huge, Kind::Tiny, Kind::Graded, Kind::DiagonallyDominant,
                          Kind::Zero,   Kind::Identity};
    int checked = 0;
    Ratios worst;
    double worstSigma = 0.0;
    for (std::size_t m : sizes) {
        for (std::size_t n : sizes) {
            for (Kind kind : kinds) {
                if ((m >= 50 || n >= 50) && kind != Kind::Random && kind != Kind::LowRank && kind != Kind::Graded)
                    continue;
                const Dense a = gen.Make(kind, m, n);
                SCOPED_TRACE(std::string(factortest::KindName(kind)) + " " + std::to_string(m) + "x" +
                             std::to_string(n));
                const SvdRun r = Svd(a);
                ASSERT_EQ(r.converged, 1);
                const Ratios q = Check(a, r);
                EXPECT_LT(q.residual, 50.0);
                EXPECT_LT(q.orthU, 30.0);
                EXPECT_LT(q.orthV, 30.0);
                worst.residual = std::max(worst.residual, q.residual);
                worst.orthU = std::max(worst.orthU, q.orthU);
                worst.orthV = std::max(worst.orthV, q.orthV);
#if QUORVIX_HAVE_EIGEN
                Eigen::MatrixXd ea(m, n);
                for (std::size_t i = 0; i < m; ++i)
                    for (std::size_t j = 0; j < n; ++j) ea(i, j) = a[i][j];
                const Eigen::VectorXd sigma = Eigen::JacobiSVD<Eigen::MatrixXd>(ea).singularValues();
                const double scale = sigma.size() > 0 ? sigma(0) : 0.0;
                for (Eigen::Index k = 0; k < sigma.size(); ++k) {
                    const double d = std::fabs(r.s[k][k] - sigma(k));
                    const double ratio = scale == 0.0 ? d : d / (static_cast<double>(std::max(m, n)) * scale * kEps);
                    EXPECT_LT(ratio, 50.0) << "sigma " << k;
                    worstSigma = std::max(worstSigma, ratio);
                }
#endif
                ++checked;
            }
        }
    }
    std::cout << "[ checked  ] " << checked << " matrices; worst residual " << worst.residual << ", U " << worst.orthU
              << ", V " << worst.orthV << ", singular values " << worstSigma << "\n";
}

TEST(MatSVDProperty, LargeMatrix) {
    factortest::RandomMatrices gen(0x5C);
    const Dense a = gen.Gaussian(120, 80);
    const SvdRun r = Svd(a);
    ASSERT_EQ(r.converged, 1);
    const Ratios q = Check(a, r);
    EXPECT_LT(q.residual, 50.0);
    EXPECT_LT(q.orthU, 30.0);
    EXPECT_LT(q.orthV, 30.0);
}

}  // namespace
}  // namespace quorvix
