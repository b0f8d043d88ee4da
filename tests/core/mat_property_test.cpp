// Property tests of the inverse, determinant, rank and LU routines on random
// matrices, against Eigen as the reference. Residuals are compared as
// dimensionless ratios (LAPACK style), computed in extended precision so the
// check itself adds next to no error:
//   inverse:    ||A*X - I||_1 / (n * eps * ||A||_1 * ||X||_1)
//   LU:         ||L*U - A||_1 / (n * eps * ||L||_1 * ||U||_1)
//   packed LU:  ||M*P - U||_1 / (n * eps * ||M||_1 * ||P||_1)
// eps is the double's (2.2e-16): elements are stored as doubles. The bound
// for every ratio is kResidualBound (30): backward-stable elimination gives
// ratios of order 1 (over 200 seeds, some 60,000 matrices, the largest was 0.85),
// and the bound leaves an order of magnitude for unlucky growth without
// letting a lost digit through (a wrong pivot or a dropped term gives ratios
// of 1e3 and more).
//
// Complex matrices go through Scalar arithmetic, which stores parts of
// magnitude at most 1e-12 as 0 and refuses complex divisors of squared
// modulus at most 1e-12; the complex cases are therefore well scaled (entries
// of order 1, condition at most 1e4), where neither rule is met.
//
// The seed is printed; QUORVIX_SEED=<number> replays a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/mat_test_util.h"

#ifdef QUORVIX_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace quorvix {
namespace {

using namespace mattest;

#ifdef QUORVIX_HAVE_EIGEN

constexpr double kEps = std::numeric_limits<double>::epsilon();
constexpr double kResidualBound = 30.0;
constexpr std::uint64_t kDefaultSeed = 20260611;
constexpr int kCasesPerKind = 60;

using CplxL = std::complex<long double>;
using MatL = Eigen::Matrix<CplxL, Eigen::Dynamic, Eigen::Dynamic>;
using MatC = Eigen::MatrixXcd;
using MatD = Eigen::MatrixXd;

std::uint64_t SeedFor(std::uint64_t salt) {
    const std::uint64_t base = TestSeed(kDefaultSeed);
    std::cout << "[ seed     ] QUORVIX_SEED=" << base << "\n";
    ::testing::Test::RecordProperty("seed", std::to_string(base));
    return base * 1000003u + salt;
}

enum class Kind { Random, DiagonallyDominant, IllConditioned, ScaledUp, ScaledDown };

const char* KindName(Kind k) {
    switch (k) {
        case Kind::Random: return "random";
        case Kind::DiagonallyDominant: return "diagonally dominant";
        case Kind::IllConditioned: return "ill-conditioned";
        case Kind::ScaledUp: return "scaled up";
        case Kind::ScaledDown: return "scaled down";
    }
    return "?";
}

// A random unitary (orthogonal when real) matrix from a QR factorization.
MatC RandomUnitary(int n, bool complex, std::mt19937_64& rng) {
    std::normal_distribution<double> g;
    MatC m(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) m(i, j) = {g(rng), complex ? g(rng) : 0.0};
    Eigen::HouseholderQR<MatC> qr(m);
    return qr.householderQ() * MatC::Identity(n, n);
}

// A test matrix of the given kind. `cond` bounds the condition number of the
// ill-conditioned kind (singular values spread geometrically from 1 to 1/cond).
MatC MakeMatrix(Kind kind, int n, bool complex, double cond, std::mt19937_64& rng) {
    std::normal_distribution<double> g;
    MatC m(n, n);
    switch (kind) {
        case Kind::Random:
        case Kind::ScaledUp:
        case Kind::ScaledDown:
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) m(i, j) = {g(rng), complex ? g(rng) : 0.0};
            // Kept where the inverse's elements stay well above 1e-12: the
            // inverse is stored as complex Scalars, whose tiny parts are flushed.
            if (kind == Kind::ScaledUp) m *= 1e4;
            if (kind == Kind::ScaledDown) m *= 1e-3;
            break;
        case Kind::DiagonallyDominant:
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) m(i, j) = {g(rng), complex ? g(rng) : 0.0};
            for (int i = 0; i < n; ++i) m(i, i) += 2.0 * n;
            break;
        case Kind::IllConditioned: {
            Eigen::VectorXd s(n);
            for (int i = 0; i < n; ++i) s(i) = n == 1 ? 1.0 : std::pow(cond, -double(i) / (n - 1));
            m = RandomUnitary(n, complex, rng) * s.cast<std::complex<double>>().asDiagonal() *
                RandomUnitary(n, complex, rng);
            break;
        }
    }
    return m;
}

