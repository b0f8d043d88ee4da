// Solve (A\B): closed forms on the LU path, random systems against an
// extended-precision residual and Eigen's LU, and the least-squares path on
// tall, wide and exactly singular matrices, checked through the normal
// equations and the minimum-norm property. Ratios are residuals over
// n·eps; bounds are an order of magnitude above what 200 seeds gave.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <type_traits>
#include <vector>

#include "linalg/norms.h"
#include "linalg/residuals.h"
#include "linalg/solve.h"
#include "linalg_test_util.h"

namespace quorvix::linalg {
namespace {

using namespace test;

constexpr double kSolveBound = 10.0;  // SolveResidual / (n·eps); 200 seeds gave at most 0.7

// Closed forms: A·X = B with X known exactly. The complex run multiplies A
// and B by the same complex factor, which leaves X as it is.
struct ClosedForm {
    const char* name;
    RealMatrix a, b, x;
};

std::vector<ClosedForm> ClosedForms() {
    const double c = std::cos(0.7), s = std::sin(0.7);
    return {
        {"diagonal", FromRows<double>({{2, 0, 0}, {0, -4, 0}, {0, 0, 0.5}}), FromRows<double>({{1}, {2}, {3}}),
         FromRows<double>({{0.5}, {-0.5}, {6}})},
        {"permutation", FromRows<double>({{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}), FromRows<double>({{1, 4}, {2, 5}, {3, 6}}),
         FromRows<double>({{3, 6}, {1, 4}, {2, 5}})},
        {"upper triangular", FromRows<double>({{2, 1, -1}, {0, 4, 2}, {0, 0, 8}}), FromRows<double>({{2}, {6}, {8}}),
         FromRows<double>({{1}, {1}, {1}})},
        {"lower triangular", FromRows<double>({{1, 0}, {3, 2}}), FromRows<double>({{1}, {7}}),
         FromRows<double>({{1}, {2}})},
        // A rotation's inverse is its transpose.
        {"rotation", FromRows<double>({{c, -s}, {s, c}}), FromRows<double>({{1}, {0}}), FromRows<double>({{c}, {-s}})},
        {"1 x 1", FromRows<double>({{-8}}), FromRows<double>({{2, -4}}), FromRows<double>({{-0.25, 0.5}})},
    };
}

class SolveClosedForm : public ::testing::TestWithParam<std::tuple<std::size_t, Element>> {};

TEST_P(SolveClosedForm, GivesTheKnownSolution) {
    const ClosedForm f = ClosedForms()[std::get<0>(GetParam())];
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        T factor{1};
        if constexpr (std::is_same_v<T, Complex>) factor = Complex(0.6, -0.8);
        Matrix<T> a(f.a.Rows(), f.a.Cols()), b(f.b.Rows(), f.b.Cols()), x(f.x.Rows(), f.x.Cols());
        for (std::size_t k = 0; k < a.Size(); ++k) a.Data()[k] = factor * f.a.Data()[k];
        for (std::size_t k = 0; k < b.Size(); ++k) b.Data()[k] = factor * f.b.Data()[k];
        for (std::size_t k = 0; k < x.Size(); ++k) x.Data()[k] = f.x.Data()[k];
        const SolveResult<T> r = Solve(a, b);
        EXPECT_FALSE(r.LeastSquares) << f.name;
        EXPECT_EQ(r.Rank, a.Rows());
        EXPECT_LT(RelativeDifference(r.X, x), 8 * kEps) << f.name;
        EXPECT_GT(r.RCond, 0.0);
        EXPECT_LE(r.RCond, 1.0);
    });
}

INSTANTIATE_TEST_SUITE_P(Forms, SolveClosedForm,
                         ::testing::Combine(::testing::Range<std::size_t>(0, 6),
                                            ::testing::Values(Element::Real, Element::Complex)),
                         [](const auto& info) {
                             std::string name = ClosedForms()[std::get<0>(info.param)].name;
                             for (char& ch : name)
                                 if (ch == ' ') ch = '_';
                             return name + "_" + ElementName(std::get<1>(info.param));
                         });

TEST(SolveRCond, IsTheReciprocalOfTheOneNormConditionOfADiagonalMatrix) {
    // ‖A‖₁·‖A⁻¹‖₁ = 8 · 4 = 32 for diag(8, 0.25, 1); gecon is exact here.
    const SolveResult<double> r = Solve(Diagonal<double>({8, 0.25, 1}), FromRows<double>({{1}, {1}, {1}}));
    EXPECT_DOUBLE_EQ(r.RCond, 1.0 / 32);
}

// Random square systems, n x n with three right-hand sides.
class SolveRandom : public ::testing::TestWithParam<std::tuple<int, Element>> {};

TEST_P(SolveRandom, ResidualIsASmallMultipleOfEps) {
    const int n = std::get<0>(GetParam());
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(100 + n));
        for (int trial = 0; trial < 5; ++trial) {
            const Matrix<T> a = Random<T>(n, n, rng), b = Random<T>(n, 3, rng);
            const SolveResult<T> r = Solve(a, b);
            ASSERT_FALSE(r.LeastSquares);
            // The residual both ways: the library's, and the tests' own in
            // long double.
            const double own = RelativeDifference(Product(a, r.X), b) * FrobeniusNorm(b) /
                               (FrobeniusNorm(a) * FrobeniusNorm(r.X) + FrobeniusNorm(b));
            EXPECT_LT(SolveResidual(a, r.X, b) / (n * kEps), kSolveBound) << "trial " << trial;
            EXPECT_LT(own / (n * kEps), kSolveBound) << "trial " << trial;
#ifdef QUORVIX_HAVE_EIGEN
            // The forward error of two backward-stable solvers is bounded by
            // the condition: ‖X − Xe‖ / ‖X‖ <~ n·eps / rcond.
            const Matrix<T> xe = FromEigen<T>(ToEigen(a).partialPivLu().solve(ToEigen(b)));
            EXPECT_LT(RelativeDifference(r.X, xe), 100 * n * kEps / r.RCond) << "trial " << trial;
#endif
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Sizes, SolveRandom,
                         ::testing::Combine(::testing::Values(1, 2, 3, 5, 10, 50),
                                            ::testing::Values(Element::Real, Element::Complex)),
                         [](const auto& info) {
                             return std::to_string(std::get<0>(info.param)) + "_" +
                                    ElementName(std::get<1>(info.param));
                         });

// Least squares. For a tall A of full rank X satisfies the normal equations
// Aᴴ·(A·X − B) = 0; for a wide A of full row rank, A·X = B and X = Aᴴ·Y lies
// in A's row space (the minimum-norm solution), so X = Aᴴ·(A·Aᴴ)⁻¹·B.
struct Shape {
    int rows, cols;
};

class SolveLeastSquares : public ::testing::TestWithParam<std::tuple<Shape, Element>> {};

TEST_P(SolveLeastSquares, SatisfiesTheNormalEquationsOrIsTheMinimumNorm) {
    const Shape shape = std::get<0>(GetParam());
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(200 + 10 * shape.rows + shape.cols));
        const Matrix<T> a = Random<T>(shape.rows, shape.cols, rng), b = Random<T>(shape.rows, 2, rng);
        const SolveResult<T> r = Solve(a, b);
        EXPECT_TRUE(r.LeastSquares);
        EXPECT_EQ(r.Rank, std::min(shape.rows, shape.cols));
        ASSERT_EQ(r.X.Rows(), shape.cols);
        ASSERT_EQ(r.X.Cols(), 2);
        const double scale = std::max(shape.rows, shape.cols) * kEps;
        if (shape.rows > shape.cols) {
            Matrix<T> residual = Product(a, r.X);
            for (std::size_t k = 0; k < residual.Size(); ++k) residual.Data()[k] -= b.Data()[k];
            const Matrix<T> normal = Product(Adjoint(a), residual);
            const double na = FrobeniusNorm(a);
            const double ratio = FrobeniusNorm(normal) / (na * na * FrobeniusNorm(r.X) + na * FrobeniusNorm(b)) / scale;
            EXPECT_LT(ratio, 100.0);
        } else {
            EXPECT_LT(SolveResidual(a, r.X, b) / scale, 100.0);
#ifdef QUORVIX_HAVE_EIGEN
            const auto ae = ToEigen(a);
            const EigenMatrix<T> y = (ae * ae.adjoint()).partialPivLu().solve(ToEigen(b));
            const Matrix<T> minimum = FromEigen<T>(ae.adjoint() * y);
            EXPECT_LT(RelativeDifference(r.X, minimum), 1e3 * scale / r.RCond);
#endif
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Shapes, SolveLeastSquares,
                         ::testing::Combine(::testing::Values(Shape{2, 1}, Shape{5, 3}, Shape{50, 10}, Shape{1, 2},
                                                              Shape{3, 5}, Shape{10, 50}),
                                            ::testing::Values(Element::Real, Element::Complex)),
                         [](const auto& info) {
                             const Shape s = std::get<0>(info.param);
                             return std::to_string(s.rows) + "x" + std::to_string(s.cols) + "_" +
                                    ElementName(std::get<1>(info.param));
                         });

TEST(SolveSingular, AnExactlyZeroPivotTakesTheMinimumNormLeastSquaresSolution) {
    // A = u·uᵀ with u = (1, 2): getrf meets an exactly zero second pivot, and
    // pinv(A) = A / 25, so X = A·B / 25.
    const RealMatrix a = FromRows<double>({{1, 2}, {2, 4}});
    const RealMatrix b = FromRows<double>({{1, 0}, {3, 5}});
    const SolveResult<double> r = Solve(a, b);
    EXPECT_TRUE(r.LeastSquares);
    EXPECT_EQ(r.Rank, 1);
    EXPECT_LT(r.RCond, kEps);
    RealMatrix expected = Product(a, b);
    for (std::size_t k = 0; k < expected.Size(); ++k) expected.Data()[k] /= 25;
    EXPECT_LT(RelativeDifference(r.X, expected), 10 * kEps);
}

TEST(SolveSingular, AZeroMatrixGivesZeroWithRCondZero) {
    const SolveResult<Complex> r = Solve(ComplexMatrix(3, 3), ToComplex(FromRows<double>({{1}, {2}, {3}})));
    EXPECT_TRUE(r.LeastSquares);
    EXPECT_EQ(r.Rank, 0);
    EXPECT_EQ(r.RCond, 0.0);
    EXPECT_EQ(r.X, ComplexMatrix(3, 1));
}

TEST(SolveShapes, EmptyOperandsGiveAnEmptyOrZeroSolution) {
    // 0 x 0 A: nothing to solve. 0 x 2 A: two unknowns, no equation, X = 0.
    // 2 x 0 A: no unknown. B without columns: X without columns.
    EXPECT_EQ(Solve(RealMatrix(0, 0), RealMatrix(0, 3)).X, RealMatrix(0, 3));
    EXPECT_EQ(Solve(RealMatrix(0, 2), RealMatrix(0, 1)).X, RealMatrix(2, 1));
    EXPECT_EQ(Solve(RealMatrix(2, 0), RealMatrix(2, 1)).X, RealMatrix(0, 1));
    EXPECT_EQ(Solve(FromRows<double>({{2, 1}, {1, 3}}), RealMatrix(2, 0)).X, RealMatrix(2, 0));
    EXPECT_EQ(Solve(FromRows<double>({{2, 1}, {2, 1}}), RealMatrix(2, 0)).X, RealMatrix(2, 0));
}

}  // namespace
}  // namespace quorvix::linalg
