#pragma once
// Floating-point faults as errors. Arithmetic runs in extended precision
// (64-bit significand) and is stored as double; overflow, division by zero and
// invalid operations must reach the user as errors, never as inf or nan.
#include <cmath>

namespace quorvix {

inline constexpr const char* kOverflowMessage = "Floating point overflow";
inline constexpr const char* kZeroDivideMessage = "Floating point division by zero";
inline constexpr const char* kInvalidOpMessage = "Invalid floating point operation";

[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseZeroDivide();
[[noreturn]] void RaiseInvalidOp();

// Checks an extended-precision intermediate: nan -> invalid operation, inf -> overflow.
inline long double CheckExtended(long double v) {
    if (std::isnan(v)) [[unlikely]]
        RaiseInvalidOp();
    if (std::isinf(v)) [[unlikely]]
        RaiseOverflow();
    return v;
}

// The value of an extended-precision result as a double. A nan raises the
// invalid-operation error; an infinity or a finite value too large for a double
// raises the overflow error. Underflow is silent. Inline: every Scalar
// operation stores through it.
inline double StoreDouble(long double v) {
    CheckExtended(v);
    const double d = static_cast<double>(v);
    if (std::isinf(d)) [[unlikely]]
        RaiseOverflow();
    return d;
}

// a / b in extended precision with the division faults: x/0 raises the
// division-by-zero error, 0/0 the invalid-operation error.
long double DivideExtended(long double a, long double b);

// Square root; a negative operand raises the invalid-operation error.
long double SqrtExtended(long double v);

}  // namespace quorvix
