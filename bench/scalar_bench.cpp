// The cost of one Scalar multiply-add, the inner step of every product and
// elimination; it must stay a handful of nanoseconds and never allocate.
#include <benchmark/benchmark.h>

#include "core/matrice2.h"
#include "core/scalar.h"

namespace {

using namespace quorvix;

void BM_ComplexMultiplyAdd(benchmark::State& state) {
    Scalar acc = Scalar::Integer(0);
    const Scalar a = Scalar::Complex(0.5, -0.25), b = Scalar::Complex(1.0, 0.125);
    for (auto _ : state) {
        acc += a * b;
        benchmark::DoNotOptimize(acc);
    }
}

void BM_RealMultiplyAdd(benchmark::State& state) {
    Scalar acc = Scalar::Integer(0);
    const Scalar a = Scalar::Real(0.5), b = Scalar::Real(1.25);
    for (auto _ : state) {
        acc += a * b;
        benchmark::DoNotOptimize(acc);
    }
}

void BM_MatMultiply(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    RCOMat a, b, c;
    SizeMatrix(a, n, n);
    SizeMatrix(b, n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            a[i][j] = Scalar::Complex(1.0 / (i + j + 1), 0.5);
            b[i][j] = Scalar::Complex(0.25, 1.0 / (i + 2 * j + 1));
        }
    for (auto _ : state) {
        MatMultiply(a, b, c);
        benchmark::DoNotOptimize(c.data());
    }
    state.SetItemsProcessed(state.iterations() * n * n * n);
}

}  // namespace

BENCHMARK(BM_ComplexMultiplyAdd);
BENCHMARK(BM_RealMultiplyAdd);
BENCHMARK(BM_MatMultiply)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
