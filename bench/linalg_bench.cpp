// The double-precision routines of src/linalg at n = 100, 300, 500 and 1000,
// real and complex, and, at the same sizes, the single LAPACK and BLAS calls
// inside them, which the cancel flag cannot interrupt: their times are how
// long a cancel can wait. Operands are uniform in [-1, 1] with two decimals,
// as the matrix reader gives them; OpenBLAS uses its own threads
// (OPENBLAS_NUM_THREADS sets how many).
//   linalg_bench --benchmark_filter='BM_Call.*/n:1000'
#include <benchmark/benchmark.h>

#include <algorithm>
#include <complex>
#include <random>
#include <type_traits>
#include <vector>

#include "linalg/lapack_calls.h"
#include "linalg/linalg.h"

namespace {

using namespace quorvix::linalg;

template <typename T>
Matrix<T> Operand(int n, unsigned seed) {
    std::mt19937 gen(seed + static_cast<unsigned>(n));
    std::uniform_int_distribution<int> d(-100, 100);
    Matrix<T> m(n, n);
    for (std::size_t k = 0; k < m.Size(); ++k) {
        if constexpr (std::is_same_v<T, double>) {
            m.Data()[k] = d(gen) / 100.0;
        } else {
            const double re = d(gen) / 100.0;
            m.Data()[k] = Complex(re, d(gen) / 100.0);
        }
    }
    return m;
}

// A Hermitian operand (real symmetric for real T), for the Hermitian driver.
template <typename T>
Matrix<T> HermitianOperand(int n, unsigned seed) {
    Matrix<T> a = Operand<T>(n, seed);
    for (int j = 0; j < n; ++j) {
        a(j, j) = std::real(a(j, j));
        for (int i = 0; i < j; ++i) {
            if constexpr (std::is_same_v<T, double>) {
                a(j, i) = a(i, j);
            } else {
                a(j, i) = std::conj(a(i, j));
            }
        }
    }
    return a;
}

// One routine of the library on fresh operands.
template <typename T, typename Fn>
void Routine(benchmark::State& state, Fn fn) {
    const int n = static_cast<int>(state.range(0));
    const Matrix<T> a = Operand<T>(n, 1), b = Operand<T>(n, 2);
    for (auto _ : state) benchmark::DoNotOptimize(fn(a, b));
}

template <typename T>
void BM_Solve(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto& b) { return Solve(a, b).RCond; });
}
template <typename T>
void BM_SolveLeastSquares(benchmark::State& s) {
    // A square but of rank n − 1 (two equal rows): the LU meets an exact
    // zero pivot and gelsd solves.
    Routine<T>(s, [](const auto& a, const auto& b) {
        Matrix<T> singular = a;
        for (std::int32_t j = 0; j < a.Cols(); ++j) singular(1, j) = singular(0, j);
        return Solve(singular, b).RCond;
    });
}
template <typename T>
void BM_PLU(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return PLU(a).U(0, 0); });
}
template <typename T>
void BM_Eigvec(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return Eigvec(a).D(0, 0); });
}
template <typename T>
void BM_EigvecHermitian(benchmark::State& state) {
    const Matrix<T> a = HermitianOperand<T>(static_cast<int>(state.range(0)), 3);
    for (auto _ : state) benchmark::DoNotOptimize(Eigvec(a).D(0, 0));
}
template <typename T>
void BM_EigenvaluesOnly(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return EigenvaluesOnly(a).front(); });
}
template <typename T>
void BM_SingularValues(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return SingularValues(a).front(); });
}
template <typename T>
void BM_Pinv(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return Pinv(a).X(0, 0); });
}
template <typename T>
void BM_Cond(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return Cond(a).Value; });
}
template <typename T>
void BM_NullSpace(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return NullSpace(a).Cols(); });
}
template <typename T>
void BM_Rref(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return Rref(a)(0, 0); });
}
template <typename T>
void BM_Expm(benchmark::State& s) {
    // ‖A‖₁ of about n/2: the [13/13] approximant and some log2(n/10)
    // squarings.
    Routine<T>(s, [](const auto& a, const auto&) { return Expm(a)(0, 0); });
}
template <typename T>
void BM_ConjugateTranspose(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return ConjugateTranspose(a)(0, 0); });
}
template <typename T>
void BM_Multiply(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto& b) { return Multiply(a, b)(0, 0); });
}
template <typename T>
void BM_Determinant(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return Determinant(a).Exponent; });
}
template <typename T>
void BM_Inverse(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return Inverse(a).RCond; });
}
template <typename T>
void BM_NumericRank(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return NumericRank(a); });
}
template <typename T>
void BM_SvdRank(benchmark::State& s) {
    Routine<T>(s, [](const auto& a, const auto&) { return SvdRank(a); });
}
template <typename T>
void BM_Residuals(benchmark::State& s) {
    // The check line's residual of Solve: two products and the norms.
    Routine<T>(s, [](const auto& a, const auto& b) { return SolveResidual(a, a, b); });
}

