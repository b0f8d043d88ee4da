// Balancing, Hessenberg reduction and the shifted QR iteration: the worked
// examples, the iteration limit, hostile values, and eigenvalues compared
// with a reference solver on random matrices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
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

matrx2 WorkFrom(const Dense& a) {
    const std::size_t n = a.size();
    matrx2 w;
    w.assign(n + 1, std::vector<Scalar>(n + 1));
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) w[i + 1][j + 1] = Scalar::Real(a[i][j]);
    return w;
}

Dense DenseFrom(const matrx2& w, std::size_t n) {
    Dense d = factortest::Zeros(n, n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) d[i][j] = ScalarToReal(w[i + 1][j + 1]);
    return d;
}

struct EigenRun {
    bool complete = false;
    std::vector<std::complex<double>> values;  // positions 1..n as found
};

EigenRun Eigenvalues(const Dense& a) {
    const auto n = static_cast<std::int32_t>(a.size());
    matrx2 w = WorkFrom(a);
    RCoVecD re(static_cast<std::size_t>(n) + 1, 0.0), im(static_cast<std::size_t>(n) + 1, 0.0);
    MatBalance(w, n);
    MatHessenberg(w, n);
    EigenRun run;
    run.complete = MatEigenvalues(w, n, re, im) == 0;
    for (std::int32_t k = 1; k <= n; ++k)
        run.values.emplace_back(re[static_cast<std::size_t>(k)], im[static_cast<std::size_t>(k)]);
    return run;
}

using C = std::complex<double>;

::testing::AssertionResult ValuesAre(const EigenRun& run, const std::vector<C>& want, double tol = 1e-13) {
    if (!run.complete) return ::testing::AssertionFailure() << "the iteration gave up";
    if (run.values.size() != want.size()) return ::testing::AssertionFailure() << run.values.size() << " values";
    for (std::size_t k = 0; k < want.size(); ++k)
        if (std::abs(run.values[k] - want[k]) > tol)
            return ::testing::AssertionFailure()
                   << "position " << k + 1 << ": " << run.values[k] << " instead of " << want[k];
    return ::testing::AssertionSuccess();
}

// ---- Balancing -----------------------------------------------------------

TEST(MatBalance, SkipsIndicesWithAZeroRowOrColumn) {
    matrx2 w = WorkFrom({{1, 2}, {0, 3}});
    MatBalance(w, 2);
    EXPECT_EQ(DenseFrom(w, 2), (Dense{{1, 2}, {0, 3}}));
}

TEST(MatBalance, ScalesByPowersOfTwo) {
    matrx2 w = WorkFrom({{0, 4}, {1, 0}});
    MatBalance(w, 2);
    EXPECT_EQ(DenseFrom(w, 2), (Dense{{0, 2}, {2, 0}}));
}

TEST(MatBalance, EmptyOrderChangesNothing) {
    matrx2 w;
    MatBalance(w, 0);
    EXPECT_TRUE(w.empty());
}

TEST(MatBalance, ExtremeRatiosEndWithoutFault) {
    matrx2 w = WorkFrom({{0, 1e300}, {1e-300, 0}});
    MatBalance(w, 2);
    const Dense d = DenseFrom(w, 2);
    // Scaled by a power of 2 into a factor 2 of each other; the product stays.
    EXPECT_NEAR(d[0][1] * d[1][0], 1.0, 1e-12);
    EXPECT_GE(d[0][1] / d[1][0], 0.25);
    EXPECT_LE(d[0][1] / d[1][0], 4.0);
}

// ---- Hessenberg reduction -------------------------------------------------

TEST(MatHessenberg, OrderTwoIsLeftAlone) {
    matrx2 w = WorkFrom({{1, 2}, {3, 4}});
    MatHessenberg(w, 2);
    EXPECT_EQ(DenseFrom(w, 2), (Dense{{1, 2}, {3, 4}}));
}

TEST(MatHessenberg, PivotsAndKeepsTheMultiplier) {
    // Column 1 below the diagonal holds 4 and 7: row 3 becomes the pivot row,
    // and the multiplier 4/7 stays at (3, 1).
    matrx2 w = WorkFrom({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}});
    MatHessenberg(w, 3);
    const Dense d = DenseFrom(w, 3);
    EXPECT_EQ(d[1][0], 7.0);
    EXPECT_DOUBLE_EQ(d[2][0], 4.0 / 7.0);
    // The Hessenberg part keeps the eigenvalues: trace and determinant.
    Dense h = d;
    h[2][0] = 0.0;
    EXPECT_NEAR(h[0][0] + h[1][1] + h[2][2], 16.0, 1e-13);
    const double det = h[0][0] * (h[1][1] * h[2][2] - h[1][2] * h[2][1]) -
                       h[0][1] * (h[1][0] * h[2][2] - h[1][2] * h[2][0]) +
                       h[0][2] * (h[1][0] * h[2][1] - h[1][1] * h[2][0]);
    EXPECT_NEAR(det, -3.0, 1e-12);
}

