// MatLDL: the worked examples, zero pivots, complex input, the Scalar
// division limit, and L*D*L' = A on random symmetric matrices.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/errors.h"
#include "core/factor_test_support.h"
#include "core/mat_ldl.h"
#include "core/mat_test_util.h"
#include "core/reference/matrice2_reference.h"

#if QUORVIX_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace quorvix {
namespace {

using factortest::Dense;
using factortest::kEps;
using mattest::C;
using mattest::ComplexRows;
using mattest::MatrixNear;
using mattest::Rows;

TEST(MatLDL, PositiveDefinite) {
    RCOMat a = ComplexRows({{4, 2}, {2, 3}}), l, d;
    ASSERT_TRUE(MatLDL(a, l, d));
    EXPECT_TRUE(MatrixNear(l, Rows{{1, 0}, {0.5, 1}}));
    EXPECT_TRUE(MatrixNear(d, Rows{{4, 0}, {0, 2}}));
    // The constants are integer Scalars.
    EXPECT_EQ(l[0][0].Kind(), ScalarKind::Integer);
    EXPECT_EQ(l[0][1].Kind(), ScalarKind::Integer);
    EXPECT_EQ(d[1][0].Kind(), ScalarKind::Integer);
    // The multiplier is left in the lower triangle, the diagonal untouched.
    EXPECT_TRUE(mattest::ValueIs(a[1][0], 0.5));
    EXPECT_TRUE(mattest::ValueIs(a[1][1], 3));
}

TEST(MatLDL, LowerTriangleIsNotRead) {
    RCOMat a = ComplexRows({{4, 2}, {100, 3}}), l, d;
    ASSERT_TRUE(MatLDL(a, l, d));
    EXPECT_TRUE(MatrixNear(l, Rows{{1, 0}, {0.5, 1}}));
    EXPECT_TRUE(MatrixNear(d, Rows{{4, 0}, {0, 2}}));
}

TEST(MatLDL, IndefiniteIsAccepted) {
    RCOMat a = ComplexRows({{1, 2}, {2, 1}}), l, d;
    ASSERT_TRUE(MatLDL(a, l, d));
    EXPECT_TRUE(MatrixNear(l, Rows{{1, 0}, {2, 1}}));
    EXPECT_TRUE(MatrixNear(d, Rows{{1, 0}, {0, -3}}));
}

TEST(MatLDL, ZeroPivotWithNonZeroElementFails) {
    RCOMat a = ComplexRows({{0, 1}, {1, 0}});
    RCOMat l = ComplexRows({{7}}), d = ComplexRows({{8}});
    EXPECT_FALSE(MatLDL(a, l, d));
    // The outputs are left as they were.
    EXPECT_TRUE(MatrixNear(l, Rows{{7}}));
    EXPECT_TRUE(MatrixNear(d, Rows{{8}}));
}

TEST(MatLDL, ZeroPivotWithZeroElementTakesMultiplierOne) {
    RCOMat a = ComplexRows({{0, 0}, {0, 5}}), l, d;
    ASSERT_TRUE(MatLDL(a, l, d));
    EXPECT_TRUE(MatrixNear(l, Rows{{1, 0}, {1, 1}}));
    EXPECT_TRUE(MatrixNear(d, Rows{{0, 0}, {0, 5}}));
    EXPECT_EQ(l[1][0].Kind(), ScalarKind::Integer);
}

TEST(MatLDL, ComplexSymmetricWithoutConjugation) {
    RCOMat a = mattest::ScalarRows({{C(0, 2), C(1)}, {C(1), C(1)}}), l, d;
    ASSERT_TRUE(MatLDL(a, l, d));
    // l10 = 1 / 2i = -0.5i; d1 = 1 - 1 * (-0.5i) = 1 + 0.5i.
    EXPECT_TRUE(MatrixNear(l, Rows{{1, 0}, {0, 1}}, 0.0, Rows{{0, 0}, {-0.5, 0}}));
    EXPECT_TRUE(MatrixNear(d, Rows{{0, 0}, {0, 1}}, 0.0, Rows{{2, 0}, {0, 0.5}}));
}

// A Hermitian matrix is factored with the conjugate: l10 = conj((1+i) / 2)
// = 0.5-0.5i, d1 = 3 - |1+i|^2 / 2 = 2, so that L*D*L^H = A with D real.
TEST(MatLDL, HermitianWithConjugation) {
    RCOMat a = mattest::ScalarRows({{C(2), C(1, 1)}, {C(1, -1), C(3)}}), l, d;
    ASSERT_TRUE(MatLDL(a, l, d));
    EXPECT_TRUE(MatrixNear(l, Rows{{1, 0}, {0.5, 1}}, 0.0, Rows{{0, 0}, {-0.5, 0}}));
    EXPECT_TRUE(MatrixNear(d, Rows{{2, 0}, {0, 2}}, 0.0, Rows{{0, 0}, {0, 0}}));
}

// Real and complex symmetric input is factored exactly as the routine
// without the Hermitian case does, bit for bit; so is complex input that
// is neither symmetric nor Hermitian.
TEST(MatLDL, NonHermitianInputIsUnchanged) {
    const RCOMat cases[] = {
        mattest::ScalarRows({{C(4), C(2), C(1)}, {C(2), C(5), C(3)}, {C(1), C(3), C(6)}}),
        mattest::ScalarRows({{C(0, 2), C(1, 1)}, {C(1, 1), C(1)}}),
        mattest::ScalarRows({{C(2), C(1, 1)}, {C(1, 1), C(3)}}),
        mattest::ScalarRows({{C(2, 1), C(1, 1)}, {C(1, -1), C(3)}}),
    };
    for (const RCOMat& m : cases) {
        RCOMat a = m, aRef = m, l, d, lRef, dRef;
        ASSERT_EQ(MatLDL(a, l, d), reference::MatLDL(aRef, lRef, dRef));
        EXPECT_TRUE(mattest::SameBits(l, lRef));
        EXPECT_TRUE(mattest::SameBits(d, dRef));
    }
}

// L*D*L^H = A on Hermitian positive definite matrices B*B^H + n*I.
TEST(MatLDLProperty, ReconstructsHermitianInput) {
    factortest::RandomMatrices gen(0x4E2);
    for (std::size_t n : {2U, 3U, 5U, 10U, 50U}) {
        const Dense re = gen.Make(factortest::Kind::Random, n, n), im = gen.Make(factortest::Kind::Random, n, n);
        RCOMat a(n, RCOVec(n));
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j) {
                long double sr = i == j ? static_cast<long double>(n) : 0.0L, si = 0.0L;
                for (std::size_t k = 0; k < n; ++k) {  // (B B^H)(i, j) = sum b(i,k) conj(b(j,k))
                    sr += static_cast<long double>(re[i][k]) * re[j][k] + static_cast<long double>(im[i][k]) * im[j][k];
                    si += static_cast<long double>(im[i][k]) * re[j][k] - static_cast<long double>(re[i][k]) * im[j][k];
                }
                a[i][j] = C(static_cast<double>(sr), i == j ? 0.0 : static_cast<double>(si));
            }
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < i; ++j) a[i][j] = ComplexConjugate(a[j][i]);
        SCOPED_TRACE(n);
        RCOMat work = a, l, d;
        ASSERT_TRUE(MatLDL(work, l, d));
        long double worst = 0, norm = 0;
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_EQ(ImagPart(d[i][i]), 0.0);
            for (std::size_t j = 0; j < n; ++j) {
                long double br = 0, bi = 0;  // (L D L^H)(i, j)
                for (std::size_t k = 0; k < n; ++k) {
                    const long double dk = RealPart(d[k][k]);
                    const long double lr = RealPart(l[i][k]), li = ImagPart(l[i][k]);
                    const long double mr = RealPart(l[j][k]), mi = -ImagPart(l[j][k]);
                    br += dk * (lr * mr - li * mi);
                    bi += dk * (lr * mi + li * mr);
                }
                const long double er = br - RealPart(a[i][j]), ei = bi - ImagPart(a[i][j]);
                worst = std::max(worst, std::sqrt(er * er + ei * ei));
                norm = std::max(norm, std::sqrt(static_cast<long double>(RealPart(a[i][j])) * RealPart(a[i][j]) +
                                                static_cast<long double>(ImagPart(a[i][j])) * ImagPart(a[i][j])));
            }
        }
        EXPECT_LT(static_cast<double>(worst / (static_cast<long double>(n) * norm * kEps)), 30.0);
    }
}

