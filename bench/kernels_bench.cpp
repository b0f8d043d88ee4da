// The O(n^3) kernels of the numeric library at n = 100, 300, 500 and 1000,
// on one thread and on all threads (second argument 1 or 0). Operands are
// what the commands hand the library: complex Scalars from the matrix reader
// (entries uniform in [-1, 1], two decimals; "real" input has imaginary part
// 0), real Scalars for QR, the eigenvalues and the SVD.
//   kernels_bench --benchmark_filter='Multiply.*/500/'
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "core/errors.h"
#include "core/kernel/parallel.h"
#include "core/mat_ldl.h"
#include "core/matrice2.h"

namespace {

using namespace quorvix;

enum class Input { Real, Complex };

// Uniform entries in [-scale, scale] with two decimals; the kind of Scalar
// the reader gives (complex), or real Scalars for the real-only readers.
RCOMat Random(int n, Input input, bool realScalars = false, double scale = 1.0, unsigned seed = 7) {
    std::mt19937 gen(seed + static_cast<unsigned>(n));
    std::uniform_int_distribution<int> d(-100, 100);
    RCOMat m;
    SizeMatrix(m, n, n);
    for (auto& row : m)
        for (auto& x : row) {
            const double re = d(gen) / 100.0 * scale;
            const double im = input == Input::Complex ? d(gen) / 100.0 * scale : 0.0;
            x = realScalars ? Scalar::Real(re) : Scalar::Complex(re, im);
        }
    return m;
}

// A scale that keeps the determinant of a random n x n matrix near 1, far
// from overflow: |det| is about sqrt(n!) times the entries' deviation ^ n.
double UnitDeterminantScale(int n) { return std::exp(-std::lgamma(n + 1.0) / (2.0 * n)) * std::sqrt(3.0); }

void Threads(benchmark::State& state) { parallel::SetThreadCount(static_cast<int>(state.range(1))); }

void BM_Multiply(benchmark::State& state, Input input) {
    Threads(state);
    const int n = static_cast<int>(state.range(0));
    const RCOMat a = Random(n, input), b = Random(n, input, false, 1.0, 99);
    RCOMat c;
    for (auto _ : state) {
        MatMultiply(a, b, c);
        benchmark::DoNotOptimize(c.data());
    }
}

void BM_MultiplyRealScalars(benchmark::State& state) {
    Threads(state);
    const int n = static_cast<int>(state.range(0));
    const RCOMat a = Random(n, Input::Real, true), b = Random(n, Input::Real, true, 1.0, 99);
    RCOMat c;
    for (auto _ : state) {
        MatMultiply(a, b, c);
        benchmark::DoNotOptimize(c.data());
    }
}

void BM_Inverse(benchmark::State& state, Input input) {
    Threads(state);
    const int n = static_cast<int>(state.range(0));
    const RCOMat a = Random(n, input);
    RCoVecD re(static_cast<std::size_t>(n) * n), im(re.size());
    RCOMat inv;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                re[static_cast<std::size_t>(i) * n + j] = RealPart(a[i][j]);
                im[static_cast<std::size_t>(i) * n + j] = ImagPart(a[i][j]);
            }
        state.ResumeTiming();
        benchmark::DoNotOptimize(MatInverse(n, re, im, inv));
    }
}

// The work of each routine that destroys its operand, on a fresh copy.
template <class Fn>
void OnCopies(benchmark::State& state, const RCOMat& a, Fn fn) {
    for (auto _ : state) {
        state.PauseTiming();
        RCOMat w = a;
        state.ResumeTiming();
        try {
            fn(w);
        } catch (const CalcError&) {}
    }
}

void BM_InvertLU(benchmark::State& state, Input input) {
    Threads(state);
    RCOMat inv;
    OnCopies(state, Random(static_cast<int>(state.range(0)), input), [&](RCOMat& w) { MatInvertLU(w, inv); });
}

void BM_Determinant(benchmark::State& state, Input input) {
    Threads(state);
    const int n = static_cast<int>(state.range(0));
    OnCopies(state, Random(n, input, false, UnitDeterminantScale(n)),
             [&](RCOMat& w) { benchmark::DoNotOptimize(MatDeterminant(w, n, n)); });
}

