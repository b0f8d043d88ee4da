#pragma once
// Helpers for the Auto stress tests: matrices of a prescribed kind written as
// editor text, and one Auto run checked against the rules every run must keep
// whatever the numbers are:
//   - the run completes all 43 commands, or stops at a raised floating-point
//     error with the calculator's own message;
//   - no result prints as inf or nan;
//   - the labels come in Auto's order, each with its result ("=") or with a
//     message line after it;
//   - the editors, x and the precision are left as they were.
// Seeds are printed and can be set with QUORVIX_STRESS_SEED.
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "commands/calc_state.h"

namespace quorvix::stress {

// The seed of this run: QUORVIX_STRESS_SEED, or a fixed default.
std::uint64_t Seed();

using Matrix = std::vector<std::vector<double>>;

Matrix RandomMatrix(int rows, int cols, std::mt19937_64& rng, double scale = 1.0);
Matrix Hilbert(int n);
// Rows 1, t, t^2, ... for the nodes t = 1 .. n (integer nodes: entries up to n^(n-1)).
Matrix Vandermonde(int n);

// Editor lines; real elements with 17 significant digits.
EditorLines RealText(const Matrix& m);
// Complex elements "re+imi" / "re-imi" from two matrices of parts.
EditorLines ComplexText(const Matrix& re, const Matrix& im);

struct AutoRun {
    std::optional<std::string> Error;  // the raised message, if the run stopped
    std::size_t Commands = 0;          // labels written
    std::size_t PanelLines = 0;
    double Seconds = 0.0;
    long PeakKiB = 0;  // the process's peak resident memory after the run
};

// Runs Auto on A, B and x and checks the rules above with gtest assertions.
AutoRun RunAutoAndCheck(const EditorLines& a, const EditorLines& b, const std::string& x, const std::string& precision);

// Prints the figures of a run (and records them as test properties).
void Report(const char* name, const AutoRun& run);

}  // namespace quorvix::stress
