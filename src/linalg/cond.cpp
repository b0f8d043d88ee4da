// Cond from SingularValues (gesdd 'N'). No condition estimator and no
// tolerance: only an exactly zero smallest singular value is singular.
#include "linalg/cond.h"

#include "linalg/checks.h"
#include "linalg/scaling.h"
#include "linalg/singular_values.h"

namespace quorvix::linalg {

template <typename T>
CondResult Cond(const Matrix<T>& a) {
    CheckFinite(a);
    // The ratio does not change with A's scale: the singular values of
    // A·2^-e, which cannot overflow.
    const std::vector<double> s = SingularValues(ScaledByPowerOfTwo(a, -LargestExponent(a)));
    CondResult c;
    if (s.empty()) {
        c.RCond = 1;
        return c;
    }
    if (s.back() == 0) {
        c.Singular = true;
        return c;
    }
    c.Value = CheckFinite(s.front() / s.back());
    c.RCond = s.back() / s.front();
    return c;
}

template CondResult Cond(const RealMatrix&);
template CondResult Cond(const ComplexMatrix&);

}  // namespace quorvix::linalg
