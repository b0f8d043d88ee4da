// Reading a typed matrix and printing it: both must grow linearly with the
// number of elements.
#include <benchmark/benchmark.h>

#include "bench_matrices.h"
#include "textio/matrix_reader.h"
#include "textio/result_writer.h"

namespace {

using namespace quorvix;

void BM_ReadMatrix(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool complex = state.range(1) != 0;
    const auto lines = bench::TypedMatrix(n, complex);
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

void BM_WriteResult(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool complex = state.range(1) != 0;
    const auto lines = bench::TypedMatrix(n, complex);
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

BENCHMARK(BM_ReadMatrix)->ArgsProduct({{100, 500, 1000}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteResult)->ArgsProduct({{100, 500, 1000}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
