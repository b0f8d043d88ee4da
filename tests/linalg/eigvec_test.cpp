// Eigvec and EigenvaluesOnly: Hermitian matrices with known eigenvalues
// (ascending, real, unitary V), a rotation (a complex pair from a real
// matrix, conjugate vectors), triangular matrices (the diagonal, real
// vectors), a defective Jordan block, and random matrices whose residual
// ‖A·V − V·D‖ / (‖A‖·‖V‖) stays a small multiple of n·eps and whose
// eigenvalues agree with Eigen's. Every V is checked for the normalisation:
// unit columns, the first component of largest modulus real and positive.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "linalg/eigenvalues.h"
#include "linalg/eigvec.h"
#include "linalg/norms.h"
#include "linalg/residuals.h"
#include "linalg_test_util.h"

namespace quorvix::linalg {
namespace {

using namespace test;

constexpr double kEigvecBound = 30.0;  // EigvecResidual / (n·eps); 200 seeds gave at most 1.6

::testing::AssertionResult IsNormalized(const ComplexMatrix& v) {
    for (std::int32_t j = 0; j < v.Cols(); ++j) {
        long double sum = 0, largest = -1;
        std::int32_t k = 0;
        for (std::int32_t i = 0; i < v.Rows(); ++i) {
            const long double mod = std::abs(std::complex<long double>(v(i, j)));
            sum += mod * mod;
            if (mod > largest) {
                largest = mod;
                k = i;
            }
        }
        if (std::fabs(std::sqrt(sum) - 1.0L) > 4 * v.Rows() * kEps)
            return ::testing::AssertionFailure() << "column " << j << " has norm " << static_cast<double>(sum);
        if (v(k, j).imag() != 0 || v(k, j).real() <= 0)
            return ::testing::AssertionFailure() << "column " << j << ": component " << k << " is " << v(k, j).real()
                                                 << " + " << v(k, j).imag() << "i";
    }
    return ::testing::AssertionSuccess();
}

// ‖VᴴV − I‖_F / (n·eps).
double Unitarity(const ComplexMatrix& v) {
    ComplexMatrix g = Product(Adjoint(v), v);
    for (std::int32_t i = 0; i < g.Rows(); ++i) g(i, i) -= 1.0;
    return FrobeniusNorm(g) / (std::max(1, v.Rows()) * kEps);
}

// An exactly Hermitian matrix near Q·diag(values)·Q for a random
// reflection Q: the upper triangle and its mirror.
template <typename T>
Matrix<T> HermitianWithEigenvalues(const std::vector<double>& values, std::mt19937_64& rng) {
    const auto n = static_cast<std::int32_t>(values.size());
    const Matrix<T> q = Reflection<T>(n, rng);
    std::vector<T> d(values.begin(), values.end());
    const Matrix<T> b = Product(Product(q, Diagonal(d)), q);
    Matrix<T> a(n, n);
    for (std::int32_t j = 0; j < n; ++j) {
        a(j, j) = std::real(b(j, j));
        for (std::int32_t i = 0; i < j; ++i) {
            a(i, j) = b(i, j);
            a(j, i) = Conj(b(i, j));
        }
    }
    return a;
}

class EigvecHermitian : public ::testing::TestWithParam<Element> {};

TEST_P(EigvecHermitian, GivesTheKnownEigenvaluesAscendingAndAUnitaryV) {
    WithElement(GetParam(), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(400));
        const std::vector<double> values = {7, -3, 0.5, 2, -1, 0.5 + 1e-3};
        const Matrix<T> a = HermitianWithEigenvalues<T>(values, rng);
        const EigvecResult r = Eigvec(a);
        EXPECT_TRUE(r.Hermitian);
        EXPECT_TRUE(r.RealValues);
        EXPECT_EQ(r.RealVectors, (std::is_same_v<T, double>));
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t k = 0; k < sorted.size(); ++k) {
            const auto kk = static_cast<std::int32_t>(k);
            EXPECT_NEAR(r.D(kk, kk).real(), sorted[k], 50 * kEps * 7) << k;
        }
        EXPECT_TRUE(IsNormalized(r.V));
        EXPECT_LT(Unitarity(r.V), 10.0);
        EXPECT_LT(EigvecResidual(a, r.D, r.V) / (6 * kEps), kEigvecBound);
        const std::vector<Complex> only = EigenvaluesOnly(a);
        for (std::size_t k = 0; k < sorted.size(); ++k) EXPECT_NEAR(only[k].real(), sorted[k], 50 * kEps * 7) << k;
    });
}