// ---- Eigenvalues: the worked examples --------------------------------------

TEST(MatEigenvalues, OneByOne) { EXPECT_TRUE(ValuesAre(Eigenvalues({{5}}), {C(5, 0)})); }

TEST(MatEigenvalues, TriangularIsNotSorted) {
    EXPECT_TRUE(ValuesAre(Eigenvalues({{1, 2}, {0, 3}}), {C(1, 0), C(3, 0)}));
}

TEST(MatEigenvalues, TrailingBlockSplitsFirst) {
    EXPECT_TRUE(ValuesAre(Eigenvalues({{2, 0, 0}, {0, 3, 4}, {0, 4, 9}}), {C(2, 0), C(1, 0), C(11, 0)}));
}

TEST(MatEigenvalues, ComplexPairNegativeImaginaryFirst) {
    EXPECT_TRUE(ValuesAre(Eigenvalues({{1, -2}, {2, 1}}), {C(1, -2), C(1, 2)}));
    EXPECT_TRUE(ValuesAre(Eigenvalues({{0, 1}, {-1, 0}}), {C(0, -1), C(0, 1)}));
}

TEST(MatEigenvalues, ZeroEigenvalueStaysAtItsPosition) {
    EXPECT_TRUE(ValuesAre(Eigenvalues({{1, 1}, {2, 2}}), {C(0, 0), C(3, 0)}));
}

TEST(MatEigenvalues, ZeroMatrix) {
    EXPECT_TRUE(ValuesAre(Eigenvalues(factortest::Zeros(2, 2)), {C(0, 0), C(0, 0)}, 0.0));
}

TEST(MatEigenvalues, RealPairWithZeroP) {
    // p = 0 and q > 0: z = +sqrt(q), so position 1 gets 2 and position 2 gets x - w/z = -2.
    EXPECT_TRUE(ValuesAre(Eigenvalues({{0, 4}, {1, 0}}), {C(2, 0), C(-2, 0)}, 0.0));
}

TEST(MatEigenvalues, OrderZeroReadsNothing) {
    matrx2 w;
    RCoVecD re, im;
    EXPECT_EQ(MatEigenvalues(w, 0, re, im), 0);
    EXPECT_EQ(re.size(), 1u);
    EXPECT_EQ(im.size(), 1u);
}

// ---- The iteration limit --------------------------------------------------

// The companion matrix of (x^2 - 1)^2: the double shifts never split it.
const Dense kStalls = {{0, 2, 0, -1}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

TEST(MatEigenvaluesLimit, GivesUpAndLeavesNoValueOfAnEarlierRun) {
    matrx2 w = WorkFrom(kStalls);
    // Vectors still holding values from an earlier run.
    RCoVecD re(5, 99.0), im(5, 99.0);
    MatBalance(w, 4);
    MatHessenberg(w, 4);
    EXPECT_EQ(MatEigenvalues(w, 4, re, im), 4);
    for (std::size_t k = 1; k <= 4; ++k) {
        EXPECT_EQ(re[k], 0.0) << k;
        EXPECT_EQ(im[k], 0.0) << k;
    }
}

TEST(MatEigenvaluesLimit, KeepsTheValuesFoundBeforeIt) {
    Dense a = factortest::Zeros(5, 5);
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = 0; j < 4; ++j) a[i][j] = kStalls[i][j];
    a[4][4] = 5.0;
    const EigenRun run = Eigenvalues(a);
    EXPECT_FALSE(run.complete);
    EXPECT_EQ(run.values[4], C(5, 0));
    for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(run.values[k], C(0, 0)) << k;
}

// ---- Hostile values: every run ends, with values or with an error ---------

void ExpectFiniteOrFault(const Dense& a) {
    try {
        const EigenRun run = Eigenvalues(a);
        for (const C& v : run.values) {
            EXPECT_TRUE(std::isfinite(v.real()));
            EXPECT_TRUE(std::isfinite(v.imag()));
        }
    } catch (const ArithmeticError& e) {
        const std::string what = e.what();
        EXPECT_TRUE(what == "Floating point overflow" || what == "Invalid floating point operation") << what;
    }
}

TEST(MatEigenvaluesHostile, HugeElementsOverflowAsAnError) {
    // The product of two subdiagonal neighbours does not fit a double.
    EXPECT_EQ(mattest::ErrorOf([] { Eigenvalues({{1e300, 1e300}, {1e300, 1e300}}); }), "Floating point overflow");
    factortest::RandomMatrices gen(0xE1);
    ExpectFiniteOrFault(factortest::Scaled(gen.Gaussian(10, 10), 1e300));
    ExpectFiniteOrFault(factortest::Scaled(gen.Gaussian(10, 10), 1e200));
}

