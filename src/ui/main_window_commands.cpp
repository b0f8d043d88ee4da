// Running the engine's commands from the window: the controls are read into
// the runner's state, the command runs (on the worker when it can take
// long), and the state is shown in the controls again.
#include <QCoreApplication>
#include <utility>

#include "commands/run_operation.h"
#include "ui/busy_strip.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/precision_box.h"
#include "ui/result_view.h"

namespace quorvix {

void MainWindow::RunOperation(const Operation& op) {
    RunOnWorker([&op](CalcState& s) { quorvix::RunOperation(s, op); }, PrecisionUse::Apply, {});
}

void MainWindow::RunNow(const Job& job, PrecisionUse precision) {
    if (!ReadyToRun(precision)) return;
    const std::optional<GuardedOutcome> outcome = runner_.RunNow(job);
    ShowState();
    Report(*outcome);
}

void MainWindow::RunOnWorker(const Job& job, PrecisionUse precision, WorkerRun run) {
    if (!ReadyToRun(precision)) return;
    runner_.Start(job, run.BusyAtOnce);
    runSavesInputs_ = run.SavesInputs;
    runSavesResults_ = run.SavesResults;
    LockInput(true);
    // A command that is still running after a moment shows the busy cursor,
    // the Cancel button and its progress.
    busyStrip_->Start();
}

bool MainWindow::ReadyToRun(PrecisionUse precision) {
    // One command at a time; input that arrives meanwhile is dropped.
    if (runner_.Running()) return false;
    if (precision == PrecisionUse::Apply && !precision_->Apply(runner_)) {
        // Told why; the format choice that asked for this shows the format in use again.
        inputs_->ShowFormat(runner_.State().Settings.Format);
        return false;
    }
    ReadControls();
    return true;
}

void MainWindow::WaitForCommand() {
    while (runner_.Running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void MainWindow::CancelCommand() {
    if (!runner_.Running()) return;
    runner_.Cancel();
    cancelledAt_.start();
}

void MainWindow::CommandDone() {
    // The controls take text again before the results go into them.
    busyStrip_->Stop();
    LockInput(false);
    ShowState();
    if (std::exchange(runSavesInputs_, false) && !runner_.Outcome().Error) savedInputs_ = inputs_->Texts();
    if (std::exchange(runSavesResults_, false) && !runner_.Outcome().Error)
        savedResults_ = runner_.State().Panel.Lines();
    Report(runner_.Outcome());
    emit CommandFinished();
    if (std::exchange(closePending_, false)) close();
}

void MainWindow::ReadControls() {
    CalcState& s = runner_.State();
    inputs_->Read(s);
    s.Precision = precision_->Text();
    result_->Read(s.Panel);
}

void MainWindow::ShowState() {
    // Rewrites (the format switch, the notation tools, Align, Clear, opening
    // a project) print at the display precision.
    const CalcState& s = runner_.State();
    inputs_->Show(s);
    // Only opening a project changes the precision, and sets the factor from it.
    precision_->Show(s);
    result_->Show(s.Panel);
}

void MainWindow::Report(const GuardedOutcome& outcome) {
    // The text that caused an error is selected behind its box, so that it
    // can be put right at once.
    if (outcome.Error && !outcome.Cancelled && outcome.Place) inputs_->ShowPlace(*outcome.Place);
    ShowHints();
    const std::vector<std::string> notices = std::move(runner_.State().Notices);
    runner_.State().Notices.clear();
    ReportOutcome(this, outcome, notices);
}

void MainWindow::LockInput(bool locked) {
    // The editors keep showing their text and can still be scrolled and
    // copied from; the window's keys and menu items do nothing but Esc.
    inputs_->SetLocked(locked);
    result_->setReadOnly(locked);
    menu_->SetLocked(locked);
}

}  // namespace quorvix
