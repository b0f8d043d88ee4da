#pragma once
// Floating-point faults of a numeric routine that runs on raw doubles and
// extended temporaries instead of Scalars. The routine opens a FaultScope,
// computes, and calls Check() between its passes and before it stores its
// results: an overflow, a division by zero or an invalid operation that
// happened anywhere since the scope opened becomes the error the user sees,
// so no inf or nan ever reaches a matrix. Underflow and inexact results stay
// silent. The flags of the code around the scope are restored when it closes.
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
