// Running the engine's commands from the window: the controls are copied
// into the state, the command runs (on a worker when it can take long), and
// what it changed is put back into the controls.
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <utility>

#include "core/errors.h"
#include "textio/editor_lines.h"
#include "textio/matrix_reader.h"
#include "ui/busy_strip.h"
#include "ui/editor_text.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/precision_box.h"
#include "ui/result_view.h"

namespace quorvix {

void MainWindow::RunOperation(const Operation& op) {
    RunOnWorker([&op](CalcState& s) { op.Run(s); }, PrecisionUse::Apply, {});
}

void MainWindow::RunNow(const Job& job, PrecisionUse precision) {
    if (!ReadyToRun(precision)) return;
    const std::optional<GuardedOutcome> outcome = runner_.RunNow(job);
    PushControls();
    Report(*outcome);
}

void MainWindow::RunOnWorker(const Job& job, PrecisionUse precision, WorkerRun run) {
    if (!ReadyToRun(precision)) return;
    runner_.Start(job, run.BusyAtOnce);
    runSavesInputs_ = run.SavesInputs;
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
        ShowComplexFormat();
        return false;
    }
    PullControls();
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
    PushControls();
    if (std::exchange(runSavesInputs_, false) && !runner_.Outcome().Error) RememberInputs();
    Report(runner_.Outcome());
    emit CommandFinished();
    if (std::exchange(closePending_, false)) close();
}

void MainWindow::PullControls() {
    CalcState& s = runner_.State();
    s.MatrixA = LinesOf(matrixAEditor_);
    s.MatrixB = LinesOf(matrixBEditor_);
    pulledA_ = s.MatrixA;
    pulledB_ = s.MatrixB;
    s.X = coefficientBox_->text().toStdString();
    s.Precision = precision_->Text();
    result_->Read(s.Panel);
}

void MainWindow::PushControls() {
    // Rewrites (the format switch, the notation tools, Align, Clear, opening
    // a project) print at the display precision: each is one step of its
    // control's undo, so that digits the user typed can be had back.
    const CalcState& s = runner_.State();
    if (s.MatrixA != pulledA_) ReplaceText(matrixAEditor_, TextOf(s.MatrixA));
    if (s.MatrixB != pulledB_) ReplaceText(matrixBEditor_, TextOf(s.MatrixB));
    pulledA_ = s.MatrixA;
    pulledB_ = s.MatrixB;
    const QString x = QString::fromStdString(s.X);
    if (coefficientBox_->text() != x) {
        coefficientBox_->selectAll();
        coefficientBox_->insert(x);
    }
    // Only opening a project changes the precision, and sets the factor from it.
    precision_->Show(s);
    ShowComplexFormat();
    result_->Show(s.Panel);
}

void MainWindow::ShowComplexFormat() {
    QRadioButton* format = runner_.State().Settings.Format == ComplexFormat::Polar ? polarButton_ : rectangularButton_;
    if (!format->isChecked()) format->setChecked(true);
}

void MainWindow::Report(const GuardedOutcome& outcome) {
    // The text that caused an error is selected behind its box, so that it
    // can be put right at once.
    if (outcome.Error && !outcome.Cancelled && outcome.Place) ShowPlace(*outcome.Place);
    const std::vector<std::string> notices = std::move(runner_.State().Notices);
    runner_.State().Notices.clear();
    ReportOutcome(this, outcome, notices);
}

void MainWindow::ShowPlace(const ErrorPlace& place) {
    if (place.Editor == ErrorEditor::X) {
        coefficientBox_->setFocus(Qt::OtherFocusReason);
        coefficientBox_->selectAll();
        return;
    }
    QPlainTextEdit* editor = place.Editor == ErrorEditor::A ? matrixAEditor_ : matrixBEditor_;
    const QTextBlock block = editor->document()->findBlockByNumber(place.Line - 1);
    if (!block.isValid()) return;
    const QString text = block.text();
    const std::string line = text.toStdString();
    const std::optional<TokenExtent> token = FindToken(line, place.Element);
    // The reader counts bytes of UTF-8; the editor counts UTF-16 units.
    auto at = [&](std::size_t bytes) {
        return block.position() +
               static_cast<int>(QString::fromUtf8(line.data(), static_cast<qsizetype>(bytes)).size());
    };
    const int begin = token ? at(token->Begin) : block.position();
    const int end = token ? at(token->End) : block.position() + static_cast<int>(text.size());
    // Scrolled so that the token's end and then its start are in view.
    QTextCursor cursor(editor->document());
    cursor.setPosition(begin);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    cursor.setPosition(end);
    cursor.setPosition(begin, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    editor->setFocus(Qt::OtherFocusReason);
}

void MainWindow::LockInput(bool locked) {
    // The editors keep showing their text and can still be scrolled and
    // copied from; the window's keys and menu items do nothing but Esc.
    for (QPlainTextEdit* editor : {matrixAEditor_, matrixBEditor_, static_cast<QPlainTextEdit*>(result_)})
        editor->setReadOnly(locked);
    coefficientBox_->setReadOnly(locked);
    precision_->SetLocked(locked);
    menu_->SetLocked(locked);
}

}  // namespace quorvix
