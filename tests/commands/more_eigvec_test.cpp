// Eigvec as the user runs it: Hermitian matrices with known eigenvalues get
// them real and ascending with a unitary V; a rotation gets ±i; every
// eigenvector has unit 2-norm and its component of largest modulus real and
// positive; random matrices agree with Eigen, the second opinion, where it
// is built; the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "more_test_util.h"

#ifdef QUORVIX_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace quorvix {
namespace {

using namespace more_test;

// Unit 2-norm; the first component of largest modulus real and positive.
void ExpectNormalised(const Dense& v) {
    for (std::int32_t j = 0; j < v.Cols; ++j) {
        long double norm2 = 0, largest = -1;
        std::int32_t at = 0;
        for (std::int32_t i = 0; i < v.Rows; ++i) {
            norm2 += std::norm(v(i, j));
            if (std::abs(v(i, j)) > largest * (1 + 4 * kEps)) {
                largest = std::abs(v(i, j));
                at = i;
            }
        }
        EXPECT_LT(std::fabs(std::sqrt(norm2) - 1), 8 * v.Rows * kEps) << "column " << j;
        EXPECT_GT(v(at, j).real(), 0) << "column " << j;
        EXPECT_LE(std::fabs(v(at, j).imag()), 4 * kEps) << "column " << j;
    }
}

// ‖A·V − V·D‖_F / (‖A‖_F·‖V‖_F) in units of n·eps; D diagonal.
double EigenResidualUnits(const Dense& a, const Dense& v, const Dense& d) {
    for (std::int32_t i = 0; i < d.Rows; ++i)
        for (std::int32_t j = 0; j < d.Cols; ++j)
            if (i != j) {
                EXPECT_EQ(d(i, j), Wide(0));
            }
    const long double r = Frobenius(Minus(Product(a, v), Product(v, d))) / (Frobenius(a) * Frobenius(v));
    return static_cast<double>(r / (a.Rows * kEps));
}

std::vector<Wide> Diagonal(const Dense& d) {
    std::vector<Wide> values;
    for (std::int32_t k = 0; k < d.Rows; ++k) values.push_back(d(k, k));
    return values;
}

TEST(Eigvec, ASymmetricMatrixHasItsEigenvaluesAscendingAndOrthogonalVectors) {
    const Dense a = FromRows({{2, 1, 0}, {1, 2, 0}, {0, 0, 5}});
    CalcState s = StateOf(a);
    Press(s, "Eigvec(A)");
    const Dense d = Kept(s, "D"), v = Kept(s, "V");
    const std::vector<Wide> values = Diagonal(d);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_NEAR(static_cast<double>(values[0].real()), 1, 4 * kEps);
    EXPECT_NEAR(static_cast<double>(values[1].real()), 3, 8 * kEps);
    EXPECT_NEAR(static_cast<double>(values[2].real()), 5, 8 * kEps);
    EXPECT_TRUE(AllReal(d));
    EXPECT_TRUE(AllReal(v));
    EXPECT_LT(RelativeDifference(Product(Adjoint(v), v), Dense::Identity(3)), 8 * kEps);
    ExpectNormalised(v);
    // The eigenvector of 1 is (1, −1)/√2 scaled so that its first largest
    // component is positive.
    EXPECT_NEAR(static_cast<double>(v(0, 0).real()), std::sqrt(0.5), 4 * kEps);
    EXPECT_NEAR(static_cast<double>(v(1, 0).real()), -std::sqrt(0.5), 4 * kEps);
    EXPECT_LT(EigenResidualUnits(a, v, d), 30);
    EXPECT_GE(CheckValue(s), 0);
}

TEST(Eigvec, AComplexHermitianMatrixGetsRealEigenvalues) {
    // [[2, i], [−i, 2]]: eigenvalues 1 and 3.
    const Dense a = FromRows({{2, Wide(0, 1)}, {Wide(0, -1), 2}});
    CalcState s = StateOf(Dense(), a);
    Press(s, "Eigvec(B)");
    const Dense d = Kept(s, "D"), v = Kept(s, "V");
    EXPECT_TRUE(AllReal(d));
    EXPECT_NEAR(static_cast<double>(d(0, 0).real()), 1, 8 * kEps);
    EXPECT_NEAR(static_cast<double>(d(1, 1).real()), 3, 8 * kEps);
    EXPECT_LT(RelativeDifference(Product(Adjoint(v), v), Dense::Identity(2)), 8 * kEps);
    ExpectNormalised(v);
    EXPECT_LT(EigenResidualUnits(a, v, d), 30);
    EXPECT_EQ(s.Kept.back().Label, "Eigvec(B)");
}

TEST(Eigvec, ARotationHasTheEigenvaluesPlusAndMinusI) {
    const Dense a = FromRows({{0, -1}, {1, 0}});
    CalcState s = StateOf(a);
    Press(s, "Eigvec(A)");
    std::vector<Wide> values = Diagonal(Kept(s, "D"));
    std::sort(values.begin(), values.end(), [](Wide x, Wide y) { return x.imag() < y.imag(); });
    EXPECT_LT(std::abs(values[0] - Wide(0, -1)), 4 * kEps);
    EXPECT_LT(std::abs(values[1] - Wide(0, 1)), 4 * kEps);
    ExpectNormalised(Kept(s, "V"));
    EXPECT_LT(EigenResidualUnits(a, Kept(s, "V"), Kept(s, "D")), 30);
}

TEST(Eigvec, ATriangularMatrixHasItsDiagonalAsEigenvalues) {
    const Dense a = FromRows({{4, 1, 2}, {0, -3, 5}, {0, 0, 0.5}});
    CalcState s = StateOf(a);
    Press(s, "Eigvec(A)");
    std::vector<Wide> values = Diagonal(Kept(s, "D"));
    std::sort(values.begin(), values.end(), [](Wide x, Wide y) { return x.real() < y.real(); });
    EXPECT_LT(std::abs(values[0] - Wide(-3)), 8 * kEps);
    EXPECT_LT(std::abs(values[1] - Wide(0.5)), 8 * kEps);
    EXPECT_LT(std::abs(values[2] - Wide(4)), 16 * kEps);
    ExpectNormalised(Kept(s, "V"));
}

TEST(Eigvec, RandomMatricesHaveSmallResidualsAndNormalisedVectors) {
    std::mt19937_64 rng(Seed(3));
    for (bool complex : {false, true})
        for (std::int32_t n : {1, 2, 5, 20}) {
            const Dense a = Random(n, n, complex, rng);
            CalcState s = StateOf(a);
            Press(s, "Eigvec(A)");
            SCOPED_TRACE(std::to_string(n) + (complex ? " complex" : " real"));
            const Dense d = Kept(s, "D"), v = Kept(s, "V");
            EXPECT_EQ(d.Rows, n);
            EXPECT_EQ(v.Cols, n);
            ExpectNormalised(v);
            EXPECT_LT(EigenResidualUnits(AsRead(a), v, d), 100);
        }
}

#ifdef QUORVIX_HAVE_EIGEN
TEST(Eigvec, EigenvaluesAgreeWithEigen) {
    std::mt19937_64 rng(Seed(4));
    for (bool complex : {false, true}) {
        const std::int32_t n = 12;
        const Dense a = AsRead(Random(n, n, complex, rng));
        Eigen::MatrixXcd e(n, n);
        for (std::int32_t i = 0; i < n; ++i)
            for (std::int32_t j = 0; j < n; ++j)
                e(i, j) =
                    std::complex<double>(static_cast<double>(a(i, j).real()), static_cast<double>(a(i, j).imag()));
        const Eigen::VectorXcd theirs = Eigen::ComplexEigenSolver<Eigen::MatrixXcd>(e, false).eigenvalues();
        CalcState s = StateOf(a);
        Press(s, "Eigvec(A)");
        std::vector<Wide> ours = Diagonal(Kept(s, "D"));
        // Each of Eigen's values is near one of ours.
        for (std::int32_t k = 0; k < n; ++k) {
            long double nearest = 1e300L;
            for (const Wide& v : ours)
                nearest = std::min(nearest, std::abs(v - Wide(theirs(k).real(), theirs(k).imag())));
            EXPECT_LT(nearest, 1e-10L) << "Eigen's value " << theirs(k);
        }
    }
}
#endif

TEST(Eigvec, NonSquareAndEmptyEditorsAreRefused) {
    CalcState s = StateOf(FromRows({{1, 2, 3}, {4, 5, 6}}));
    s.Log.KeepRefusals = true;
    Press(s, "Eigvec(A)");
    CalcState e = StateOf(Dense());
    e.Log.KeepRefusals = true;
    Press(e, "Eigvec(A)");
    EXPECT_EQ(s.Log.Refusals, std::vector<std::string>{" Error: To Calculate Eigvec(A), Row=Col!"});
    EXPECT_EQ(e.Log.Refusals, std::vector<std::string>{" Error: To Calculate Eigvec(A), the Matrix is empty!"});
    EXPECT_TRUE(s.Kept.empty());
}

}  // namespace
}  // namespace quorvix
