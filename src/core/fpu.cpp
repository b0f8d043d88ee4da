#include "core/fpu.h"

#include <cfloat>

#include "core/errors.h"

namespace quorvix {

void RaiseOverflow() { throw ArithmeticError(kOverflowMessage); }
void RaiseZeroDivide() { throw ArithmeticError(kZeroDivideMessage); }
void RaiseInvalidOp() { throw ArithmeticError(kInvalidOpMessage); }

long double CheckExtended(long double v) {
    if (std::isnan(v)) RaiseInvalidOp();
    if (std::isinf(v)) RaiseOverflow();
    return v;
}

double StoreDouble(long double v) {
    CheckExtended(v);
    const double d = static_cast<double>(v);
    if (std::isinf(d)) RaiseOverflow();
    return d;
}

long double DivideExtended(long double a, long double b) {
    if (b == 0.0L) {
        if (a == 0.0L || std::isnan(a)) RaiseInvalidOp();
        RaiseZeroDivide();
    }
    return CheckExtended(a / b);
}

long double SqrtExtended(long double v) {
    if (std::isnan(v) || v < 0.0L) RaiseInvalidOp();
    return CheckExtended(std::sqrt(v));
}

}  // namespace quorvix
