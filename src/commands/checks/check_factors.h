#pragma once
// What the factorization checks share: the residual of a product of factors
// against the matrix it must give, and the line that reports one too large.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "commands/checks/check_support.h"

namespace quorvix::checks {

// A product of factors whose distance from the matrix it must equal is
// `residual` (Frobenius norm), where the double computation's rounding
// explains `bound`: a line when it is more, naming the difference
// `identity` ("L*U - A"); |A| is `norm`.
// `normName` names what `norm` measures ("A", "I").
std::optional<std::string> ResidualLine(long double residual, long double bound, long double norm, const char* identity,
                                        const std::string& advice, const char* normName = "A");

// The smallest pivot modulus of Gaussian elimination without pivoting, in
// double (for a symmetric or Hermitian A these are the pivots of L*D*L' as
// well); 0 when one is exactly 0. O(n^3/3), for refusals only.
template <typename T>
double SmallestPivot(Matrix<T> a) {
    const std::int32_t n = a.Rows();
    double smallest = INFINITY;
    for (std::int32_t k = 0; k < n; ++k) {
        const T pivot = a(k, k);
        smallest = std::fmin(smallest, std::abs(pivot));
        if (pivot == T(0)) return 0.0;
        for (std::int32_t i = k + 1; i < n; ++i) a(i, k) /= pivot;
        for (std::int32_t j = k + 1; j < n; ++j) {
            const T u = a(k, j);
            if (u == T(0)) continue;
            T* column = a.Column(j);
            const T* l = a.Column(k);
            for (std::int32_t i = k + 1; i < n; ++i) column[i] -= l[i] * u;
        }
    }
    return smallest;
}

}  // namespace quorvix::checks
