#pragma once
// The guards of every routine of this library: no infinity or nan enters or
// leaves one, shapes that do not fit are the caller's fault, and the cancel
// flag is looked at between LAPACK calls. No repair: a non-finite value is
// reported, never replaced.
#include <cstdint>
#include <vector>

#include "core/cancel.h"
#include "linalg/matrix.h"

namespace quorvix::linalg {

// Raises ArithmeticError "Floating point overflow" when an element (or a part
// of one) is infinite, otherwise "Invalid floating point operation" when one
// is nan; an infinity is reported first because a nan of a computation on
// finite operands follows from one. Looks at the cancel flag once per column.
template <typename T>
void CheckFinite(const Matrix<T>& m);
void CheckFinite(const std::vector<double>& v);
void CheckFinite(const std::vector<Complex>& v);
double CheckFinite(double v);

// Shapes that do not fit are a fault of the caller, who refuses them first:
// std::invalid_argument naming `what`.
void RequireShape(bool ok, const char* what);

// The steps of one operation (its LAPACK calls and passes of its own): each
// Done() records the progress and raises CancelledError when the flag is up;
// so does the constructor, before any work.
class CallSteps {
public:
    explicit CallSteps(std::int64_t total) : total_(total) { CheckCancelled(0, total_); }
    void Done() { CheckCancelled(++done_, total_); }

private:
    std::int64_t done_ = 0;
    std::int64_t total_;
};

}  // namespace quorvix::linalg
