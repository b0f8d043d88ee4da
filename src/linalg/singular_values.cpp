// Singular values by gesdd with jobz 'N' on a copy. No vectors, no
// one-sided Jacobi for high relative accuracy.
#include "linalg/singular_values.h"

#include <algorithm>
#include <limits>

#include "linalg/checks.h"
#include "linalg/errors.h"
#include "linalg/lapack_calls.h"
#include "linalg/scaling.h"

namespace quorvix::linalg {

template <typename T>
std::vector<double> SingularValues(const Matrix<T>& a) {
    CallSteps steps(1);
    CheckFinite(a);
    const std::int32_t m = a.Rows(), n = a.Cols();
    std::vector<double> s(static_cast<std::size_t>(std::min(m, n)));
    if (s.empty()) return s;
    // The singular values of A·2^-e for an A of extreme scale, scaled back.
    const int e = RangeExponent(a);
    Matrix<T> work = ScaledByPowerOfTwo(a, -e);
    T u{}, vt{};  // not referenced with jobz 'N'
    RequireConverged(lapack::Gesdd('N', m, n, work.Data(), lapack::Ld(work), s.data(), &u, 1, &vt, 1));
    steps.Done();
    for (double& v : s) v = ScaleByPowerOfTwo(v, e);
    CheckFinite(s);
    return s;
}

template std::vector<double> SingularValues(const RealMatrix&);
template std::vector<double> SingularValues(const ComplexMatrix&);

double PinvTolerance(std::int32_t m, std::int32_t n, double s1) {
    return std::max(m, n) * std::numeric_limits<double>::epsilon() * s1;
}

std::int32_t CountAboveTolerance(const std::vector<double>& s, double tolerance) {
    std::int32_t k = 0;
    for (double v : s)
        if (v > tolerance) ++k;
    return k;
}

}  // namespace quorvix::linalg
