#pragma once
// quorvix-cli's progress line: while a step has run for more than a second,
// one line on a terminal's standard error says how far the running command
// has got, as the window's progress bar does, and is erased when the step
// ends. Scripts never see it: it is drawn only on a terminal.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "commands/progress_text.h"
#include "core/cancel.h"

namespace quorvix {

// The line's text: the step (or Auto's stage, "12 of 43: Det(A)"), the
// whole command's fraction when it is known (for Auto, of all its commands),
// the elapsed time (m:ss), the time left where it can be told, and how to
// stop it.
std::string ProgressLineText(const Progress& progress, std::string_view step, std::chrono::milliseconds elapsed);

class ProgressLine {
public:
    // Draws on `out` (a terminal) once a step has run for `delay`, and
    // refreshes the line every `period`.
    explicit ProgressLine(std::FILE* out, std::chrono::milliseconds delay = std::chrono::seconds(1),
                          std::chrono::milliseconds period = std::chrono::milliseconds(200));
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // A step starts; `step` names it (a literal or a string that outlives the step).
    void StepStarted(std::string_view step);
    // The step has ended: the line, if drawn, is erased before this returns.
    void StepEnded();

    // True when `stream` is a terminal: only then is a progress line wanted.
    static bool IsTerminal(std::FILE* stream);

private:
    void Run();
    void EraseLocked();

    std::FILE* out_;
    std::chrono::milliseconds delay_;
    std::chrono::milliseconds period_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool running_ = false;  // a step is running
    bool drawn_ = false;    // the line is on the terminal
    bool stop_ = false;
    std::string step_;
    std::chrono::steady_clock::time_point started_;
    std::thread thread_;
};

}  // namespace quorvix
