// Eigenvalues by syevd 'N' for a Hermitian matrix and geev 'N', 'N'
// otherwise. No eigenvectors, no sorting of geev's order, no balancing
// beyond what geev does itself.
#include "linalg/eigenvalues.h"

#include <type_traits>

#include "linalg/checks.h"
#include "linalg/errors.h"
#include "linalg/hermitian.h"
#include "linalg/lapack_calls.h"
#include "linalg/scaling.h"

namespace quorvix::linalg {

template <typename T>
std::vector<Complex> EigenvaluesOnly(const Matrix<T>& a) {
    RequireShape(a.Rows() == a.Cols(), "EigenvaluesOnly: A is not square");
    CallSteps steps(1);
    CheckFinite(a);
    const std::int32_t n = a.Rows();
    std::vector<Complex> values(static_cast<std::size_t>(n));
    if (n == 0) return values;
    // The eigenvalues of A·2^-e for an A of extreme scale, scaled back.
    const int e = RangeExponent(a);
    Matrix<T> work = ScaledByPowerOfTwo(a, -e);
    if (IsHermitian(a)) {
        std::vector<double> w(static_cast<std::size_t>(n));
        RequireConverged(lapack::HermitianEigen('N', n, work.Data(), lapack::Ld(work), w.data()));
        for (std::size_t k = 0; k < w.size(); ++k) values[k] = w[k];
    } else if constexpr (std::is_same_v<T, double>) {
        std::vector<double> wr(static_cast<std::size_t>(n)), wi(static_cast<std::size_t>(n));
        double vr = 0;
        RequireConverged(lapack::Geev('N', n, work.Data(), lapack::Ld(work), wr.data(), wi.data(), &vr, 1));
        for (std::size_t k = 0; k < wr.size(); ++k) values[k] = Complex(wr[k], wi[k]);
    } else {
        Complex vr = 0;
        RequireConverged(lapack::Geev('N', n, work.Data(), lapack::Ld(work), values.data(), &vr, 1));
    }
    steps.Done();
    for (Complex& v : values) v = ScaleByPowerOfTwo(v, e);
    CheckFinite(values);
    return values;
}

template std::vector<Complex> EigenvaluesOnly(const RealMatrix&);
template std::vector<Complex> EigenvaluesOnly(const ComplexMatrix&);

}  // namespace quorvix::linalg