// One LAPACK or BLAS call on a fresh copy of the operand (the copy is not
// timed): the longest stretch without a look at the cancel flag.
template <typename T, typename Fn>
void Call(benchmark::State& state, Fn fn, bool hermitian = false) {
    const int n = static_cast<int>(state.range(0));
    const Matrix<T> a = hermitian ? HermitianOperand<T>(n, 3) : Operand<T>(n, 1);
    for (auto _ : state) {
        state.PauseTiming();
        Matrix<T> w = a;
        state.ResumeTiming();
        benchmark::DoNotOptimize(fn(w, n));
    }
}

namespace lp = quorvix::linalg::lapack;

template <typename T>
void BM_CallGetrf(benchmark::State& s) {
    std::vector<lp::Int> ipiv(static_cast<std::size_t>(s.range(0)));
    Call<T>(s, [&](Matrix<T>& w, int n) { return lp::Getrf(n, n, w.Data(), n, ipiv.data()); });
}
template <typename T>
void BM_CallGetrs(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    LUFactors<T> f = LUFactor(Operand<T>(n, 1));
    Call<T>(s, [&](Matrix<T>& w, int) { return lp::Getrs(n, n, f.LU.Data(), n, f.Pivots.data(), w.Data(), n); });
}
template <typename T>
void BM_CallGecon(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    LUFactors<T> f = LUFactor(Operand<T>(n, 1));
    double rcond = 0;
    Call<T>(s, [&](Matrix<T>&, int) { return lp::Gecon(n, f.LU.Data(), n, 1.0, &rcond); });
}
template <typename T>
void BM_CallGetri(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    const LUFactors<T> f = LUFactor(Operand<T>(n, 1));
    for (auto _ : s) {
        s.PauseTiming();
        Matrix<T> w = f.LU;
        s.ResumeTiming();
        benchmark::DoNotOptimize(lp::Getri(n, w.Data(), n, f.Pivots.data()));
    }
}
template <typename T>
void BM_CallGelsd(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    const Matrix<T> b = Operand<T>(n, 2);
    std::vector<double> sv(static_cast<std::size_t>(n));
    lp::Int rank = 0;
    Call<T>(s, [&](Matrix<T>& w, int) {
        Matrix<T> x = b;
        return lp::Gelsd(n, n, 1, w.Data(), n, x.Data(), n, sv.data(), -1.0, &rank);
    });
}
template <typename T>
void BM_CallGesddValues(benchmark::State& s) {
    std::vector<double> sv(static_cast<std::size_t>(s.range(0)));
    T u{}, vt{};
    Call<T>(s, [&](Matrix<T>& w, int n) { return lp::Gesdd('N', n, n, w.Data(), n, sv.data(), &u, 1, &vt, 1); });
}
// Pinv's call ('S'); NullSpace's ('O' for a square A) costs about as much.
template <typename T>
void BM_CallGesddVectors(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    std::vector<double> sv(static_cast<std::size_t>(n));
    Matrix<T> u(n, n), vt(n, n);
    Call<T>(s,
            [&](Matrix<T>& w, int) { return lp::Gesdd('S', n, n, w.Data(), n, sv.data(), u.Data(), n, vt.Data(), n); });
}
template <typename T>
void BM_CallGeqp3(benchmark::State& s) {
    const auto n = static_cast<std::size_t>(s.range(0));
    std::vector<lp::Int> jpvt(n);
    std::vector<T> tau(n);
    Call<T>(s, [&](Matrix<T>& w, int k) {
        std::fill(jpvt.begin(), jpvt.end(), 0);
        return lp::Geqp3(k, k, w.Data(), k, jpvt.data(), tau.data());
    });
}
template <typename T>
void BM_CallHermitianEigen(benchmark::State& s) {
    std::vector<double> ev(static_cast<std::size_t>(s.range(0)));
    Call<T>(
        s, [&](Matrix<T>& w, int n) { return lp::HermitianEigen('V', n, w.Data(), n, ev.data()); }, true);
}
template <typename T>
void BM_CallGeevVectors(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    Matrix<T> vr(n, n);
    std::vector<T> w1(static_cast<std::size_t>(n)), w2(static_cast<std::size_t>(n));
    Call<T>(s, [&](Matrix<T>& w, int) {
        if constexpr (std::is_same_v<T, double>) {
            return lp::Geev('V', n, w.Data(), n, w1.data(), w2.data(), vr.Data(), n);
        } else {
            return lp::Geev('V', n, w.Data(), n, w1.data(), vr.Data(), n);
        }
    });
}
template <typename T>
void BM_CallGeevValues(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    std::vector<T> w1(static_cast<std::size_t>(n)), w2(static_cast<std::size_t>(n));
    T vr{};
    Call<T>(s, [&](Matrix<T>& w, int) {
        if constexpr (std::is_same_v<T, double>) {
            return lp::Geev('N', n, w.Data(), n, w1.data(), w2.data(), &vr, 1);
        } else {
            return lp::Geev('N', n, w.Data(), n, w1.data(), &vr, 1);
        }
    });
}
template <typename T>
void BM_CallGemm(benchmark::State& s) {
    const int n = static_cast<int>(s.range(0));
    const Matrix<T> b = Operand<T>(n, 2);
    Matrix<T> c(n, n);
    Call<T>(s, [&](Matrix<T>& w, int) {
        lp::Gemm(lp::Op::None, lp::Op::None, n, n, n, T{1}, w.Data(), n, b.Data(), n, T{0}, c.Data(), n);
        return c(0, 0);
    });
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int n : {100, 300, 500, 1000}) b->Args({n});
    b->ArgNames({"n"})->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
}

}  // namespace

