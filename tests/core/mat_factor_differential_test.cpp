// MatQR, the eigenvalue routines and MatSVD against the reference routines,
// bit for bit (every stored double, the fault raised), with 1 and 4 threads.
#include "core/differential_util.h"

namespace quorvix {
namespace {

using namespace difftest;

// A real operand as the real-only reader makes it, values of one family.
RCOMat RealOperand(std::mt19937_64& rng, int rows, int cols, Values v) {
    return RandomMatrix(rng, rows, cols, v, Kinds::Real);
}

Values RandomValues(std::mt19937_64& rng) { return static_cast<Values>(rng() % static_cast<int>(Values::Count)); }

TEST_P(Differential, MatQR) {
    std::mt19937_64 rng(Seed(9));
    for (int c = 0; c < 1000; ++c) {
        const bool large = c >= 997;
        const int n = large ? 100 + 50 * (c - 997) : RandomSize(rng);
        const int m = large ? n + 30 : n + (rng() % 3 == 0 ? RandomSize(rng) : 0);
        const Values v = RandomValues(rng);
        SCOPED_TRACE("case " + std::to_string(c) + ": " + std::to_string(m) + "x" + std::to_string(n) + ", " + Name(v));
        const RCOMat op = RealOperand(rng, m, n, v);
        RCOMat a = op, aRef = op, q, qRef;
        SizeMatrix(q, m, m);
        SizeMatrix(qRef, m, m);
        EXPECT_EQ(Raised([&] { MatQR(a, m, n, q); }), Raised([&] { reference::MatQR(aRef, m, n, qRef); }));
        EXPECT_TRUE(SameBits(a, aRef));
        EXPECT_TRUE(SameBits(q, qRef));
    }
}

RCOMat LeadingColumns(const RCOMat& m, int cols) {
    RCOMat out;
    for (const RCOVec& row : m) out.emplace_back(row.begin(), row.begin() + cols);
    return out;
}

// max |(U'U - I)(i, j)|.
double OrthogonalityError(const RCOMat& u) {
    const std::size_t m = u.size();
    double worst = 0;
    for (std::size_t i = 0; i < m; ++i)
        for (std::size_t j = 0; j < m; ++j) {
            long double dot = 0;
            for (std::size_t k = 0; k < m; ++k) dot += static_cast<long double>(RealPart(u[k][i])) * RealPart(u[k][j]);
            worst = std::max(worst, static_cast<double>(std::fabs(dot - (i == j ? 1.0L : 0.0L))));
        }
    return worst;
}

TEST_P(Differential, MatSVD) {
    std::mt19937_64 rng(Seed(10));
    for (int c = 0; c < 600; ++c) {
        const bool large = c >= 597;
        const int m = large ? 90 + 60 * (c - 597) : RandomSize(rng);
        const int n = large ? 120 : rng() % 3 == 0 ? m : RandomSize(rng);
        const Values v = RandomValues(rng);
        const long double tol = rng() % 4 == 0 ? 1e-8L : 1e-15L;
        SCOPED_TRACE("case " + std::to_string(c) + ": " + std::to_string(m) + "x" + std::to_string(n) + ", " + Name(v));
        const RCOMat op = RealOperand(rng, m, n, v);
        RCOMat a = op, aRef = op, u, uRef, w, wRef;
        SizeMatrix(u, m, m);
        SizeMatrix(uRef, m, m);
        SizeMatrix(w, n, n);
        SizeMatrix(wRef, n, n);
        std::int32_t result = 7, resultRef = 7;
        EXPECT_EQ(Raised([&] { result = MatSVD(a, u, w, tol, m, n); }),
                  Raised([&] { resultRef = reference::MatSVD(aRef, uRef, wRef, tol, m, n); }));
        EXPECT_EQ(result, resultRef);
        EXPECT_TRUE(SameBits(a, aRef));
        // The reference leaves U's last m - n columns zero; MatSVD completes
        // them: the columns the iteration makes are the same bit for bit,
        // and U is orthogonal.
        if (m > n && n > 0 && result == 1 && resultRef == 1) {
            EXPECT_TRUE(SameBits(LeadingColumns(u, n), LeadingColumns(uRef, n)));
            EXPECT_LT(OrthogonalityError(u), 1e-13 * m);
        } else {
            EXPECT_TRUE(SameBits(u, uRef));
        }
        EXPECT_TRUE(SameBits(w, wRef));
    }
}

::testing::AssertionResult SameBits(const matrx2& a, const matrx2& b) {
    RCOMat x(a.begin(), a.end()), y(b.begin(), b.end());
    return mattest::SameBits(x, y);
}

TEST_P(Differential, EigenvalueRoutines) {
    std::mt19937_64 rng(Seed(11));
    for (int c = 0; c < 800; ++c) {
        const int n = c < 797 ? RandomSize(rng) : 100 + 60 * (c - 797);
        const Values v = RandomValues(rng);
        SCOPED_TRACE("case " + std::to_string(c) + ": " + std::to_string(n) + "x" + std::to_string(n) + ", " + Name(v));
        const RCOMat op = RealOperand(rng, n, n, v);
        matrx2 w;
        w.assign(static_cast<std::size_t>(n) + 1, std::vector<Scalar>(static_cast<std::size_t>(n) + 1));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) w[i + 1][j + 1] = op[i][j];
        matrx2 wRef = w;
        RCoVecD re(static_cast<std::size_t>(n) + 1, 0.0), im(re), reRef(re), imRef(re);
        bool done = false, doneRef = false;
        EXPECT_EQ(Raised([&] { MatBalance(w, n); }), Raised([&] { reference::MatBalance(wRef, n); }));
        EXPECT_TRUE(SameBits(w, wRef));
        EXPECT_EQ(Raised([&] { MatHessenberg(w, n); }), Raised([&] { reference::MatHessenberg(wRef, n); }));
        EXPECT_TRUE(SameBits(w, wRef));
        EXPECT_EQ(Raised([&] { done = MatEigenvalues(w, n, re, im) == 0; }),
                  Raised([&] { doneRef = reference::MatEigenvalues(wRef, n, reRef, imRef); }));
        EXPECT_EQ(done, doneRef);
        EXPECT_TRUE(SameBits(w, wRef));
        for (std::size_t k = 0; k < re.size(); ++k) {
            EXPECT_TRUE(mattest::SameBits(re[k], reRef[k])) << k;
            EXPECT_TRUE(mattest::SameBits(im[k], imRef[k])) << k;
        }
    }
}

}  // namespace
}  // namespace quorvix