TEST(MatLDL, TinyPivotIsAScalarDivisionError) {
    // A pivot of modulus 1e-7: its squared modulus 1e-14 is refused as a divisor.
    RCOMat a = ComplexRows({{1e-7, 1}, {1, 1}}), l, d;
    EXPECT_EQ(mattest::ErrorOf([&] { MatLDL(a, l, d); }), "Division by zero");
}

TEST(MatLDL, EmptyAndOneByOne) {
    RCOMat a, l, d;
    EXPECT_TRUE(MatLDL(a, l, d));
    EXPECT_TRUE(l.empty());
    RCOMat one = ComplexRows({{-6}});
    ASSERT_TRUE(MatLDL(one, l, d));
    EXPECT_TRUE(MatrixNear(l, Rows{{1}}));
    EXPECT_TRUE(MatrixNear(d, Rows{{-6}}));
}

// ---- L*D*L' = A on well-conditioned symmetric matrices ---------------------

RCOMat ComplexFrom(const Dense& a) {
    RCOMat m(a.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        for (double v : a[i]) m[i].push_back(C(v));
    return m;
}

TEST(MatLDLProperty, ReconstructsSymmetricInput) {
    factortest::RandomMatrices gen(0x1D1);
    const std::size_t sizes[] = {1, 2, 3, 5, 10, 50};
    int checked = 0;
    double worst = 0.0;
    for (std::size_t n : sizes) {
        for (int kind = 0; kind < 2; ++kind) {
            const int repeats = n >= 50 ? 3 : 15;
            for (int rep = 0; rep < repeats; ++rep) {
                // Symmetric positive definite, or symmetric and diagonally dominant
                // with diagonal elements of either sign (indefinite).
                Dense a = gen.Make(kind == 0 ? factortest::Kind::Spd : factortest::Kind::Symmetric, n, n);
                if (kind == 1) {
                    for (std::size_t i = 0; i < n; ++i) {
                        double s = 0.0;
                        for (std::size_t j = 0; j < n; ++j)
                            if (j != i) s += std::fabs(a[i][j]);
                        a[i][i] = (gen.Int(0, 1) == 0 ? -1.0 : 1.0) * (s + 1.0);
                    }
                }
                SCOPED_TRACE(std::string(kind == 0 ? "spd " : "dominant ") + std::to_string(n));
                RCOMat work = ComplexFrom(a), l, d;
                ASSERT_TRUE(MatLDL(work, l, d));
                Dense ld = factortest::Zeros(n, n), dd = factortest::Zeros(n, n);
                for (std::size_t i = 0; i < n; ++i)
                    for (std::size_t j = 0; j < n; ++j) {
                        EXPECT_EQ(ImagPart(l[i][j]), 0.0);
                        ld[i][j] = RealPart(l[i][j]);
                        dd[i][j] = RealPart(d[i][j]);
                    }
                const Dense back = factortest::Multiply(factortest::Multiply(ld, dd), factortest::Transpose(ld));
                const double ratio = factortest::Norm1(factortest::Subtract(a, back)) /
                                     (static_cast<double>(n) * factortest::Norm1(a) * kEps);
                EXPECT_LT(ratio, 30.0);
                worst = std::max(worst, ratio);
#if QUORVIX_HAVE_EIGEN
                if (kind == 0) {
                    // Against the reference Cholesky factor: L*sqrt(D).
                    Eigen::MatrixXd ea(n, n);
                    for (std::size_t i = 0; i < n; ++i)
                        for (std::size_t j = 0; j < n; ++j) ea(i, j) = a[i][j];
                    const Eigen::MatrixXd lref = ea.llt().matrixL();
                    for (std::size_t i = 0; i < n; ++i) {
                        EXPECT_NEAR(std::sqrt(dd[i][i]), lref(i, i), 1e-12 * std::fabs(lref(i, i)));
                        for (std::size_t j = 0; j < i; ++j)
                            EXPECT_NEAR(ld[i][j] * std::sqrt(dd[j][j]), lref(i, j),
                                        1e-11 * std::sqrt(factortest::Norm1(a)));
                    }
                }
#endif
                ++checked;
            }
        }
    }
    std::cout << "[ checked  ] " << checked << " matrices; worst |A - LDL'|/(n |A| eps) " << worst << "\n";
}

}  // namespace
}  // namespace quorvix
