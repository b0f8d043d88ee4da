// MatQR: the worked examples, the skipped steps, faults, and the residual
// properties Q*A = R (R upper triangular) and Q'Q = I on random matrices.
#include <gtest/gtest.h>

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
using mattest::MatrixNear;
using mattest::Rows;

struct QRResult {
    Dense r;
    Dense q;
};

QRResult RunQR(const Dense& a) {
    RCOMat work = factortest::ToScalars(a);
    RCOMat q;
    const auto m = static_cast<std::int32_t>(factortest::Rows(a));
    const auto n = static_cast<std::int32_t>(factortest::Cols(a));
    SizeMatrix(q, m, m);
    MatQR(work, m, n, q);
    return {factortest::ToDense(work), factortest::ToDense(q)};
}

TEST(MatQR, ClassicThreeByThree) {
    const Dense a = {{12, -51, 4}, {6, 167, -68}, {-4, 24, -41}};
    RCOMat work = factortest::ToScalars(a);
    RCOMat q;
    MatQR(work, 3, 3, q);
    EXPECT_TRUE(MatrixNear(work, Rows{{-14, -21, 14}, {0, -175, 70}, {0, 0, -35}}, 1e-12));
    EXPECT_TRUE(MatrixNear(
        q,
        Rows{{-6.0 / 7, -3.0 / 7, 2.0 / 7}, {69.0 / 175, -158.0 / 175, -6.0 / 35}, {58.0 / 175, -6.0 / 175, 33.0 / 35}},
        1e-14));
    // Below the diagonal R holds exact zeros.
    EXPECT_EQ(ScalarToReal(work[1][0]), 0.0);
    EXPECT_EQ(ScalarToReal(work[2][0]), 0.0);
    EXPECT_EQ(ScalarToReal(work[2][1]), 0.0);
}

TEST(MatQR, SingleColumn) {
    const QRResult r = RunQR({{3}, {4}});
    EXPECT_NEAR(r.r[0][0], -5.0, 1e-14);
    EXPECT_EQ(r.r[1][0], 0.0);
    EXPECT_NEAR(r.q[0][0], -0.6, 1e-15);
    EXPECT_NEAR(r.q[0][1], -0.8, 1e-15);
    EXPECT_NEAR(r.q[1][0], -0.8, 1e-15);
    EXPECT_NEAR(r.q[1][1], 0.6, 1e-15);
}

TEST(MatQR, TallMatrixGetsAReflectionForEveryColumn) {
    const Dense a = {{1, 2}, {3, 4}, {5, 6}};
    const QRResult r = RunQR(a);
    EXPECT_EQ(r.r[2][0], 0.0);
    EXPECT_EQ(r.r[2][1], 0.0);
    EXPECT_EQ(r.r[1][0], 0.0);
    // The second reflection makes |R[1][1]| the norm of column 1 below row 0
    // after the first step; with no second reflection R[2][1] would not be 0.
    const Dense qa = factortest::Multiply(r.q, a);
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 2; ++j) EXPECT_NEAR(qa[i][j], r.r[i][j], 1e-13) << i << "," << j;
    // Diagonal: the sign opposite to the scaled diagonal element before each step.
    EXPECT_NEAR(r.r[0][0], -std::sqrt(35.0), 1e-13);
    EXPECT_GT(std::fabs(r.r[1][1]), 0.0);
}

TEST(MatQR, FourByTwoClearsBothColumns) {
    const Dense a = {{1, 0}, {1, 1}, {1, 2}, {1, 3}};
    const QRResult r = RunQR(a);
    for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(r.r[i][0], 0.0);
    for (std::size_t i = 2; i < 4; ++i) EXPECT_EQ(r.r[i][1], 0.0);
    EXPECT_NEAR(r.r[0][0], -2.0, 1e-15);
    EXPECT_NEAR(std::fabs(r.r[1][1]), std::sqrt(5.0), 1e-14);
}

TEST(MatQR, ZeroColumnIsSkipped) {
    // Square 2 x 2: one step only, and its column is zero.
    const QRResult r = RunQR({{0, 1}, {0, 1}});
    EXPECT_EQ(r.r, (Dense{{0, 1}, {0, 1}}));
    EXPECT_EQ(r.q, factortest::Identity(2));
}

TEST(MatQR, SingleRowHasNoStep) {
    const QRResult r = RunQR({{-7}});
    EXPECT_EQ(r.r, (Dense{{-7}}));
    EXPECT_EQ(r.q, (Dense{{1}}));
}

TEST(MatQR, SquareLastColumnGetsNoReflection) {
    // The last diagonal element keeps the sign the elimination left.
    const QRResult r = RunQR({{1, 0}, {0, 1}});
    EXPECT_NEAR(r.r[0][0], -1.0, 0.0);
    EXPECT_NEAR(r.r[1][1], 1.0, 0.0);
}

TEST(MatQR, ZeroMatrixLeavesEverythingAsItWas) {
    const QRResult r = RunQR(factortest::Zeros(5, 3));
    EXPECT_EQ(r.r, factortest::Zeros(5, 3));
    EXPECT_EQ(r.q, factortest::Identity(5));
}