// The Scalar matrix of the library: complex Scalars (as the editors' reader
// makes them) or real Scalars. Reading back gives the matrix as stored, after
// the flush of tiny complex parts.
RCOMat ToScalars(const MatC& m, bool complex) {
    RCOMat r;
    SizeMatrix(r, static_cast<std::int32_t>(m.rows()), static_cast<std::int32_t>(m.cols()));
    for (int i = 0; i < m.rows(); ++i)
        for (int j = 0; j < m.cols(); ++j) r[i][j] = complex ? C(m(i, j).real(), m(i, j).imag()) : R(m(i, j).real());
    return r;
}

MatL ToExtended(const RCOMat& m, int rows, int cols) {
    MatL r(rows, cols);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) r(i, j) = CplxL(RealPart(m[i][j]), ImagPart(m[i][j]));
    return r;
}

MatC ToDouble(const RCOMat& m) {
    MatC r(static_cast<int>(m.size()), m.empty() ? 0 : static_cast<int>(m[0].size()));
    for (int i = 0; i < r.rows(); ++i)
        for (int j = 0; j < r.cols(); ++j) r(i, j) = {RealPart(m[i][j]), ImagPart(m[i][j])};
    return r;
}

long double Norm1(const MatL& m) {
    long double best = 0;
    for (int j = 0; j < m.cols(); ++j) {
        long double sum = 0;
        for (int i = 0; i < m.rows(); ++i) sum += std::abs(m(i, j));
        best = std::max(best, sum);
    }
    return best;
}

double InverseRatio(const MatL& a, const MatL& x) {
    const int n = static_cast<int>(a.rows());
    const MatL r = a * x - MatL::Identity(n, n);
    return static_cast<double>(Norm1(r) / (n * kEps * Norm1(a) * Norm1(x)));
}

struct Case {
    Kind kind;
    int n;
    bool complex;
};

std::string Describe(const Case& c, std::uint64_t seed) {
    return std::string(KindName(c.kind)) + (c.complex ? " complex" : " real") + " n=" + std::to_string(c.n) +
           " case seed " + std::to_string(seed);
}

// ---- MatInverse -------------------------------------------------------------

TEST(MatInverseProperty, ResidualAgainstIdentity) {
    std::mt19937_64 rng(SeedFor(1));
    double worst = 0;
    int count = 0;
    for (Kind kind : {Kind::Random, Kind::DiagonallyDominant, Kind::IllConditioned, Kind::ScaledUp, Kind::ScaledDown})
        for (bool complex : {false, true})
            for (int c = 0; c < kCasesPerKind / 2; ++c) {
                const std::uint64_t caseSeed = rng();
                std::mt19937_64 local(caseSeed);
                const Case cs{kind, 1 + static_cast<int>(caseSeed % 12), complex};
                const MatC m = MakeMatrix(kind, cs.n, complex, 1e8, local);
                const RCOMat a = ToScalars(m, true);
                const MatL al = ToExtended(a, cs.n, cs.n);
                RCoVecD re(cs.n * cs.n), im(cs.n * cs.n);
                for (int i = 0; i < cs.n; ++i)
                    for (int j = 0; j < cs.n; ++j) {
                        re[i * cs.n + j] = RealPart(a[i][j]);
                        im[i * cs.n + j] = ImagPart(a[i][j]);
                    }
                RCOMat inv;
                ASSERT_FALSE(MatInverse(cs.n, re, im, inv)) << Describe(cs, caseSeed);
                for (const RCOVec& row : inv)
                    for (const Scalar& v : row) ASSERT_TRUE(IsComplex(v));
                const double ratio = InverseRatio(al, ToExtended(inv, cs.n, cs.n));
                worst = std::max(worst, ratio);
                ++count;
                EXPECT_LT(ratio, kResidualBound) << Describe(cs, caseSeed);
            }
    std::cout << "[ worst    ] MatInverse " << worst << " over " << count << " matrices\n";
}