#define QUORVIX_LINALG_BENCH(name)                                       \
    BENCHMARK_TEMPLATE(name, double)->Name(#name "/real")->Apply(Sizes); \
    BENCHMARK_TEMPLATE(name, Complex)->Name(#name "/complex")->Apply(Sizes)

QUORVIX_LINALG_BENCH(BM_Solve);
QUORVIX_LINALG_BENCH(BM_SolveLeastSquares);
QUORVIX_LINALG_BENCH(BM_PLU);
QUORVIX_LINALG_BENCH(BM_Eigvec);
QUORVIX_LINALG_BENCH(BM_EigvecHermitian);
QUORVIX_LINALG_BENCH(BM_EigenvaluesOnly);
QUORVIX_LINALG_BENCH(BM_SingularValues);
QUORVIX_LINALG_BENCH(BM_Pinv);
QUORVIX_LINALG_BENCH(BM_Cond);
QUORVIX_LINALG_BENCH(BM_NullSpace);
QUORVIX_LINALG_BENCH(BM_Rref);
QUORVIX_LINALG_BENCH(BM_Expm);
QUORVIX_LINALG_BENCH(BM_ConjugateTranspose);
QUORVIX_LINALG_BENCH(BM_Multiply);
QUORVIX_LINALG_BENCH(BM_Determinant);
QUORVIX_LINALG_BENCH(BM_Inverse);
QUORVIX_LINALG_BENCH(BM_NumericRank);
QUORVIX_LINALG_BENCH(BM_SvdRank);
QUORVIX_LINALG_BENCH(BM_Residuals);
QUORVIX_LINALG_BENCH(BM_CallGetrf);
QUORVIX_LINALG_BENCH(BM_CallGetrs);
QUORVIX_LINALG_BENCH(BM_CallGecon);
QUORVIX_LINALG_BENCH(BM_CallGetri);
QUORVIX_LINALG_BENCH(BM_CallGelsd);
QUORVIX_LINALG_BENCH(BM_CallGesddValues);
QUORVIX_LINALG_BENCH(BM_CallGesddVectors);
QUORVIX_LINALG_BENCH(BM_CallGeqp3);
QUORVIX_LINALG_BENCH(BM_CallHermitianEigen);
QUORVIX_LINALG_BENCH(BM_CallGeevVectors);
QUORVIX_LINALG_BENCH(BM_CallGeevValues);
QUORVIX_LINALG_BENCH(BM_CallGemm);

BENCHMARK_MAIN();