INSTANTIATE_TEST_SUITE_P(Elements, EigvecHermitian, ::testing::Values(Element::Real, Element::Complex),
                         [](const auto& info) { return std::string(ElementName(info.param)); });

TEST(EigvecKnown, ARotationHasTheConjugatePairAndConjugateVectors) {
    const double theta = 0.9, c = std::cos(theta), s = std::sin(theta);
    const RealMatrix a = FromRows<double>({{c, -s}, {s, c}});
    const EigvecResult r = Eigvec(a);
    EXPECT_FALSE(r.Hermitian);
    EXPECT_FALSE(r.RealValues);
    EXPECT_FALSE(r.RealVectors);
    EXPECT_NEAR(std::abs(r.D(0, 0) - std::polar(1.0, theta)) * std::abs(r.D(0, 0) - std::polar(1.0, -theta)), 0.0,
                4 * kEps);
    EXPECT_EQ(r.D(1, 1), std::conj(r.D(0, 0)));
    for (std::int32_t i = 0; i < 2; ++i) EXPECT_EQ(r.V(i, 1), std::conj(r.V(i, 0)));
    // (1, ∓i)/√2: both components of modulus 1/√2.
    EXPECT_NEAR(std::abs(r.V(0, 0)), std::numbers::sqrt2 / 2, 2 * kEps);
    EXPECT_TRUE(IsNormalized(r.V));
    EXPECT_LT(EigvecResidual(a, r.D, r.V) / (2 * kEps), kEigvecBound);
}

TEST(EigvecKnown, ATriangularMatrixHasItsDiagonalAndRealVectors) {
    const RealMatrix a = FromRows<double>({{3, 1, -2, 4}, {0, -1, 5, 1}, {0, 0, 2, 7}, {0, 0, 0, 0.5}});
    const EigvecResult r = Eigvec(a);
    EXPECT_TRUE(r.RealValues);
    EXPECT_TRUE(r.RealVectors);
    std::vector<double> d;
    for (std::int32_t k = 0; k < 4; ++k) d.push_back(r.D(k, k).real());
    std::sort(d.begin(), d.end());
    const std::vector<double> expected = {-1, 0.5, 2, 3};
    for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(d[k], expected[k], 20 * kEps) << k;
    EXPECT_TRUE(IsNormalized(r.V));
    EXPECT_LT(EigvecResidual(a, r.D, r.V) / (4 * kEps), kEigvecBound);
}

TEST(EigvecKnown, AJordanBlockStillHasASmallResidual) {
    // Defective: one eigenvector, which geev returns twice (nearly).
    const ComplexMatrix a = ToComplex(FromRows<double>({{2, 1}, {0, 2}}));
    const EigvecResult r = Eigvec(a);
    EXPECT_NEAR(std::abs(r.D(0, 0) - 2.0), 0.0, 4 * kEps);
    EXPECT_NEAR(std::abs(r.D(1, 1) - 2.0), 0.0, 1e-7);  // a double eigenvalue moves by sqrt(eps)
    EXPECT_TRUE(IsNormalized(r.V));
    EXPECT_LT(EigvecResidual(a, r.D, r.V) / (2 * kEps), kEigvecBound);
}

class EigvecRandom : public ::testing::TestWithParam<std::tuple<int, Element>> {};

