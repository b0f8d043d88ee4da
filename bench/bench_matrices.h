#pragma once
// Matrices typed as text, for the benchmarks.
#include <random>
#include <string>
#include <vector>

namespace quorvix::bench {

// An n x n matrix as editor lines; complex elements look like "1.25-3.5i".
inline std::vector<std::string> TypedMatrix(int n, bool complex, unsigned seed = 1) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> d(-9999, 9999);
    std::vector<std::string> lines;
    lines.reserve(n);
    for (int i = 0; i < n; ++i) {
        std::string line;
        for (int j = 0; j < n; ++j) {
            line += std::to_string(d(gen) / 100.0).substr(0, 6);
            if (complex) {
                const int im = d(gen);
                line += im < 0 ? "-" : "+";
                line += std::to_string(std::abs(im) / 100.0).substr(0, 5);
                line += 'i';
            }
            line += ' ';
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace quorvix::bench
