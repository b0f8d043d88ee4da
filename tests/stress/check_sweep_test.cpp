// No false alarms: on well-scaled input (entries of magnitude 1e-3 to 1e3,
// condition below 1e8) every checked operation, real and complex, prints the
// design's text alone, without a " Check: " line. Thousands of small cases
// and a few large ones; the seed is printed and QUORVIX_SEED sets it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "commands/calc_state.h"
#include "commands/operation_table.h"
#include "commands/run_operation.h"
#include "core/errors.h"
#include "linalg/cond.h"
#include "textio/editor_lines.h"

namespace quorvix {
namespace {

std::uint64_t SweepSeed() {
    std::uint64_t seed = 20261209;
    if (const char* s = std::getenv("QUORVIX_SEED"); s != nullptr && *s != '\0') seed = std::strtoull(s, nullptr, 10);
    std::cout << "[ seed     ] QUORVIX_SEED=" << seed << "\n";
    return seed;
}

struct Element {
    double Re = 0;
    double Im = 0;
};
using Dense = std::vector<std::vector<Element>>;

class Cases {
public:
    explicit Cases(std::uint64_t seed) : rng_(seed) {}

    // A magnitude 10^u, u uniform in [-3, 3], with a random sign.
    double Part() {
        const double magnitude = std::pow(10.0, std::uniform_real_distribution<double>(-3.0, 3.0)(rng_));
        return rng_() % 2 == 0 ? magnitude : -magnitude;
    }
    Dense Random(int rows, int cols, bool complex) {
        Dense m(rows, std::vector<Element>(cols));
        for (auto& row : m)
            for (Element& e : row) e = {Part(), complex ? Part() : 0.0};
        return m;
    }
    // A square matrix whose leading blocks are all well conditioned: the
    // off-diagonal entries at most 1e3 / (2n) in magnitude (from 1e-3 on), the
    // diagonal 1e3 in magnitude; symmetric when `symmetric`.
    Dense Dominant(int n, bool complex, bool symmetric) {
        Dense m(n, std::vector<Element>(n));
        const double top = std::log10(1e3 / (2.0 * n));
        std::uniform_real_distribution<double> u(-3.0, std::fmax(top, -3.0));
        auto part = [&] { return (rng_() % 2 == 0 ? 1.0 : -1.0) * std::pow(10.0, u(rng_)); };
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) m[i][j] = {part(), complex ? part() : 0.0};
        for (int i = 0; i < n; ++i) {
            m[i][i] = {rng_() % 2 == 0 ? 1e3 : -1e3, 0.0};
            if (symmetric)
                for (int j = 0; j < i; ++j) m[i][j] = m[j][i];
        }
        return m;
    }
    int Size(int most) { return 1 + static_cast<int>(rng_() % static_cast<std::uint64_t>(most)); }
    bool Coin() { return rng_() % 2 == 0; }

private:
    std::mt19937_64 rng_;
};

double Condition(const Dense& m) {
    linalg::ComplexMatrix c(static_cast<std::int32_t>(m.size()), static_cast<std::int32_t>(m[0].size()));
    for (std::size_t i = 0; i < m.size(); ++i)
        for (std::size_t j = 0; j < m[i].size(); ++j)
            c(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j)) = {m[i][j].Re, m[i][j].Im};
    const linalg::CondResult r = linalg::Cond(c);
    return r.Singular ? INFINITY : r.Value;
}

std::string Text(const Dense& m) {
    std::string text;
    char number[64];
    for (const auto& row : m) {
        for (std::size_t j = 0; j < row.size(); ++j) {
            if (j > 0) text += ' ';
            if (row[j].Im == 0.0)
                std::snprintf(number, sizeof number, "%.17g", row[j].Re);
            else
                std::snprintf(number, sizeof number, "%.17g%+.17gi", row[j].Re, row[j].Im);
            text += number;
        }
        text += '\n';
    }
    return text;
}

