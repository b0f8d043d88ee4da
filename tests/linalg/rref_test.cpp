// Rref: textbook cases with known forms, the identity for any invertible
// matrix, and random matrices of known rank, whose form must have nonzero
// rows with leading ones above its zero rows, unit pivot columns, at least
// that many pivots, and rebuild A as C·R (C the pivot columns of A, R the
// nonzero rows: the CR factorization).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "linalg/norms.h"
#include "linalg/rref.h"
#include "linalg_test_util.h"

namespace quorvix::linalg {
namespace {

using namespace test;

struct RrefCase {
    const char* name;
    RealMatrix a, expected;
};

std::vector<RrefCase> RrefCases() {
    return {
        {"invertible", FromRows<double>({{2, 1, -1}, {-3, -1, 2}, {-2, 1, 2}}), RealMatrix::Identity(3)},
        {"augmented system", FromRows<double>({{1, 2, -1, -4}, {2, 3, -1, -11}, {-2, 0, -3, 22}}),
         FromRows<double>({{1, 0, 0, -8}, {0, 1, 0, 1}, {0, 0, 1, -2}})},
        {"dependent rows", FromRows<double>({{1, 2, 3}, {2, 4, 6}}), FromRows<double>({{1, 2, 3}, {0, 0, 0}})},
        {"zero column first", FromRows<double>({{0, 1, 2}, {0, 2, 5}}), FromRows<double>({{0, 1, 0}, {0, 0, 1}})},
        {"tall", FromRows<double>({{1, 2}, {3, 4}, {5, 6}}), FromRows<double>({{1, 0}, {0, 1}, {0, 0}})},
        // 1e-17 is below max(m, n)·eps·‖A‖∞ = 3·eps·2: the second column
        // gets no pivot (as a pivot it would leave 1e17 in the form).
        {"entry below the tolerance", FromRows<double>({{1, 1, 0}, {0, 1e-17, 1}}),
         FromRows<double>({{1, 1, 0}, {0, 0, 1}})},
        {"zero", RealMatrix(2, 2), RealMatrix(2, 2)},
        {"1 x 1", FromRows<double>({{-0.25}}), FromRows<double>({{1}})},
    };
}

class RrefKnown : public ::testing::TestWithParam<std::tuple<std::size_t, Element>> {};

TEST_P(RrefKnown, GivesTheTextbookForm) {
    const RrefCase c = RrefCases()[std::get<0>(GetParam())];
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        // The complex run multiplies A by a unit complex factor, which
        // leaves the form as it is.
        T factor{1};
        if constexpr (std::is_same_v<T, Complex>) factor = Complex(0.8, 0.6);
        Matrix<T> a(c.a.Rows(), c.a.Cols()), expected(c.a.Rows(), c.a.Cols());
        for (std::size_t k = 0; k < a.Size(); ++k) {
            a.Data()[k] = factor * c.a.Data()[k];
            expected.Data()[k] = c.expected.Data()[k];
        }
        EXPECT_LT(RelativeDifference(Rref(a), expected), 16 * kEps) << c.name;
    });
}

INSTANTIATE_TEST_SUITE_P(Cases, RrefKnown,
                         ::testing::Combine(::testing::Range<std::size_t>(0, 8),
                                            ::testing::Values(Element::Real, Element::Complex)),
                         [](const auto& info) {
                             std::string name = RrefCases()[std::get<0>(info.param)].name;
                             for (char& ch : name)
                                 if (ch == ' ') ch = '_';
                             return name + "_" + ElementName(std::get<1>(info.param));
                         });

struct RankCase {
    int rows, cols, rank;
};