// Integer matrices of rank below their order: the elimination leaves a block
// of rounding residue far below the singularity threshold.
MatD IntegerOfRank(int m, int n, int r, std::mt19937_64& rng) {
    std::uniform_int_distribution<int> d(-3, 3);
    MatD b(m, r), c(r, n);
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < r; ++j) b(i, j) = d(rng);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < n; ++j) c(i, j) = d(rng);
    return r == 0 ? MatD::Zero(m, n) : MatD(b * c);
}

TEST(MatInverseProperty, SingularIntegerMatricesHaveNoResult) {
    std::mt19937_64 rng(SeedFor(2));
    for (int c = 0; c < kCasesPerKind; ++c) {
        const std::uint64_t caseSeed = rng();
        std::mt19937_64 local(caseSeed);
        const int n = 2 + static_cast<int>(caseSeed % 11);
        const int r = static_cast<int>(local() % n);
        const MatD m = IntegerOfRank(n, n, r, local);
        RCoVecD re(m.data(), m.data() + n * n), im(n * n, 0.0);
        RCOMat inv;
        EXPECT_TRUE(MatInverse(n, re, im, inv)) << "n=" << n << " rank " << r << " case seed " << caseSeed;
        EXPECT_EQ(inv.size(), static_cast<std::size_t>(n));
    }
}

// ---- MatInvertLU ------------------------------------------------------------

TEST(MatInvertLUProperty, ResidualAgainstIdentity) {
    std::mt19937_64 rng(SeedFor(3));
    double worst = 0;
    int count = 0;
    for (Kind kind : {Kind::Random, Kind::DiagonallyDominant, Kind::IllConditioned, Kind::ScaledUp})
        for (bool complex : {false, true})
            for (int c = 0; c < kCasesPerKind / 2; ++c) {
                const std::uint64_t caseSeed = rng();
                std::mt19937_64 local(caseSeed);
                const Case cs{kind, 1 + static_cast<int>(caseSeed % 12), complex};
                // Real Scalars have no flush and no division threshold, so they
                // take the badly conditioned matrices; complex ones stay well scaled.
                const double cond = complex ? 1e4 : 1e10;
                if (complex && kind == Kind::ScaledUp) continue;
                const MatC m = MakeMatrix(kind, cs.n, complex, cond, local);
                RCOMat a = ToScalars(m, complex);
                const MatL al = ToExtended(a, cs.n, cs.n);
                RCOMat inv;
                ASSERT_EQ(MatInvertLU(a, inv), MatStatus::Ok) << Describe(cs, caseSeed);
                ASSERT_EQ(inv.size(), static_cast<std::size_t>(cs.n));
                if (!complex) {
                    for (const RCOVec& row : inv)
                        for (const Scalar& v : row) ASSERT_FALSE(IsComplex(v));
                }
                const double ratio = InverseRatio(al, ToExtended(inv, cs.n, cs.n));
                worst = std::max(worst, ratio);
                ++count;
                EXPECT_LT(ratio, kResidualBound) << Describe(cs, caseSeed);
            }
    std::cout << "[ worst    ] MatInvertLU " << worst << " over " << count << " matrices\n";
}

