#pragma once
// Running an operation as the front ends run it (with its check) on a small
// state, and reading the " Check: " lines and the numbers in them.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "commands/calc_state.h"
#include "commands/operation_table.h"
#include "commands/run_operation.h"
#include "core/errors.h"
#include "textio/editor_lines.h"

namespace quorvix::checktest {

inline CalcState CheckedState(const std::string& a, const std::string& b = "1", const std::string& x = "1") {
    CalcState s = StartState('.');
    s.MatrixA = SplitEditorText(a);
    s.MatrixB = SplitEditorText(b);
    s.X = x;
    s.Log.KeepRefusals = true;
    return s;
}

// Runs the operation with this step word; the error it raises, or "".
inline std::string RunChecked(CalcState& s, const char* step) {
    try {
        RunOperation(s, *FindOperationByStep(step));
    } catch (const CalcError& e) {
        return e.what();
    }
    return {};
}

// The number after "gives " (after "rank " for a rank), or nan.
inline double GivenNumber(const std::string& line) {
    std::size_t at = line.find("gives ");
    if (at == std::string::npos) return NAN;
    at += 6;
    if (line.compare(at, 5, "rank ") == 0) at += 5;
    return std::strtod(line.c_str() + at, nullptr);
}

// The text of a matrix, rows by lines, each number in full (%.17g).
inline std::string MatrixText(const std::vector<std::vector<double>>& m) {
    std::string text;
    for (const auto& row : m) {
        for (std::size_t j = 0; j < row.size(); ++j) {
            char number[40];
            std::snprintf(number, sizeof number, "%.17g", row[j]);
            text += (j ? " " : "") + std::string(number);
        }
        text += "\n";
    }
    return text;
}

inline std::vector<std::vector<double>> Hilbert(int n) {
    std::vector<std::vector<double>> h(n, std::vector<double>(n));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) h[i][j] = 1.0 / (i + j + 1);
    return h;
}

inline long double Binomial(int n, int k) {
    long double c = 1;
    for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
    return std::nearbyint(c);
}

// Pascal's matrix: binomial(i + j, i), determinant 1.
inline std::vector<std::vector<double>> Pascal(int n) {
    std::vector<std::vector<double>> p(n, std::vector<double>(n));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) p[i][j] = static_cast<double>(Binomial(i + j, i));
    return p;
}

// The exact inverse of Hilbert's matrix (integers), from its closed form.
inline std::vector<std::vector<double>> InverseHilbert(int n) {
    std::vector<std::vector<double>> h(n, std::vector<double>(n));
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            const long double b = Binomial(i + j - 2, i - 1);
            const long double v = (i + j - 1) * Binomial(n + i - 1, n - j) * Binomial(n + j - 1, n - i) * b * b;
            h[i - 1][j - 1] = static_cast<double>((i + j) % 2 == 0 ? v : -v);
        }
    return h;
}

// A rows x cols matrix of rank `rank`, X*Y with X, Y uniform in [-1, 1].
inline std::vector<std::vector<double>> OfRank(int n, int rank, double scale, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<std::vector<double>> x(n, std::vector<double>(rank)), y(rank, std::vector<double>(n)),
        m(n, std::vector<double>(n, 0.0));
    for (auto& row : x)
        for (double& v : row) v = u(rng);
    for (auto& row : y)
        for (double& v : row) v = u(rng);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            double sum = 0;
            for (int k = 0; k < rank; ++k) sum += x[i][k] * y[k][j];
            m[i][j] = sum * scale;
        }
    return m;
}

}  // namespace quorvix::checktest
