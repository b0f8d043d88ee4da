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
std::vector<double> PivotedQRDiagonal(const Matrix<T>& a) {
    CallSteps steps(1);
    CheckFinite(a);
    const std::int32_t m = a.Rows(), n = a.Cols(), r = std::min(m, n);
    if (r == 0) return {};
    // The rank does not change with A's scale: geqp3 sees A·2^-e, whose
    // column norms cannot overflow.
    Matrix<T> work = ScaledByPowerOfTwo(a, -LargestExponent(a));
    std::vector<std::int32_t> jpvt(static_cast<std::size_t>(n), 0);
    std::vector<T> tau(static_cast<std::size_t>(r));
    lapack::Geqp3(m, n, work.Data(), lapack::Ld(work), jpvt.data(), tau.data());
    steps.Done();
    CheckFinite(work);
    std::vector<double> diagonal(static_cast<std::size_t>(r));
    for (std::int32_t i = 0; i < r; ++i)
        diagonal[static_cast<std::size_t>(i)] = static_cast<double>(ModulusExtended(work(i, i)));
    return diagonal;
}

template <typename T>
std::int32_t NumericRank(const Matrix<T>& a) {
    const std::vector<double> d = PivotedQRDiagonal(a);
    if (d.empty()) return 0;
    const long double tolerance =
        std::max(a.Rows(), a.Cols()) * std::numeric_limits<double>::epsilon() * static_cast<long double>(d.front());
    std::int32_t rank = 0;
    for (double v : d)
        if (v > tolerance) ++rank;
    return rank;
}

template <typename T>
std::int32_t SvdRank(const Matrix<T>& a) {
    CheckFinite(a);
    const std::vector<double> s = SingularValues(ScaledByPowerOfTwo(a, -LargestExponent(a)));
    if (s.empty()) return 0;
    return CountAboveTolerance(s, PinvTolerance(a.Rows(), a.Cols(), s.front()));
}

template std::vector<double> PivotedQRDiagonal(const RealMatrix&);
template std::vector<double> PivotedQRDiagonal(const ComplexMatrix&);
template std::int32_t NumericRank(const RealMatrix&);
template std::int32_t NumericRank(const ComplexMatrix&);
template std::int32_t SvdRank(const RealMatrix&);
template std::int32_t SvdRank(const ComplexMatrix&);

}  // namespace quorvix::linalg