TEST(MatEigenvaluesHostile, TinyElementsEndWithFiniteValues) {
    factortest::RandomMatrices gen(0xE2);
    for (double scale : {1e-300, 1e-310}) {
        const EigenRun run = Eigenvalues(factortest::Scaled(gen.Gaussian(10, 10), scale));
        for (const C& v : run.values) {
            EXPECT_TRUE(std::isfinite(v.real()));
            EXPECT_TRUE(std::isfinite(v.imag()));
        }
    }
}

TEST(MatEigenvaluesHostile, LargeZeroMatrix) {
    const EigenRun run = Eigenvalues(factortest::Zeros(60, 60));
    EXPECT_TRUE(run.complete);
    for (const C& v : run.values) EXPECT_EQ(v, C(0, 0));
}

// ---- Properties: the same multiset as the reference solver ----------------

#if QUORVIX_HAVE_EIGEN

// Greedy matching: every reference value takes the nearest value not yet taken.
double WorstMismatch(const std::vector<C>& ours, const std::vector<C>& reference) {
    std::vector<bool> taken(ours.size(), false);
    double worst = 0.0;
    for (const C& want : reference) {
        std::size_t best = ours.size();
        double bestDist = 0.0;
        for (std::size_t k = 0; k < ours.size(); ++k) {
            if (taken[k]) continue;
            const double d = std::abs(ours[k] - want);
            if (best == ours.size() || d < bestDist) {
                best = k;
                bestDist = d;
            }
        }
        if (best == ours.size()) return INFINITY;
        taken[best] = true;
        worst = std::max(worst, bestDist);
    }
    return worst;
}

std::vector<C> ReferenceEigenvalues(const Dense& a) {
    const auto n = static_cast<Eigen::Index>(a.size());
    Eigen::MatrixXd m(n, n);
    for (Eigen::Index i = 0; i < n; ++i)
        for (Eigen::Index j = 0; j < n; ++j) m(i, j) = a[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    Eigen::EigenSolver<Eigen::MatrixXd> solver(m, false);
    std::vector<C> out;
    for (Eigen::Index k = 0; k < n; ++k) out.push_back(solver.eigenvalues()(k));
    return out;
}

TEST(MatEigenvaluesProperty, SameMultisetAsReference) {
    using factortest::Kind;
    factortest::RandomMatrices gen(0xE16);
    const std::size_t sizes[] = {1, 2, 3, 4, 5, 7, 10, 20, 50};
    // Normal kinds have well-conditioned eigenvalues: a few eps of |A|. The
    // others may have eigenvalue condition numbers in the thousands.
    const struct {
        Kind kind;
        double tolerance;  // in units of |A|_1 * eps
    } kinds[] = {{Kind::Symmetric, 100}, {Kind::Spd, 100},    {Kind::Identity, 0},
                 {Kind::Zero, 0},        {Kind::Random, 1e4}, {Kind::DiagonallyDominant, 1e4},
                 {Kind::LowRank, 1e4},   {Kind::Huge, 1e4},   {Kind::Tiny, 1e4}};
    int checked = 0;
    double worstNormal = 0.0, worstOther = 0.0;
    for (std::size_t n : sizes) {
        for (const auto& k : kinds) {
            const int repeats = n >= 50 ? 2 : 4;
            for (int rep = 0; rep < repeats; ++rep) {
                const Dense a = gen.Make(k.kind, n, n);
                SCOPED_TRACE(std::string(factortest::KindName(k.kind)) + " " + std::to_string(n) + "x" +
                             std::to_string(n));
                const EigenRun run = Eigenvalues(a);
                ASSERT_TRUE(run.complete);
                const double normA = factortest::Norm1(a);
                const double worst = WorstMismatch(run.values, ReferenceEigenvalues(a));
                const double ratio = normA == 0.0 ? worst : worst / (normA * kEps);
                EXPECT_LE(ratio, k.tolerance);
                if (k.tolerance <= 100)
                    worstNormal = std::max(worstNormal, ratio);
                else
                    worstOther = std::max(worstOther, ratio);
                ++checked;
            }
        }
    }
    std::cout << "[ checked  ] " << checked << " matrices; worst |lambda - ref|/(|A| eps): symmetric " << worstNormal
              << ", general " << worstOther << "\n";
}

TEST(MatEigenvaluesProperty, LargeRandomMatrix) {
    factortest::RandomMatrices gen(0xE17);
    const Dense a = gen.Gaussian(150, 150);
    const EigenRun run = Eigenvalues(a);
    ASSERT_TRUE(run.complete);
    EXPECT_LE(WorstMismatch(run.values, ReferenceEigenvalues(a)) / (factortest::Norm1(a) * kEps), 1e4);
}

#endif  // QUORVIX_HAVE_EIGEN

}  // namespace
}  // namespace quorvix
