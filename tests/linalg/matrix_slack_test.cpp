// Regression: OpenBLAS 0.3.21's gemv kernels read past the end of the
// matrix gesdd hands them for some sizes; quorvix-cli 'Sv(A)' of a complex
// 280 x 280 to 301 x 301 matrix faulted where the matrix's storage ended at
// the end of a mapped page. Every Matrix keeps zeros after its elements, as
// far as those kernels read.
#include <gtest/gtest.h>

#include <random>

#include "linalg/matrix.h"
#include "linalg/singular_values.h"

namespace quorvix::linalg {
namespace {

TEST(MatrixSlack, ZerosFollowTheLastElementAndSurviveACopy) {
    for (auto [m, n] : {std::pair{1, 1}, {3, 7}, {300, 300}}) {
        ComplexMatrix a(m, n);
        for (std::size_t k = 0; k < a.Size(); ++k) a.Data()[k] = Complex(1, 1);
        const ComplexMatrix copy = a;
        EXPECT_EQ(copy.Size(), static_cast<std::size_t>(m) * static_cast<std::size_t>(n));
        // Four columns and 64 elements more.
        const std::size_t slack = 4 * static_cast<std::size_t>(m) + 64;
        for (std::size_t k = 0; k < slack; ++k) ASSERT_EQ(copy.Data()[copy.Size() + k], Complex(0, 0)) << k;
    }
}

TEST(MatrixSlack, ComplexSingularValuesAtTheSizesThatFaulted) {
    std::mt19937_64 rng(20261209);
    std::uniform_int_distribution<int> hundredths(-100, 100);
    for (std::int32_t n : {280, 299, 300}) {
        ComplexMatrix a(n, n);
        for (std::size_t k = 0; k < a.Size(); ++k)
            a.Data()[k] = Complex(hundredths(rng) / 100.0, hundredths(rng) / 100.0);
        const std::vector<double> s = SingularValues(a);
        ASSERT_EQ(s.size(), static_cast<std::size_t>(n));
        EXPECT_GT(s.front(), s.back());
    }
}

}  // namespace
}  // namespace quorvix::linalg
