#pragma once
// Dense helpers and random matrices for the factorization property tests
// (QR, eigenvalues, SVD, LDL'). Matrices are plain rows of doubles; the
// routines under test get them as real Scalars.
//
// The random matrices come from one generator per test, seeded from
// QUORVIX_SEED (or a fixed default) mixed with the test's own salt; the seed is
// printed so that a failure can be replayed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/mat_test_util.h"
#include "core/matrice2.h"

namespace quorvix::factortest {

using Dense = std::vector<std::vector<double>>;

inline constexpr double kEps = std::numeric_limits<double>::epsilon();  // 2.2e-16

inline Dense Zeros(std::size_t rows, std::size_t cols) { return Dense(rows, std::vector<double>(cols, 0.0)); }

inline Dense Identity(std::size_t n) {
    Dense d = Zeros(n, n);
    for (std::size_t i = 0; i < n; ++i) d[i][i] = 1.0;
    return d;
}

inline RCOMat ToScalars(const Dense& d) {
    RCOMat m(d.size());
    for (std::size_t i = 0; i < d.size(); ++i)
        for (double v : d[i]) m[i].push_back(Scalar::Real(v));
    return m;
}

inline Dense ToDense(const RCOMat& m) {
    Dense d(m.size());
    for (std::size_t i = 0; i < m.size(); ++i)
        for (const Scalar& v : m[i]) d[i].push_back(ScalarToReal(v));
    return d;
}

inline std::size_t Rows(const Dense& d) { return d.size(); }
inline std::size_t Cols(const Dense& d) { return d.empty() ? 0 : d[0].size(); }

// Products and differences in long double, so that the check itself adds no
// rounding worth speaking of.
inline Dense Multiply(const Dense& a, const Dense& b) {
    Dense c = Zeros(Rows(a), Cols(b));
    for (std::size_t i = 0; i < Rows(a); ++i)
        for (std::size_t j = 0; j < Cols(b); ++j) {
            long double s = 0.0L;
            for (std::size_t k = 0; k < Cols(a); ++k) s += static_cast<long double>(a[i][k]) * b[k][j];
            c[i][j] = static_cast<double>(s);
        }
    return c;
}

inline Dense Transpose(const Dense& a) {
    Dense t = Zeros(Cols(a), Rows(a));
    for (std::size_t i = 0; i < Rows(a); ++i)
        for (std::size_t j = 0; j < Cols(a); ++j) t[j][i] = a[i][j];
    return t;
}

inline Dense Subtract(const Dense& a, const Dense& b) {
    Dense c = a;
    for (std::size_t i = 0; i < Rows(a); ++i)
        for (std::size_t j = 0; j < Cols(a); ++j) c[i][j] = a[i][j] - b[i][j];
    return c;
}

inline Dense Scaled(Dense a, double f) {
    for (auto& row : a)
        for (double& v : row) v *= f;
    return a;
}

// The 1-norm: the largest column sum of magnitudes.
inline double Norm1(const Dense& a) {
    long double best = 0.0L;
    for (std::size_t j = 0; j < Cols(a); ++j) {
        long double s = 0.0L;
        for (std::size_t i = 0; i < Rows(a); ++i) s += std::fabs(static_cast<long double>(a[i][j]));
        best = std::max(best, s);
    }
    return static_cast<double>(best);
}

// Kinds of random matrices.
enum class Kind { Random, DiagonallyDominant, Spd, Symmetric, LowRank, Huge, Tiny, Zero, Identity, Graded };

inline const char* KindName(Kind k) {
    switch (k) {
        case Kind::Random: return "random";
        case Kind::DiagonallyDominant: return "diagonally dominant";
        case Kind::Spd: return "symmetric positive definite";
        case Kind::Symmetric: return "symmetric";
        case Kind::LowRank: return "prescribed rank";
        case Kind::Huge: return "scaled near overflow";
        case Kind::Tiny: return "scaled near underflow";
        case Kind::Zero: return "zero";
        case Kind::Identity: return "identity";
        case Kind::Graded: return "graded";
    }
    return "?";
}

class RandomMatrices {
public:
    // `salt` keeps the tests' streams apart under one QUORVIX_SEED.
    explicit RandomMatrices(std::uint64_t salt) : seed_(mattest::TestSeed(20240611) ^ salt), gen_(seed_) {
        std::cout << "[ seed     ] QUORVIX_SEED=" << mattest::TestSeed(20240611) << " (stream " << seed_ << ")\n";
    }

    std::uint64_t Seed() const { return seed_; }

    double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(gen_); }
    double Normal() { return std::normal_distribution<double>(0.0, 1.0)(gen_); }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen_); }

    Dense Gaussian(std::size_t rows, std::size_t cols) {
        Dense d = Zeros(rows, cols);
        for (auto& row : d)
            for (double& v : row) v = Normal();
        return d;
    }

    // A matrix of the given kind. Square kinds (SPD, symmetric, diagonally
    // dominant, identity) use rows x rows when asked for another shape.
    Dense Make(Kind kind, std::size_t rows, std::size_t cols) {
        switch (kind) {
            case Kind::Random: return Gaussian(rows, cols);
            case Kind::DiagonallyDominant: {
                Dense d = Gaussian(rows, cols);
                for (std::size_t i = 0; i < std::min(rows, cols); ++i) {
                    double s = 0.0;
                    for (double v : d[i]) s += std::fabs(v);
                    d[i][i] = (d[i][i] < 0 ? -1.0 : 1.0) * (s + 1.0);
                }
                return d;
            }
            case Kind::Spd: {
                const Dense g = Gaussian(rows, rows);
                Dense d = Multiply(g, Transpose(g));
                for (std::size_t i = 0; i < rows; ++i) d[i][i] += static_cast<double>(rows);
                Symmetrize(d);
                return d;
            }
            case Kind::Symmetric: {
                Dense d = Gaussian(rows, rows);
                Symmetrize(d);
                return d;
            }
            case Kind::LowRank: {
                const std::size_t rank = static_cast<std::size_t>(Int(0, static_cast<int>(std::min(rows, cols))));
                if (rank == 0) return Zeros(rows, cols);
                return Multiply(Gaussian(rows, rank), Gaussian(rank, cols));
            }
            case Kind::Huge: return Scaled(Gaussian(rows, cols), 1e150);
            case Kind::Tiny: return Scaled(Gaussian(rows, cols), 1e-150);
            case Kind::Zero: return Zeros(rows, cols);
            case Kind::Identity: {
                Dense d = Zeros(rows, cols);
                for (std::size_t i = 0; i < std::min(rows, cols); ++i) d[i][i] = 1.0;
                return d;
            }
            case Kind::Graded: {
                // Columns spanning twelve orders of magnitude.
                Dense d = Gaussian(rows, cols);
                for (auto& row : d)
                    for (std::size_t j = 0; j < cols; ++j)
                        row[j] *= std::pow(10.0, -12.0 * static_cast<double>(j) /
                                                     static_cast<double>(std::max<std::size_t>(cols, 2) - 1));
                return d;
            }
        }
        return {};
    }

private:
    static void Symmetrize(Dense& d) {
        for (std::size_t i = 0; i < d.size(); ++i)
            for (std::size_t j = 0; j < i; ++j) d[i][j] = d[j][i];
    }

    std::uint64_t seed_;
    std::mt19937_64 gen_;
};

}  // namespace quorvix::factortest