TEST_P(EigvecRandom, ResidualIsSmallAndEigenvaluesAgreeWithEigen) {
    const int n = std::get<0>(GetParam());
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(500 + n));
        for (int trial = 0; trial < 3; ++trial) {
            const Matrix<T> a = Random<T>(n, n, rng);
            const EigvecResult r = Eigvec(a);
            ASSERT_EQ(r.Hermitian, (n == 1 && std::is_same_v<T, double>));
            EXPECT_TRUE(IsNormalized(r.V)) << "trial " << trial;
            EXPECT_LT(EigvecResidual(a, r.D, r.V) / (n * kEps), kEigvecBound) << "trial " << trial;
            // The tests' own residual in long double.
            const ComplexMatrix av = Product(ToComplex(a), r.V), vd = Product(r.V, r.D);
            EXPECT_LT(RelativeDifference(av, vd) * FrobeniusNorm(vd) /
                          (FrobeniusNorm(ToComplex(a)) * FrobeniusNorm(r.V)) / (n * kEps),
                      kEigvecBound);
            if constexpr (std::is_same_v<T, double>) {
                // A real matrix: pairs of conjugate eigenvalues with conjugate vectors.
                for (std::int32_t j = 0; j + 1 < n; ++j)
                    if (r.D(j, j).imag() > 0) {
                        EXPECT_EQ(r.D(j + 1, j + 1), std::conj(r.D(j, j)));
                        for (std::int32_t i = 0; i < n; ++i) EXPECT_EQ(r.V(i, j + 1), std::conj(r.V(i, j)));
                    }
            }
            const std::vector<Complex> only = EigenvaluesOnly(a);
            ASSERT_EQ(only.size(), static_cast<std::size_t>(n));
#ifdef QUORVIX_HAVE_EIGEN
            // Each of Eigen's eigenvalues has one of ours, and one of
            // EigenvaluesOnly, within a tolerance that allows for the
            // eigenvalue condition of a random matrix.
            const Eigen::ComplexEigenSolver<EigenMatrix<Complex>> solver(ToEigen(ToComplex(a)));
            const double tolerance = 1e-9 * FrobeniusNorm(a);
            for (int k = 0; k < n; ++k) {
                const Complex e = solver.eigenvalues()(k);
                double nearest = INFINITY, nearestOnly = INFINITY;
                for (std::int32_t j = 0; j < n; ++j) {
                    nearest = std::min(nearest, std::abs(r.D(j, j) - e));
                    nearestOnly = std::min(nearestOnly, std::abs(only[static_cast<std::size_t>(j)] - e));
                }
                EXPECT_LT(nearest, tolerance) << "eigenvalue " << e;
                EXPECT_LT(nearestOnly, tolerance) << "eigenvalue " << e;
            }
#endif
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Sizes, EigvecRandom,
                         ::testing::Combine(::testing::Values(1, 2, 3, 5, 10, 50),
                                            ::testing::Values(Element::Real, Element::Complex)),
                         [](const auto& info) {
                             return std::to_string(std::get<0>(info.param)) + "_" +
                                    ElementName(std::get<1>(info.param));
                         });

TEST(EigvecKnown, AnAlmostHermitianMatrixTakesTheGeneralDriver) {
    // Off by one rounding in one element: not Hermitian, so geev, whose
    // eigenvalues are then real only up to rounding.
    RealMatrix a = FromRows<double>({{2, 1, 0}, {1, 3, 1}, {0, 1, 4}});
    a(0, 1) = std::nextafter(1.0, 2.0);
    const EigvecResult r = Eigvec(a);
    EXPECT_FALSE(r.Hermitian);
    EXPECT_TRUE(IsNormalized(r.V));
    EXPECT_LT(EigvecResidual(a, r.D, r.V) / (3 * kEps), kEigvecBound);
}

}  // namespace
}  // namespace quorvix::linalg
