#include "ui/command_runner.h"

#include "core/cancel.h"

namespace quorvix {

CommandRunner::CommandRunner(QObject* parent) : QObject(parent) {}

CommandRunner::~CommandRunner() {
    if (worker_.joinable()) {
        Cancel();
        worker_.join();
    }
}

void CommandRunner::Start(CalcState state, Job job) {
    if (running_) return;
    if (worker_.joinable()) worker_.join();
    running_ = true;
    outcome_ = {};
    state_ = std::move(state);
    // Lowered here, before the worker exists, so that a cancel asked for at
    // once is not lost; the last command's progress goes with it.
    ClearCancel();
    SetProgressStage(0, 0, nullptr);
    worker_ = std::thread([this, job = std::move(job)] {
        outcome_ = RunGuarded(state_, job);
        QMetaObject::invokeMethod(this, &CommandRunner::Done, Qt::QueuedConnection);
    });
}

void CommandRunner::Done() {
    if (!running_) return;
    if (worker_.joinable()) worker_.join();
    running_ = false;
    emit Finished();
}

void CommandRunner::Cancel() {
    if (running_) RequestCancel();
}

void CommandRunner::Wait() {
    if (worker_.joinable()) worker_.join();
    // The queued Done() may not have been delivered yet; finish here.
    Done();
}

CalcState CommandRunner::TakeState() { return std::move(state_); }

}  // namespace quorvix
