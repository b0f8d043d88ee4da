#include "stress/auto_stress.h"

#include <sys/resource.h>
#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include <gtest/gtest.h>

#include "commands/auto_run.h"
#include "commands/operation_table.h"
#include "commands/set_precision.h"
#include "core/errors.h"
#include "core/kernel/fpu.h"
#include "core/scalar.h"
#include "textio/output_settings.h"

namespace quorvix::stress {

std::uint64_t Seed() {
    static const std::uint64_t seed = [] {
        const char* text = std::getenv("QUORVIX_STRESS_SEED");
        const std::uint64_t s = text != nullptr ? std::strtoull(text, nullptr, 10) : 20240611u;
        std::printf("stress seed %" PRIu64 " (set QUORVIX_STRESS_SEED to repeat another)\n", s);
        return s;
    }();
    return seed;
}

Matrix RandomMatrix(int rows, int cols, std::mt19937_64& rng, double scale) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Matrix m(static_cast<std::size_t>(rows), std::vector<double>(static_cast<std::size_t>(cols)));
    for (auto& row : m)
        for (double& v : row) v = u(rng) * scale;
    return m;
}

Matrix Hilbert(int n) {
    Matrix m(static_cast<std::size_t>(n), std::vector<double>(static_cast<std::size_t>(n)));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) m[i][j] = 1.0 / (i + j + 1);
    return m;
}

Matrix Vandermonde(int n) {
    Matrix m(static_cast<std::size_t>(n), std::vector<double>(static_cast<std::size_t>(n)));
    for (int i = 0; i < n; ++i) {
        double p = 1.0;
        for (int j = 0; j < n; ++j) {
            m[i][j] = p;
            p *= i + 1;
        }
    }
    return m;
}

namespace {

std::string Number(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

const std::vector<std::string_view> kFloatingPointMessages = {kOverflowMessage, kZeroDivideMessage, kInvalidOpMessage,
                                                              kComplexDivisionMessage};

bool IsRefusal(const std::string& line) {
    return line.rfind(" Error:", 0) == 0 || line.rfind(" Notice:", 0) == 0 || line.rfind(" No Cholesky", 0) == 0;
}

bool NamesCommand(const std::string& line, const Operation& op) {
    const std::string_view label = op.Label;
    if (label.ends_with("^(")) {
        // "A^(n)" or "A^(n)="
        return line.rfind(op.Label, 0) == 0 && (line.ends_with(")") || line.ends_with(")="));
    }
    return line == label || line == std::string(label) + "=";
}

long PeakResidentKiB() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // kibibytes on Linux
}

// The panel of a run: no inf or nan text, and the labels in Auto's order,
// each printed ("=") or followed by a message line (the last one may have
// been stopped by the raised error). Counts the labels into run.Commands.
void CheckPanel(const CalcState& s, AutoRun& run) {
    const auto& lines = s.Panel.Lines();
    const auto ops = Operations();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        std::string lower = line;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        ASSERT_EQ(lower.find("inf"), std::string::npos) << "line " << k << ": " << line;
        ASSERT_EQ(lower.find("nan"), std::string::npos) << "line " << k << ": " << line;
        if (line.empty() || line[0] == ' ' || line.rfind("Warning", 0) == 0) continue;
        // A label line: the next command of Auto's order.
        ASSERT_LT(run.Commands, ops.size()) << "more labels than commands at line " << k << ": " << line;
        const Operation& op = ops[run.Commands++];
        ASSERT_TRUE(NamesCommand(line, op)) << "line " << k << " is '" << line << "', expected " << op.Label;
        const bool printed = line.back() == '=';
        const bool last = run.Commands == ops.size() ||
                          std::none_of(lines.begin() + static_cast<long>(k) + 1, lines.end(), [](const std::string& l) {
                              return !l.empty() && l[0] != ' ' && l.rfind("Warning", 0) != 0;
                          });
        if (!printed && !(last && run.Error)) {
            ASSERT_LT(k + 1, lines.size());
            EXPECT_TRUE(IsRefusal(lines[k + 1])) << op.Label << " has neither a result nor a message: " << lines[k + 1];
        }
    }
}

}  // namespace

EditorLines RealText(const Matrix& m) {
    EditorLines lines;
    for (const auto& row : m) {
        std::string line;
        for (double v : row) {
            if (!line.empty()) line += ' ';
            line += Number(v);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

EditorLines ComplexText(const Matrix& re, const Matrix& im) {
    EditorLines lines;
    for (std::size_t i = 0; i < re.size(); ++i) {
        std::string line;
        for (std::size_t j = 0; j < re[i].size(); ++j) {
            if (!line.empty()) line += ' ';
            line += Number(re[i][j]);
            line += std::signbit(im[i][j]) ? '-' : '+';
            line += Number(std::fabs(im[i][j]));
            line += 'i';
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

AutoRun RunAutoAndCheck(const EditorLines& a, const EditorLines& b, const std::string& x,
                        const std::string& precision) {
    CalcState s;
    s.MatrixA = a;
    s.MatrixB = b;
    s.X = x;
    SetPrecision(s, precision);

    AutoRun run;
    const auto start = std::chrono::steady_clock::now();
    try {
        RunAuto(s);
    } catch (const CalcError& e) {
        run.Error = e.what();
    }
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.PeakKiB = PeakResidentKiB();
    run.PanelLines = s.Panel.LineCount();

    EXPECT_EQ(s.MatrixA, a);
    EXPECT_EQ(s.MatrixB, b);
    EXPECT_EQ(s.X, x);
    EXPECT_EQ(s.Precision, precision);
    if (run.Error) {
        EXPECT_NE(std::find(kFloatingPointMessages.begin(), kFloatingPointMessages.end(), *run.Error),
                  kFloatingPointMessages.end())
            << "stopped with: " << *run.Error;
    }

    CheckPanel(s, run);
    if (!run.Error) {
        EXPECT_EQ(run.Commands, Operations().size());
    }
    return run;
}

void Report(const char* name, const AutoRun& run) {
    std::printf("%s: %s after %zu commands, %zu panel lines, %.2f s, peak resident %ld KiB\n", name,
                run.Error ? run.Error->c_str() : "completed", run.Commands, run.PanelLines, run.Seconds, run.PeakKiB);
    testing::Test::RecordProperty("seconds", std::to_string(run.Seconds));
    testing::Test::RecordProperty("peak_kib", std::to_string(run.PeakKiB));
    testing::Test::RecordProperty("outcome", run.Error ? *run.Error : "completed");
}

}  // namespace quorvix::stress
