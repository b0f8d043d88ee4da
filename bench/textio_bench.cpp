// Reading a typed matrix and printing it, at n = 100, 300, 500 and 1000, real
// and complex elements as a user types them (two decimals), on one thread and
// on all threads (last argument 1 or 0): both must grow linearly with the
// number of elements.
//   textio_bench --benchmark_filter='Read.*n:1000/'
#include <benchmark/benchmark.h>

#include "bench_matrices.h"
#include "core/kernel/parallel.h"
#include "textio/matrix_reader.h"
#include "textio/result_writer.h"

namespace {

using namespace quorvix;

// Arguments: n, 1 for complex elements, the thread count (0: all).
void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"n", "complex", "threads"})
        ->ArgsProduct({{100, 300, 500, 1000}, {0, 1}, {1, 0}})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void Threads(benchmark::State& state, int arg) { parallel::SetThreadCount(static_cast<int>(state.range(arg))); }

void BM_ReadMatrix(benchmark::State& state) {
    Threads(state, 2);
    const int n = static_cast<int>(state.range(0));
    const auto lines = bench::TypedMatrix(n, state.range(1) != 0);
    OutputSettings settings;
    RCOMat m;
    for (auto _ : state) {
        const std::int32_t rows = CountRows(lines);
        const std::int32_t cols = CountColumns(lines).Columns;
        SizeMatrix(m, rows, cols);
        ReadMatrix(lines, rows, cols, m, settings);
        benchmark::DoNotOptimize(m.data());
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}

void BM_ReadRealMatrix(benchmark::State& state) {
    Threads(state, 1);
    const int n = static_cast<int>(state.range(0));
    const auto lines = bench::TypedMatrix(n, false);
    RCOMat m;
    for (auto _ : state) {
        SizeMatrix(m, n, n);
        ReadRealMatrix(lines, n, n, m, '.');
        benchmark::DoNotOptimize(m.data());
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}

void BM_WriteResult(benchmark::State& state) {
    Threads(state, 2);
    const int n = static_cast<int>(state.range(0));
    const auto lines = bench::TypedMatrix(n, state.range(1) != 0);
    OutputSettings settings;
    MatrixResult result;
    SizeMatrix(result.Matrix, n, n);
    ReadMatrix(lines, n, n, result.Matrix, settings);
    for (auto _ : state) {
        ResultPanel panel;
        panel.AddLine("A");
        WriteResult(result, panel, settings);
        benchmark::DoNotOptimize(panel.Lines().data());
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}

}  // namespace

BENCHMARK(BM_ReadMatrix)->Apply(Sizes);
BENCHMARK(BM_ReadRealMatrix)
    ->ArgNames({"n", "threads"})
    ->ArgsProduct({{100, 300, 500, 1000}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_WriteResult)->Apply(Sizes);
BENCHMARK_MAIN();
