#include "commands/checks/check_factors.h"

#include <cmath>
#include <random>

namespace quorvix::checks {

template <typename T>
Matrix<T> Probes(std::int32_t rows) {
    std::mt19937_64 rng(0x51C0FFEE);
    std::normal_distribution<double> normal;
    Matrix<T> x(rows, static_cast<std::int32_t>(kProbeCount));
    for (std::size_t k = 0; k < x.Size(); ++k) {
        if constexpr (std::is_same_v<T, Complex>) {
            const double re = normal(rng), im = normal(rng);
            x.Data()[k] = Complex(re, im) / std::sqrt(2.0);
        } else {
            x.Data()[k] = normal(rng);
        }
    }
    return x;
}
template RealMatrix Probes(std::int32_t);
template ComplexMatrix Probes(std::int32_t);

template <typename T>
long double ProbedNorm(const Matrix<T>& p, const Matrix<T>& q) {
    return DifferenceNorm(p, q) / std::sqrt(kProbeCount);
}
template long double ProbedNorm(const RealMatrix&, const RealMatrix&);
template long double ProbedNorm(const ComplexMatrix&, const ComplexMatrix&);

std::optional<std::string> ResidualLine(long double residual, long double bound, long double norm, const char* identity,
                                        const std::string& advice, const char* normName) {
    const long double floor = static_cast<long double>(kSmallestReported) * norm;
    if (!(residual > std::fmax(bound, floor))) return std::nullopt;
    const double relative = norm > 0 ? static_cast<double>(residual / norm) : static_cast<double>(residual);
    const double explained = norm > 0 ? static_cast<double>(std::fmax(bound, floor) / norm) : 0.0;
    const std::string unit = std::string("*|") + normName + "|";
    return CheckLine(std::string("|") + identity + "| = " + CheckNumber(relative) + unit +
                         " for these factors, where rounding explains at most " + CheckNumber(explained) + unit,
                     std::nullopt, kRoundingRule, advice);
}

}  // namespace quorvix::checks