// An m x n matrix of rank k whose nonzero singular values lie in [1, 2]:
// Q1(:, 1:k)·diag(1..2)·Q2(1:k, :) for random reflections Q1, Q2, so that no
// pivot of the rank's part comes near the tolerance.
template <typename T>
Matrix<T> WellConditionedOfRank(std::int32_t m, std::int32_t n, std::int32_t k, std::mt19937_64& rng) {
    const Matrix<T> q1 = Reflection<T>(m, rng), q2 = Reflection<T>(n, rng);
    std::uniform_real_distribution<double> spread(1.0, 2.0);
    Matrix<T> left(m, k), right(k, n);
    for (std::int32_t j = 0; j < k; ++j) {
        const double s = spread(rng);
        for (std::int32_t i = 0; i < m; ++i) left(i, j) = q1(i, j) * s;
        for (std::int32_t i = 0; i < n; ++i) right(j, i) = q2(j, i);
    }
    return Product(left, right);
}

class RrefOfRank : public ::testing::TestWithParam<std::tuple<RankCase, Element>> {};

TEST_P(RrefOfRank, HasRankLeadingOnesAndRebuildsAAsCR) {
    const RankCase c = std::get<0>(GetParam());
    WithElement(std::get<1>(GetParam()), [&](auto t) {
        using T = decltype(t);
        std::mt19937_64 rng(Seed(800 + 1000 * c.rows + 10 * c.cols + c.rank));
        const Matrix<T> a = WellConditionedOfRank<T>(c.rows, c.cols, c.rank, rng);
        const Matrix<T> r = Rref(a);
        // The pivot columns: the first nonzero of each nonzero row is 1 and
        // its column is that unit vector; rows below the rank are zero.
        std::vector<std::int32_t> pivots;
        for (std::int32_t i = 0; i < c.rows; ++i) {
            std::int32_t lead = -1;
            for (std::int32_t j = 0; j < c.cols && lead < 0; ++j)
                if (r(i, j) != T{0}) lead = j;
            if (lead < 0) continue;
            ASSERT_EQ(static_cast<std::int32_t>(pivots.size()), i) << "a nonzero row below a zero row";
            if (!pivots.empty()) {
                ASSERT_GT(lead, pivots.back());
            }
            for (std::int32_t k = 0; k < c.rows; ++k) ASSERT_EQ(r(k, lead), T(k == i ? 1 : 0));
            pivots.push_back(lead);
        }
        // Elimination leaves rounding of a few eps·‖A‖ where the rank ends,
        // which can exceed the tolerance and make a pivot of its own: the
        // form never has fewer pivots than the rank, and exactly as many
        // when there is nothing to eliminate to zero.
        const auto found = static_cast<int>(pivots.size());
        EXPECT_GE(found, c.rank);
        if (c.rank == 0 || c.rank == std::min(c.rows, c.cols)) {
            EXPECT_EQ(found, c.rank);
        }
        // A = C·R with C = A(:, pivots), R the nonzero rows.
        Matrix<T> cols(c.rows, static_cast<std::int32_t>(pivots.size()));
        Matrix<T> rows(static_cast<std::int32_t>(pivots.size()), c.cols);
        for (std::size_t k = 0; k < pivots.size(); ++k) {
            const auto kk = static_cast<std::int32_t>(k);
            for (std::int32_t i = 0; i < c.rows; ++i) cols(i, kk) = a(i, pivots[k]);
            for (std::int32_t j = 0; j < c.cols; ++j) rows(kk, j) = r(kk, j);
        }
        if (c.rank > 0) {
            EXPECT_LT(RelativeDifference(Product(cols, rows), a), 1e3 * c.cols * kEps);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Cases, RrefOfRank,
                         ::testing::Combine(::testing::Values(RankCase{5, 5, 5}, RankCase{5, 5, 3}, RankCase{10, 10, 1},
                                                              RankCase{4, 8, 4}, RankCase{8, 4, 4},
                                                              RankCase{20, 30, 12}, RankCase{50, 50, 49},
                                                              RankCase{3, 3, 0}),
                                            ::testing::Values(Element::Real, Element::Complex)),
                         [](const auto& info) {
                             const RankCase c = std::get<0>(info.param);
                             return std::to_string(c.rows) + "x" + std::to_string(c.cols) + "_rank" +
                                    std::to_string(c.rank) + "_" + ElementName(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace quorvix::linalg