TEST(MatLUDecomposeProperty, PackedFactorsRebuildThePivotedMatrix) {
    std::mt19937_64 rng(SeedFor(4));
    double worst = 0;
    for (Kind kind : {Kind::Random, Kind::IllConditioned})
        for (bool complex : {false, true})
            for (int c = 0; c < kCasesPerKind / 2; ++c) {
                const std::uint64_t caseSeed = rng();
                std::mt19937_64 local(caseSeed);
                const Case cs{kind, 1 + static_cast<int>(caseSeed % 12), complex};
                const MatC m = MakeMatrix(kind, cs.n, complex, complex ? 1e4 : 1e10, local);
                RCOMat a = ToScalars(m, complex);
                const MatL al = ToExtended(a, cs.n, cs.n);
                RCoVecE rowPerm, colPerm;
                ASSERT_EQ(MatLUDecompose(cs.n, a, rowPerm, colPerm), MatStatus::Ok) << Describe(cs, caseSeed);
                const int n = cs.n;
                MatL p(n, n), mm = MatL::Zero(n, n), u = MatL::Zero(n, n);
                for (int i = 0; i < n; ++i)
                    for (int j = 0; j < n; ++j) {
                        p(i, j) = al(rowPerm[i], colPerm[j]);
                        const CplxL v(RealPart(a[i][j]), ImagPart(a[i][j]));
                        if (j < i)
                            mm(i, j) = v;
                        else
                            u(i, j) = v;
                    }
                for (int i = 0; i < n; ++i) mm(i, i) = 1;
                // Each pivot was the largest |re| + |im| of its block; row k of U
                // is not changed after step k (later column exchanges only
                // permute it), so no element to the right of a pivot is larger.
                auto magnitude = [](const Scalar& v) { return std::fabs(RealPart(v)) + std::fabs(ImagPart(v)); };
                for (int k = 0; k < n; ++k)
                    for (int j = k + 1; j < n; ++j) EXPECT_LE(magnitude(a[k][j]), magnitude(a[k][k]));
                const double ratio = static_cast<double>(Norm1(mm * p - u) / (n * kEps * Norm1(mm) * Norm1(p)));
                worst = std::max(worst, ratio);
                EXPECT_LT(ratio, kResidualBound) << Describe(cs, caseSeed);
            }
    std::cout << "[ worst    ] MatLUDecompose " << worst << "\n";
}

// ---- MatDeterminant ----------------------------------------------------------

TEST(MatDeterminantProperty, AgreesWithEigen) {
    std::mt19937_64 rng(SeedFor(5));
    double worst = 0;
    for (Kind kind : {Kind::Random, Kind::DiagonallyDominant, Kind::IllConditioned})
        for (bool complex : {false, true})
            for (int c = 0; c < kCasesPerKind / 2; ++c) {
                const std::uint64_t caseSeed = rng();
                std::mt19937_64 local(caseSeed);
                const Case cs{kind, 1 + static_cast<int>(caseSeed % 12), complex};
                MatC m = MakeMatrix(kind, cs.n, complex, 1e3, local);
                // Singular values from 1e3 down to 1: every pivot stays far above
                // the 0.00005 below which a block counts as zero.
                if (kind == Kind::IllConditioned) m *= 1e3;
                RCOMat a = ToScalars(m, true);
                const MatC stored = ToDouble(a);
                const std::complex<double> want = stored.fullPivLu().determinant();
                const Scalar got = MatDeterminant(a, cs.n, cs.n);
                const std::complex<double> g(RealPart(got), ImagPart(got));
                const double rel = std::abs(g - want) / std::abs(want);
                worst = std::max(worst, rel);
                // Relative error of a determinant grows like n * eps * cond; the
                // matrices here have condition at most about 1e3.
                EXPECT_LT(rel, 1e-10) << Describe(cs, caseSeed);
            }
    std::cout << "[ worst    ] MatDeterminant relative error " << worst << "\n";
}

TEST(MatDeterminantProperty, PrescribedIntegerDeterminant) {
    // A = L*U with unit lower L and upper U of small integers: det A is the
    // product of U's diagonal, an exact integer.
    std::mt19937_64 rng(SeedFor(6));
    std::uniform_int_distribution<int> small(-2, 2), diag(1, 3);
    for (int c = 0; c < kCasesPerKind; ++c) {
        const std::uint64_t caseSeed = rng();
        std::mt19937_64 local(caseSeed);
        const int n = 1 + static_cast<int>(caseSeed % 10);
        MatD l = MatD::Identity(n, n), u = MatD::Zero(n, n);
        double det = 1;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < i; ++j) l(i, j) = small(local);
            for (int j = i + 1; j < n; ++j) u(i, j) = small(local);
            u(i, i) = diag(local) * (local() % 2 ? -1 : 1);
            det *= u(i, i);
        }
        const MatD m = l * u;
        RCOMat a = ToScalars(m.cast<std::complex<double>>(), true);
        const Scalar got = MatDeterminant(a, n, n);
        EXPECT_NEAR(RealPart(got), det, 1e-9 * std::fabs(det)) << "n=" << n << " case seed " << caseSeed;
        EXPECT_EQ(ImagPart(got), 0.0);
    }
}

// ---- MatRank -----------------------------------------------------------------

