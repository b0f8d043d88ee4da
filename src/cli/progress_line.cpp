// What it does not do: it never writes to a stream that is not a terminal,
// and it draws nothing for a step that ends within the delay.
#include "cli/progress_line.h"

#include <unistd.h>

namespace quorvix {

std::string ProgressLineText(const Progress& progress, std::string_view step, std::chrono::milliseconds elapsed) {
    std::string text = progress.Stages > 0 ? "Auto " + StageText(progress) : std::string(step);
    const double fraction = CommandFraction(progress);
    if (fraction >= 0.0) text += " " + std::to_string(WholePercent(fraction)) + " %";
    text += ", " + TimeText(fraction, elapsed) + " (Ctrl+C cancels)";
    return text;
}

ProgressLine::ProgressLine(std::FILE* out, std::chrono::milliseconds delay, std::chrono::milliseconds period)
    : out_(out), delay_(delay), period_(period), thread_([this] { Run(); }) {}

ProgressLine::~ProgressLine() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
        EraseLocked();
    }
    wake_.notify_all();
    thread_.join();
}

bool ProgressLine::IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

void ProgressLine::StepStarted(std::string_view step) {
    std::lock_guard<std::mutex> lock(mutex_);
    step_.assign(step);
    started_ = std::chrono::steady_clock::now();
    running_ = true;
    wake_.notify_all();
}

void ProgressLine::StepEnded() {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    EraseLocked();
}

void ProgressLine::EraseLocked() {
    if (!drawn_) return;
    std::fputs("\r\x1b[K", out_);  // back to the start of the line, which is cleared
    std::fflush(out_);
    drawn_ = false;
}

void ProgressLine::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
        if (!running_) {
            wake_.wait(lock, [&] { return stop_ || running_; });
            continue;
        }
        const auto now = std::chrono::steady_clock::now();
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - started_);
        if (elapsed >= delay_) {
            const std::string text = ProgressLineText(CurrentProgress(), step_, elapsed);
            std::fprintf(out_, "\r%s\x1b[K", text.c_str());
            std::fflush(out_);
            drawn_ = true;
            wake_.wait_for(lock, period_);
        } else {
            wake_.wait_for(lock, delay_ - elapsed);
        }
    }
}

}  // namespace quorvix
