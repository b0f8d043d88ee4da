#include "core/kernel/fpu.h"

#include "core/errors.h"

namespace quorvix {

void RaiseOverflow() { throw ArithmeticError(kOverflowMessage); }
void RaiseZeroDivide() { throw ArithmeticError(kZeroDivideMessage); }
void RaiseInvalidOp() { throw ArithmeticError(kInvalidOpMessage); }

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
