#include "commands/checks/check_factors.h"

#include <cmath>

namespace quorvix::checks {

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