// Runs one operation and fails with the case when it wrote a check line.
void ExpectNoCheck(const char* step, const Dense& a, const Dense& b, const std::string& x, int& cases) {
    CalcState s = StartState('.');
    s.MatrixA = SplitEditorText(Text(a));
    s.MatrixB = SplitEditorText(Text(b));
    s.X = x;
    s.Log.KeepRefusals = true;
    try {
        RunOperation(s, *FindOperationByStep(step));
    } catch (const CalcError&) {
        // An error of the design's own (an overflow) is no alarm; its check
        // still ran and must have said nothing.
    }
    ++cases;
    EXPECT_TRUE(s.Log.Checks.empty()) << step << " of " << a.size() << " x " << (a.empty() ? 0 : a[0].size()) << ": "
                                      << (s.Log.Checks.empty() ? "" : s.Log.Checks.front()) << "\nA:\n"
                                      << (a.size() <= 6 ? Text(a) : "(large)");
}

// A square matrix of condition below 1e8.
Dense WellConditioned(Cases& gen, int n, bool complex) {
    for (;;) {
        Dense m = gen.Random(n, n, complex);
        if (Condition(m) < 1e8) return m;
    }
}

void SweepOne(Cases& gen, int n, bool complex, int& cases) {
    const Dense a = WellConditioned(gen, n, complex), b = WellConditioned(gen, n, complex);
    const int k = gen.Size(6);
    ExpectNoCheck("A*B", gen.Random(n, k, complex), gen.Random(k, gen.Size(6), complex), "1", cases);
    ExpectNoCheck("A*B", a, b, "1", cases);
    ExpectNoCheck("A/B", gen.Random(gen.Size(6), n, complex), b, "1", cases);
    ExpectNoCheck("inv(A)", a, b, "1", cases);
    ExpectNoCheck("Det(A)", a, b, "1", cases);
    ExpectNoCheck("Rank(B)", a, b, "1", cases);
    ExpectNoCheck("A^x", a, b, gen.Coin() ? "2" : "-1", cases);
    // B^-2 would invert B*B, whose condition may reach 1e16.
    ExpectNoCheck("B^x", a, b, gen.Coin() ? "3" : "-1", cases);
    const Dense dominant = gen.Dominant(n, complex, false);
    ExpectNoCheck("LU(A)", dominant, b, "1", cases);
    ExpectNoCheck("Chol(B)", a, gen.Dominant(n, complex, gen.Coin()), "1", cases);
    if (!complex) {
        ExpectNoCheck("QR(A)", gen.Random(n + gen.Size(3) - 1, n, false), b, "1", cases);
        ExpectNoCheck("Eig(A)", a, b, "1", cases);
        ExpectNoCheck("Eig(B)", a, gen.Dominant(n, false, true), "1", cases);
        ExpectNoCheck("Svd(A)", gen.Random(n, gen.Size(8), false), b, "1", cases);
    }
}

TEST(CheckSweep, NoFalseAlarmsOnSmallMatrices) {
    Cases gen(SweepSeed());
    int cases = 0;
    for (int c = 0; c < 300; ++c) SweepOne(gen, gen.Size(8), c % 2 == 1, cases);
    std::cout << "[ cases    ] " << cases << "\n";
    EXPECT_GE(cases, 3000);
}

TEST(CheckSweep, NoFalseAlarmsOnMediumMatrices) {
    Cases gen(SweepSeed() + 1);
    int cases = 0;
    for (int n : {20, 50}) {
        SweepOne(gen, n, false, cases);
        SweepOne(gen, n, true, cases);
    }
}

TEST(CheckSweep, NoFalseAlarmsOnLargeMatrices) {
    Cases gen(SweepSeed() + 2);
    int cases = 0;
    for (int n : {100, 300, 500}) {
        const Dense a = WellConditioned(gen, n, false), b = gen.Random(n, n, false);
        ExpectNoCheck("A*B", a, b, "1", cases);
        ExpectNoCheck("Det(A)", WellConditioned(gen, n, false), b, "1", cases);
        ExpectNoCheck("LU(A)", gen.Dominant(n, false, false), b, "1", cases);
        if (n <= 300) {
            ExpectNoCheck("inv(A)", a, b, "1", cases);
            ExpectNoCheck("Rank(A)", a, b, "1", cases);
            ExpectNoCheck("Chol(A)", gen.Dominant(n, false, true), b, "1", cases);
            ExpectNoCheck("Eig(A)", a, b, "1", cases);
            ExpectNoCheck("QR(A)", a, b, "1", cases);
        }
        if (n <= 100) ExpectNoCheck("Svd(A)", a, b, "1", cases);
    }
}

}  // namespace
}  // namespace quorvix
