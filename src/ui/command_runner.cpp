#include "ui/command_runner.h"

#include <QApplication>
#include <QTimer>
#include <cassert>

#include "core/cancel.h"

namespace quorvix {

namespace {

constexpr int kSlowMilliseconds = 250;

}  // namespace

CommandRunner::CommandRunner(QWidget* window, CalcState state)
    : state_(std::move(state)), gate_(window), slowTimer_(new QTimer(this)) {
    slowTimer_->setSingleShot(true);
    slowTimer_->setInterval(kSlowMilliseconds);
    connect(slowTimer_, &QTimer::timeout, this, [this] {
        if (!running_) return;
        ShowBusyCursor();
        emit Slow();
    });
}

CommandRunner::~CommandRunner() {
    if (worker_.joinable()) {
        Cancel();
        worker_.join();
    }
    if (busyCursor_) QApplication::restoreOverrideCursor();
}

CalcState& CommandRunner::State() {
    assert(!running_ && "the state is the worker's while a command runs");
    return state_;
}

std::optional<GuardedOutcome> CommandRunner::RunNow(const Job& job) {
    if (running_) return std::nullopt;
    ClearCancel();
    return RunGuarded(state_, job);
}

void CommandRunner::Start(Job job, bool busyAtOnce) {
    if (running_) return;
    if (worker_.joinable()) worker_.join();
    running_ = true;
    outcome_ = {};
    gate_.BeginDropping();
    if (busyAtOnce) ShowBusyCursor();
    slowTimer_->start();
    // Lowered here, before the worker exists, so that a cancel asked for at
    // once is not lost; the last command's progress goes with it.
    ClearCancel();
    SetProgressStage(0, 0, nullptr);
    worker_ = std::thread([this, job = std::move(job)] {
        outcome_ = RunGuarded(state_, job);
        QMetaObject::invokeMethod(this, &CommandRunner::Done, Qt::QueuedConnection);
    });
}

void CommandRunner::ShowBusyCursor() {
    if (busyCursor_) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busyCursor_ = true;
}

void CommandRunner::Done() {
    if (!running_) return;
    if (worker_.joinable()) worker_.join();
    running_ = false;
    slowTimer_->stop();
    if (busyCursor_) {
        QApplication::restoreOverrideCursor();
        busyCursor_ = false;
    }
    gate_.EndDropping();
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

}  // namespace quorvix
