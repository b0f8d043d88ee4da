// NumericRank by geqp3 and SvdRank by gesdd 'N'. No refinement of the
// pivoted QR (a rank-revealing QR can misjudge contrived matrices such as
// Kahan's; SvdRank does not) and no user tolerance.
#include "linalg/rank.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "linalg/checks.h"
#include "linalg/lapack_calls.h"
#include "linalg/norms.h"
#include "linalg/scaling.h"
#include "linalg/singular_values.h"

namespace quorvix::linalg {

template <typename T>
std::int32_t NumericRank(const Matrix<T>& a) {
    CallSteps steps(1);
    CheckFinite(a);
    const std::int32_t m = a.Rows(), n = a.Cols(), r = std::min(m, n);
    if (r == 0) return 0;
    // The rank does not change with A's scale: geqp3 sees A·2^-e, whose
    // column norms cannot overflow.
    Matrix<T> work = ScaledByPowerOfTwo(a, -LargestExponent(a));
    std::vector<std::int32_t> jpvt(static_cast<std::size_t>(n), 0);
    std::vector<T> tau(static_cast<std::size_t>(r));
    lapack::Geqp3(m, n, work.Data(), lapack::Ld(work), jpvt.data(), tau.data());
    steps.Done();
    CheckFinite(work);
    const long double tolerance = std::max(m, n) * std::numeric_limits<double>::epsilon() * ModulusExtended(work(0, 0));
    std::int32_t rank = 0;
    for (std::int32_t i = 0; i < r; ++i)
        if (ModulusExtended(work(i, i)) > tolerance) ++rank;
    return rank;
}

template <typename T>
std::int32_t SvdRank(const Matrix<T>& a) {
    CheckFinite(a);
    const std::vector<double> s = SingularValues(ScaledByPowerOfTwo(a, -LargestExponent(a)));
    if (s.empty()) return 0;
    return CountAboveTolerance(s, PinvTolerance(a.Rows(), a.Cols(), s.front()));
}

template std::int32_t NumericRank(const RealMatrix&);
template std::int32_t NumericRank(const ComplexMatrix&);
template std::int32_t SvdRank(const RealMatrix&);
template std::int32_t SvdRank(const ComplexMatrix&);

}  // namespace quorvix::linalg
