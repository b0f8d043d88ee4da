// Results that carry on, at 2000 x 2000 (and 500 x 500): the full-precision
// editor text of a result (ExactMatrixLines), its export as tsv and as
// Matrix Market, and the import of a tsv text of full-precision doubles,
// real and complex, on one thread and on all threads (last argument 1 or 0).
//   exchange_bench --benchmark_filter='n:2000/'
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/kernel/parallel.h"
#include "files/export_formats.h"
#include "files/import_formats.h"
#include "textio/exact_text.h"

namespace {

using namespace quorvix;

// Arguments: n, 1 for complex elements, the thread count (0: all).
void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"n", "complex", "threads"})
        ->ArgsProduct({{500, 2000}, {0, 1}, {1, 0}})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

// Doubles of full precision, as computed results hold them.
RCOMat Result(int n, bool complex) {
    std::mt19937_64 gen(7);
    std::normal_distribution<double> d;
    RCOMat m(static_cast<std::size_t>(n));
    for (RCOVec& row : m)
        for (int j = 0; j < n; ++j)
            row.push_back(complex ? Scalar::Complex(d(gen), d(gen)) : Scalar::Complex(d(gen), 0));
    return m;
}

void Prepare(benchmark::State& state) { parallel::SetThreadCount(static_cast<int>(state.range(2))); }

void BM_ExactText(benchmark::State& state) {
    Prepare(state);
    const int n = static_cast<int>(state.range(0));
    const RCOMat m = Result(n, state.range(1) != 0);
    for (auto _ : state) {
        EditorLines lines = ExactMatrixLines(m, '.');
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}

void BM_Export(benchmark::State& state, ExportFormat format) {
    Prepare(state);
    const int n = static_cast<int>(state.range(0));
    const KeptResult kept{"A", MatrixResult{Result(n, state.range(1) != 0)}};
    const OutputSettings settings;
    for (auto _ : state) {
        std::string text = ExportText(kept, "", format, settings);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}

void BM_ImportTsv(benchmark::State& state) {
    Prepare(state);
    const int n = static_cast<int>(state.range(0));
    const KeptResult kept{"A", MatrixResult{Result(n, state.range(1) != 0)}};
    const OutputSettings settings;
    const std::string text = ExportText(kept, "", ExportFormat::Tsv, settings);
    ImportLimits limits;
    for (auto _ : state) {
        RCOMat m = ReadImportText(text, "bench.tsv", settings, limits);
        benchmark::DoNotOptimize(m.data());
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}

// Import as "Import matrix into A" does it: the reading, then the editor text.
void BM_ImportIntoEditor(benchmark::State& state) {
    Prepare(state);
    const int n = static_cast<int>(state.range(0));
    const KeptResult kept{"A", MatrixResult{Result(n, state.range(1) != 0)}};
    const OutputSettings settings;
    const std::string text = ExportText(kept, "", ExportFormat::Tsv, settings);
    for (auto _ : state) {
        EditorLines lines = ExactMatrixLines(ReadImportText(text, "bench.tsv", settings), '.');
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}

}  // namespace

BENCHMARK(BM_ExactText)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Export, tsv, ExportFormat::Tsv)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Export, mm, ExportFormat::MatrixMarket)->Apply(Sizes);
BENCHMARK(BM_ImportTsv)->Apply(Sizes);
BENCHMARK(BM_ImportIntoEditor)->Apply(Sizes);

BENCHMARK_MAIN();