TEST(MatRankProperty, IntegerMatricesOfPrescribedRank) {
    // Integer matrices read as complex Scalars, as the editors give them: the
    // rounding residue of an eliminated block is flushed to exact zero.
    std::mt19937_64 rng(SeedFor(7));
    int count = 0;
    for (int c = 0; c < 5 * kCasesPerKind; ++c) {
        const std::uint64_t caseSeed = rng();
        std::mt19937_64 local(caseSeed);
        const int m = 1 + static_cast<int>(local() % 12);
        const int n = 1 + static_cast<int>(local() % 12);
        const int r = static_cast<int>(local() % (std::min(m, n) + 1));
        const MatD x = IntegerOfRank(m, n, r, local);
        const int want = static_cast<int>(Eigen::FullPivLU<MatD>(x).rank());
        RCOMat a = ToScalars(x.cast<std::complex<double>>(), true);
        EXPECT_EQ(MatRank(a, m, n), static_cast<double>(want))
            << m << "x" << n << " built with rank " << r << ", case seed " << caseSeed;
        ++count;
    }
    std::cout << "[ cases    ] MatRank " << count << " matrices\n";
}

TEST(MatRankProperty, FullRankRandomMatrices) {
    std::mt19937_64 rng(SeedFor(8));
    std::normal_distribution<double> g;
    for (int c = 0; c < kCasesPerKind; ++c) {
        const std::uint64_t caseSeed = rng();
        std::mt19937_64 local(caseSeed);
        const int m = 1 + static_cast<int>(local() % 12);
        const int n = 1 + static_cast<int>(local() % 12);
        MatC x(m, n);
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < n; ++j) x(i, j) = {g(local), 0.0};
        RCOMat a = ToScalars(x, true);
        EXPECT_EQ(MatRank(a, m, n), static_cast<double>(std::min(m, n))) << "case seed " << caseSeed;
    }
}

// ---- MatLU -------------------------------------------------------------------

TEST(MatLUProperty, FactorsRebuildTheMatrix) {
    std::mt19937_64 rng(SeedFor(9));
    double worst = 0;
    for (Kind kind : {Kind::Random, Kind::DiagonallyDominant})
        for (bool complex : {false, true})
            for (int c = 0; c < kCasesPerKind / 2; ++c) {
                const std::uint64_t caseSeed = rng();
                std::mt19937_64 local(caseSeed);
                const Case cs{kind, 1 + static_cast<int>(caseSeed % 12), complex};
                const int n = cs.n;
                const MatC m = MakeMatrix(kind, n, complex, 1, local);
                RCOMat a = ToScalars(m, complex || kind == Kind::DiagonallyDominant);
                const MatL al = ToExtended(a, n, n);
                RCOMat l, u;
                SizeMatrix(l, n, n);
                SizeMatrix(u, n, n);
                std::int32_t result = 0;
                try {
                    result = MatLU(a, l, u, n, n);
                } catch (const CalcError&) {
                    // Without pivoting a random complex matrix can meet a pivot
                    // small enough for the Scalar division to refuse.
                    ASSERT_TRUE(complex && kind == Kind::Random) << Describe(cs, caseSeed);
                    continue;
                }
                ASSERT_EQ(result, 1) << Describe(cs, caseSeed);
                const MatL ll = ToExtended(l, n, n), ul = ToExtended(u, n, n);
                for (int i = 0; i < n; ++i)
                    for (int j = 0; j < n; ++j) {
                        if (j > i) {
                            EXPECT_EQ(ll(i, j), CplxL(0));
                        } else if (j == i) {
                            EXPECT_EQ(ll(i, j), CplxL(1));
                        } else {
                            EXPECT_EQ(ul(i, j), CplxL(0));
                        }
                    }
                const double ratio = static_cast<double>(Norm1(ll * ul - al) / (n * kEps * Norm1(ll) * Norm1(ul)));
                worst = std::max(worst, ratio);
                EXPECT_LT(ratio, kResidualBound) << Describe(cs, caseSeed);
            }
    std::cout << "[ worst    ] MatLU " << worst << "\n";
}

#else

TEST(MatProperty, NeedsEigen) { GTEST_SKIP() << "Eigen3 was not found; the property tests need it"; }

#endif

}  // namespace
}  // namespace quorvix
