// A\B: the LU path (getrf, gecon, getrs) and the minimum-norm least-squares
// path (gelsd), both on A and B divided by powers of two when their scale
// is extreme (X then scaled back). No iterative refinement, no
// equilibration, and no fallback from a finished LU solve: only an exactly
// zero pivot sends a square A to least squares.
#include "linalg/solve.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "linalg/checks.h"
#include "linalg/errors.h"
#include "linalg/lapack_calls.h"
#include "linalg/lu_factor.h"
#include "linalg/scaling.h"

namespace quorvix::linalg {
namespace {

// The minimum-norm X of ‖A·X − B‖ for the scaled A and B.
template <typename T>
SolveResult<T> LeastSquares(const Matrix<T>& a, const Matrix<T>& b) {
    const std::int32_t m = a.Rows(), n = a.Cols(), k = b.Cols();
    SolveResult<T> r;
    r.LeastSquares = true;
    r.X = Matrix<T>(n, k);
    if (m == 0 || n == 0) return r;  // no equation or no unknown: X = 0
    CallSteps steps(1);
    Matrix<T> work = a;
    // gelsd takes B in a max(m, n)-row array and leaves X in its first n
    // rows. Without right-hand sides it is given one zero column: its
    // divide and conquer refuses nrhs = 0.
    const std::int32_t columns = std::max(k, 1);
    Matrix<T> rhs(std::max(m, n), columns);
    for (std::int32_t j = 0; j < k; ++j) std::copy(b.Column(j), b.Column(j) + m, rhs.Column(j));
    std::vector<double> s(static_cast<std::size_t>(std::min(m, n)));
    std::int32_t rank = 0;
    RequireConverged(lapack::Gelsd(m, n, columns, work.Data(), lapack::Ld(work), rhs.Data(), lapack::Ld(rhs), s.data(),
                                   -1.0, &rank));
    steps.Done();
    for (std::int32_t j = 0; j < k; ++j) std::copy(rhs.Column(j), rhs.Column(j) + n, r.X.Column(j));
    CheckFinite(s);
    CheckFinite(r.X);
    r.RCond = s.front() > 0 ? s.back() / s.front() : 0.0;
    r.Rank = rank;
    return r;
}

}  // namespace

template <typename T>
SolveResult<T> Solve(const Matrix<T>& a, const Matrix<T>& b) {
    RequireShape(a.Rows() == b.Rows(), "Solve: A's and B's rows differ");
    CheckFinite(a);
    CheckFinite(b);
    // A = As·2^ea and B = Bs·2^eb give X = Xs·2^(eb − ea) with As·Xs = Bs.
    const int eb = RangeExponent(b);
    const Matrix<T> bs = ScaledByPowerOfTwo(b, -eb);
    SolveResult<T> r;
    int ea = 0;
    bool solved = false;
    if (a.Rows() == a.Cols()) {
        const ScaledLUFactors<T> s = ScaledLUFactor(a);
        const LUFactors<T>& f = s.Factors;
        ea = s.Exponent;
        if (!f.Singular) {
            CallSteps steps(1);
            const std::int32_t n = a.Rows();
            r.X = bs;
            if (n > 0 && b.Cols() > 0)
                lapack::Getrs(n, b.Cols(), f.LU.Data(), lapack::Ld(f.LU), f.Pivots.data(), r.X.Data(), lapack::Ld(r.X));
            steps.Done();
            CheckFinite(r.X);
            r.RCond = f.RCond;
            r.Rank = n;
            solved = true;
        }
    }
    if (!solved) {
        ea = RangeExponent(a);
        r = LeastSquares(ScaledByPowerOfTwo(a, -ea), bs);
    }
    r.X = ScaledByPowerOfTwo(std::move(r.X), eb - ea);
    CheckFinite(r.X);
    return r;
}

template SolveResult<double> Solve(const RealMatrix&, const RealMatrix&);
template SolveResult<Complex> Solve(const ComplexMatrix&, const ComplexMatrix&);

}  // namespace quorvix::linalg
