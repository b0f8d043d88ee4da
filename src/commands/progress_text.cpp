#include "commands/progress_text.h"

#include <algorithm>
#include <cmath>

namespace quorvix {

std::string StageText(const Progress& progress) {
    std::string text = std::to_string(progress.Stage) + " of " + std::to_string(progress.Stages);
    if (progress.Label != nullptr) text += std::string(": ") + progress.Label;
    return text;
}

int WholePercent(double fraction) { return static_cast<int>(std::floor((fraction > 1.0 ? 1.0 : fraction) * 100.0)); }

std::string ElapsedText(std::chrono::milliseconds elapsed) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
    const std::string ss = std::to_string(seconds % 60);
    return std::to_string(seconds / 60) + ":" + (ss.size() < 2 ? "0" : "") + ss;
}

double CommandFraction(const Progress& progress) {
    const double own = progress.Fraction < 0.0 ? -1.0 : std::min(progress.Fraction, 1.0);
    if (progress.Stages <= 0) return own;
    const double stage = std::clamp<double>(progress.Stage, 0.0, progress.Stages);
    return std::min((stage + std::max(own, 0.0)) / progress.Stages, 1.0);
}

std::optional<std::chrono::milliseconds> TimeLeft(double fraction, std::chrono::milliseconds elapsed) {
    // Below a hundredth or a second the rate says little.
    constexpr double kLeast = 0.01;
    constexpr std::chrono::milliseconds kShortest(1000);
    if (fraction < kLeast || elapsed < kShortest) return std::nullopt;
    if (fraction >= 1.0) return std::chrono::milliseconds(0);
    const double left = static_cast<double>(elapsed.count()) * (1.0 - fraction) / fraction;
    return std::chrono::milliseconds(static_cast<std::int64_t>(std::ceil(left)));
}

std::string TimeText(double fraction, std::chrono::milliseconds elapsed) {
    std::string text = ElapsedText(elapsed);
    if (const auto left = TimeLeft(fraction, elapsed)) {
        // Rounded up to the second, so that "0:00 left" means done.
        const auto seconds = std::chrono::ceil<std::chrono::seconds>(*left);
        text += ", about " + ElapsedText(std::chrono::duration_cast<std::chrono::milliseconds>(seconds)) + " left";
    }
    return text;
}

}  // namespace quorvix
