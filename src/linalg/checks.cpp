// The finiteness check of operands and results, and the shape guard. No
// tolerance: only infinities and nans are faults.
#include "linalg/checks.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "core/kernel/fpu.h"

namespace quorvix::linalg {
namespace {

struct Faults {
    bool infinite = false;
    bool invalid = false;

    void See(double v) {
        if (std::isinf(v)) infinite = true;
        if (std::isnan(v)) invalid = true;
    }
    void See(Complex z) {
        See(z.real());
        See(z.imag());
    }
    void Raise() const {
        if (infinite) RaiseOverflow();
        if (invalid) RaiseInvalidOp();
    }
};

}  // namespace

template <typename T>
void CheckFinite(const Matrix<T>& m) {
    Faults faults;
    for (std::int32_t j = 0; j < m.Cols(); ++j) {
        CheckCancelled();
        const T* column = m.Column(j);
        for (std::int32_t i = 0; i < m.Rows(); ++i) faults.See(column[i]);
    }
    faults.Raise();
}

template void CheckFinite(const RealMatrix&);
template void CheckFinite(const ComplexMatrix&);

void CheckFinite(const std::vector<double>& v) {
    Faults faults;
    for (double x : v) faults.See(x);
    faults.Raise();
}

void CheckFinite(const std::vector<Complex>& v) {
    Faults faults;
    for (Complex z : v) faults.See(z);
    faults.Raise();
}

double CheckFinite(double v) {
    Faults faults;
    faults.See(v);
    faults.Raise();
    return v;
}

void RequireShape(bool ok, const char* what) {
    if (!ok) throw std::invalid_argument(std::string("linalg: ") + what);
}

}  // namespace quorvix::linalg