TEST(MatQR, EmptyMatrix) {
    RCOMat a, q;
    MatQR(a, 0, 0, q);
    EXPECT_TRUE(a.empty());
    EXPECT_TRUE(q.empty());
}

TEST(MatQR, ExtremeScalesFactorWithoutFault) {
    for (double scale : {1e300, 1e-300, 4.9e-324}) {
        const Dense a = factortest::Scaled({{1, 2}, {3, 4}, {5, 6}}, scale);
        const QRResult r = RunQR(a);
        EXPECT_NEAR(r.r[0][0] / scale, -std::sqrt(35.0), scale < 1e-320 ? 1.0 : 1e-13) << scale;
        for (const auto& row : r.q)
            for (double v : row) EXPECT_TRUE(std::isfinite(v));
    }
}

TEST(MatQR, OverflowingColumnSumIsAnError) {
    // The sum of magnitudes that scales the column does not fit a double.
    RCOMat a = factortest::ToScalars({{1e308, 1}, {1e308, 1}, {1e308, 1}});
    RCOMat q;
    EXPECT_EQ(mattest::ErrorOf([&] { MatQR(a, 3, 2, q); }), "Floating point overflow");
}

// ---- Properties on random matrices -----------------------------------------

struct QRShape {
    std::size_t m;
    std::size_t n;
};

TEST(MatQRProperty, ResidualAndOrthogonality) {
    factortest::RandomMatrices gen(0x51);
    const std::vector<QRShape> shapes = {{1, 1}, {2, 1}, {2, 2},  {3, 1},   {3, 2},   {3, 3},
                                         {5, 2}, {5, 5}, {10, 3}, {10, 10}, {50, 10}, {50, 50}};
    const factortest::Kind kinds[] = {factortest::Kind::Random,  factortest::Kind::DiagonallyDominant,
                                      factortest::Kind::LowRank, factortest::Kind::Huge,
                                      factortest::Kind::Tiny,    factortest::Kind::Graded,
                                      factortest::Kind::Zero,    factortest::Kind::Identity};
    int checked = 0;
    double worstOrth = 0.0, worstResid = 0.0;
    for (const QRShape& shape : shapes) {
        for (factortest::Kind kind : kinds) {
            const int repeats = shape.m >= 50 ? 1 : 3;
            for (int rep = 0; rep < repeats; ++rep) {
                const Dense a = gen.Make(kind, shape.m, shape.n);
                SCOPED_TRACE(std::string(factortest::KindName(kind)) + " " + std::to_string(shape.m) + "x" +
                             std::to_string(shape.n) + " seed " + std::to_string(gen.Seed()));
                const QRResult r = RunQR(a);
                const double m = static_cast<double>(shape.m);
                // R upper triangular, exactly.
                for (std::size_t i = 0; i < shape.m; ++i)
                    for (std::size_t j = 0; j < std::min(i, shape.n); ++j) ASSERT_EQ(r.r[i][j], 0.0) << i << "," << j;
                // Q orthogonal.
                const Dense qtq = factortest::Multiply(factortest::Transpose(r.q), r.q);
                const double orth =
                    factortest::Norm1(factortest::Subtract(factortest::Identity(shape.m), qtq)) / (m * kEps);
                EXPECT_LT(orth, 30.0);
                worstOrth = std::max(worstOrth, orth);
                // Q*A = R.
                const double normA = factortest::Norm1(a);
                const Dense qa = factortest::Multiply(r.q, a);
                if (normA == 0.0) {
                    EXPECT_EQ(factortest::Norm1(r.r), 0.0);
                } else {
                    const double resid = factortest::Norm1(factortest::Subtract(r.r, qa)) / (m * normA * kEps);
                    EXPECT_LT(resid, 30.0);
                    worstResid = std::max(worstResid, resid);
                }
#if QUORVIX_HAVE_EIGEN
                // |R[k][k]| agrees with the reference factorization where the
                // reference has the same reflections (full column rank).
                if (kind == factortest::Kind::Random || kind == factortest::Kind::DiagonallyDominant) {
                    Eigen::MatrixXd ea(shape.m, shape.n);
                    for (std::size_t i = 0; i < shape.m; ++i)
                        for (std::size_t j = 0; j < shape.n; ++j) ea(i, j) = a[i][j];
                    const Eigen::MatrixXd er = ea.householderQr().matrixQR().triangularView<Eigen::Upper>();
                    for (std::size_t k = 0; k < shape.n; ++k)
                        EXPECT_NEAR(std::fabs(r.r[k][k]), std::fabs(er(k, k)), 1e-10 * normA) << k;
                }
#endif
                ++checked;
            }
        }
    }
    std::cout << "[ checked  ] " << checked << " matrices; worst |I-Q'Q|/(m eps) " << worstOrth
              << ", worst |R-QA|/(m |A| eps) " << worstResid << "\n";
}

}  // namespace
}  // namespace quorvix
