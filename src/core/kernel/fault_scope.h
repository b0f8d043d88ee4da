#pragma once
// Floating-point faults of a stretch of unchecked arithmetic on raw doubles
// and extended temporaries, on this thread. Opened, the watched flags
// (overflow, division by zero, invalid operation) are clear; closing restores
// the flags of the code around it. Underflow and inexact results stay silent.
//
// Two ways to use it: a routine that reports a fault as its error calls
// Check() between its passes and before it stores its results, so no inf or
// nan ever reaches a matrix; a typed kernel that works a block again on the
// Scalar path after a fault (which then raises the error at its element)
// asks Raised() instead.
#include <cfenv>

#include "core/kernel/fpu.h"

namespace quorvix {

class FaultScope {
public:
    FaultScope() {
        std::fegetexceptflag(&saved_, kWatched);
        std::feclearexcept(kWatched);
    }
    ~FaultScope() { std::fesetexceptflag(&saved_, kWatched); }
    FaultScope(const FaultScope&) = delete;
    FaultScope& operator=(const FaultScope&) = delete;

    // True when a watched fault happened since the scope opened (or since the
    // last Check that raised).
    bool Raised() const { return std::fetestexcept(kWatched) != 0; }

    // Raises the error of the first fault class that is set. An infinity comes
    // from an overflow or a division by zero before any nan can follow from
    // it, so those two are reported in preference to the invalid operation.
    void Check() const {
        const int raised = std::fetestexcept(kWatched);
        if (raised == 0) return;
        std::feclearexcept(kWatched);
        if (raised & FE_OVERFLOW) RaiseOverflow();
        if (raised & FE_DIVBYZERO) RaiseZeroDivide();
        RaiseInvalidOp();
    }

private:
    static constexpr int kWatched = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;
    std::fexcept_t saved_{};
};

}  // namespace quorvix
