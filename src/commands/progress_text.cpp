#include "commands/progress_text.h"

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

}  // namespace quorvix