void BM_Rank(benchmark::State& state, Input input) {
    Threads(state);
    const int n = static_cast<int>(state.range(0));
    OnCopies(state, Random(n, input), [&](RCOMat& w) { benchmark::DoNotOptimize(MatRank(w, n, n)); });
}

void BM_LU(benchmark::State& state, Input input) {
    Threads(state);
    const int n = static_cast<int>(state.range(0));
    RCOMat l, u;
    OnCopies(state, Random(n, input), [&](RCOMat& w) {
        SizeMatrix(l, n, n);
        SizeMatrix(u, n, n);
        benchmark::DoNotOptimize(MatLU(w, l, u, n, n));
    });
}

void BM_LDL(benchmark::State& state, Input input) {
    Threads(state);
    const int n = static_cast<int>(state.range(0));
    RCOMat a = Random(n, input);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) a[i][j] = a[j][i];
        a[i][i] = Scalar::Complex(n + 1.0, 0.0);
    }
    RCOMat l, d;
    OnCopies(state, a, [&](RCOMat& w) { benchmark::DoNotOptimize(MatLDL(w, l, d)); });
}

void BM_QR(benchmark::State& state) {
    Threads(state);
    const int n = static_cast<int>(state.range(0));
    RCOMat q;
    OnCopies(state, Random(n, Input::Real, true), [&](RCOMat& w) {
        SizeMatrix(q, n, n);
        MatQR(w, n, n, q);
    });
}

void BM_Eigenvalues(benchmark::State& state) {
    Threads(state);
    const int n = static_cast<int>(state.range(0));
    const RCOMat a = Random(n, Input::Real, true);
    matrx2 work;
    RCoVecD re, im;
    for (auto _ : state) {
        state.PauseTiming();
        work.assign(static_cast<std::size_t>(n) + 1, std::vector<Scalar>(static_cast<std::size_t>(n) + 1));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) work[i + 1][j + 1] = a[i][j];
        re.assign(static_cast<std::size_t>(n) + 1, 0.0);
        im.assign(re.size(), 0.0);
        state.ResumeTiming();
        MatBalance(work, n);
        MatHessenberg(work, n);
        benchmark::DoNotOptimize(MatEigenvalues(work, n, re, im));
    }
}

void BM_SVD(benchmark::State& state) {
    Threads(state);
    const int n = static_cast<int>(state.range(0));
    RCOMat u, v;
    OnCopies(state, Random(n, Input::Real, true), [&](RCOMat& w) {
        SizeMatrix(u, n, n);
        SizeMatrix(v, n, n);
        benchmark::DoNotOptimize(MatSVD(w, u, v, 1e-15L, n, n));
    });
}

// n = 100, 300, 500, 1000 on one thread and on all threads (0).
void Sizes(benchmark::internal::Benchmark* b) {
    for (int n : {100, 300, 500, 1000})
        for (int threads : {1, 0}) b->Args({n, threads});
    b->ArgNames({"n", "threads"})->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
}

}  // namespace

BENCHMARK_CAPTURE(BM_Multiply, real, Input::Real)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Multiply, complex, Input::Complex)->Apply(Sizes);
BENCHMARK(BM_MultiplyRealScalars)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Inverse, real, Input::Real)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Inverse, complex, Input::Complex)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_InvertLU, real, Input::Real)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_InvertLU, complex, Input::Complex)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Determinant, real, Input::Real)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Determinant, complex, Input::Complex)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Rank, real, Input::Real)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Rank, complex, Input::Complex)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_LU, real, Input::Real)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_LU, complex, Input::Complex)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_LDL, real, Input::Real)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_LDL, complex, Input::Complex)->Apply(Sizes);
BENCHMARK(BM_QR)->Apply(Sizes);
BENCHMARK(BM_Eigenvalues)->Apply(Sizes);
BENCHMARK(BM_SVD)->Apply(Sizes);
BENCHMARK_MAIN();
