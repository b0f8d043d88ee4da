// Running the engine's commands from the window: the controls are copied
// into the state, the command runs (on a worker when it can take long), and
// what it changed is put back into the controls.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>
#include <iterator>

#include "core/cancel.h"
#include "core/errors.h"
#include "quorvix_version.h"
#include "textio/editor_lines.h"
#include "textio/matrix_reader.h"
#include "ui/busy_strip.h"
#include "ui/editor_text.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"
#include "ui/result_view.h"
#include "ui/title_frame.h"

namespace quorvix {

namespace {

// The input a running command does not take: keys, clicks, the wheel, menus
// asked for, text from an input method and dropped files.
bool IsInput(QEvent::Type type) {
    switch (type) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: return true;
        default: return false;
    }
}

// Where the text of an error is, as the error box's second line.
QString PlaceText(const ErrorPlace& place) {
    if (place.Editor == ErrorEditor::X) return QStringLiteral("the x box");
    return QStringLiteral("Matrix %1, line %2, element %3")
        .arg(place.Editor == ErrorEditor::A ? QLatin1Char('A') : QLatin1Char('B'))
        .arg(place.Line)
        .arg(place.Element);
}

}  // namespace

void MainWindow::Run(const Job& job, RunMode mode, PrecisionUse precision, bool busyAtOnce) {
    // One command at a time; input that arrives meanwhile is dropped (see eventFilter).
    if (runner_.Running()) return;
    if (precision == PrecisionUse::Apply && !ApplyPrecision()) {
        // Told why; the format choice that asked for this shows the format in use again.
        ShowComplexFormat();
        return;
    }
    PullControls();
    if (mode == RunMode::Inline) {
        ClearCancel();
        const GuardedOutcome outcome = RunGuarded(state_, job);
        PushControls();
        Report(outcome);
        return;
    }
    runner_.Start(std::move(state_), job);
    state_ = CalcState{};
    BeginBusy(busyAtOnce);
}

void MainWindow::RunOperation(const Operation& op) { Run(op.Run, RunMode::Worker, PrecisionUse::Apply); }

void MainWindow::WaitForCommand() {
    while (runner_.Running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void MainWindow::CancelCommand() {
    if (!runner_.Running()) return;
    runner_.Cancel();
    cancelledAt_.start();
}

void MainWindow::CommandDone() {
    state_ = runner_.TakeState();
    // The controls take text again before the results go into them.
    EndBusy();
    PushControls();
    if (remembersInputs_ && !runner_.Outcome().Error) RememberInputs();
    remembersInputs_ = false;
    Report(runner_.Outcome());
    emit CommandFinished();
    if (closePending_) {
        closePending_ = false;
        close();
    }
}

void MainWindow::PullControls() {
    state_.MatrixA = LinesOf(matrixAEditor_);
    state_.MatrixB = LinesOf(matrixBEditor_);
    pulledA_ = state_.MatrixA;
    pulledB_ = state_.MatrixB;
    state_.X = coefficientBox_->text().toStdString();
    state_.Precision = precisionBox_->currentText().toStdString();
    result_->Read(state_.Panel);
}

void MainWindow::PushControls() {
    // Rewrites (the format switch, the notation tools, Align, Clear, opening
    // a project) print at the display precision: each is one step of its
    // control's undo, so that digits the user typed can be had back.
    if (state_.MatrixA != pulledA_) ReplaceText(matrixAEditor_, TextOf(state_.MatrixA));
    if (state_.MatrixB != pulledB_) ReplaceText(matrixBEditor_, TextOf(state_.MatrixB));
    pulledA_ = state_.MatrixA;
    pulledB_ = state_.MatrixB;
    const QString x = QString::fromStdString(state_.X);
    if (coefficientBox_->text() != x) {
        coefficientBox_->selectAll();
        coefficientBox_->insert(x);
    }
    const QString precision = QString::fromStdString(state_.Precision);
    if (precisionBox_->currentText() != precision) {
        // Only opening a project changes it, and sets the factor from it.
        const QSignalBlocker block(precisionBox_);
        precisionBox_->setEditText(precision);
        appliedPrecision_ = checkedPrecision_ = precision;
        ShowPrecisionValidity();
    }
    ShowComplexFormat();
    result_->Show(state_.Panel);
}

void MainWindow::ShowComplexFormat() {
    QRadioButton* format = state_.Settings.Format == ComplexFormat::Polar ? polarButton_ : rectangularButton_;
    if (!format->isChecked()) format->setChecked(true);
}

void MainWindow::Report(const GuardedOutcome& outcome) {
    // A cancel is the user's own wish: nothing to tell.
    if (outcome.Error && !outcome.Cancelled) {
        QString text = QString::fromStdString(*outcome.Error) + QLatin1Char('.');
        // An error caused by typed text says where that text is, and selects
        // it (behind the box) so that it can be put right at once.
        if (outcome.Place) {
            text += QLatin1Char('\n') + PlaceText(*outcome.Place);
            ShowPlace(*outcome.Place);
        }
        QMessageBox::critical(this, QString::fromLatin1(kProgramName), text);
    }
    std::vector<std::string> notices = std::move(state_.Notices);
    state_.Notices.clear();
    for (const std::string& notice : notices)
        QMessageBox::warning(this, QString::fromLatin1(kProgramName), QString::fromStdString(notice));
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

void MainWindow::BeginBusy(bool busyAtOnce) {
    qApp->installEventFilter(this);
    LockInput(true);
    busyStrip_->Start();
    if (busyAtOnce && !busyCursor_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        busyCursor_ = true;
    }
    // A command that is still running after a moment shows the busy cursor,
    // the Cancel button and its progress.
    busyTimer_->start();
}

void MainWindow::ShowBusy() {
    if (!runner_.Running()) return;
    if (!busyCursor_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        busyCursor_ = true;
    }
    busyStrip_->Reveal();
}

void MainWindow::EndBusy() {
    busyTimer_->stop();
    if (busyCursor_) {
        QApplication::restoreOverrideCursor();
        busyCursor_ = false;
    }
    busyStrip_->Stop();
    LockInput(false);
    qApp->removeEventFilter(this);
}

void MainWindow::LockInput(bool locked) {
    // The editors keep showing their text and can still be scrolled and
    // copied from; the window's keys and menu items do nothing but Esc.
    for (QPlainTextEdit* editor : {matrixAEditor_, matrixBEditor_, static_cast<QPlainTextEdit*>(result_)})
        editor->setReadOnly(locked);
    coefficientBox_->setReadOnly(locked);
    precisionBox_->lineEdit()->setReadOnly(locked);
    menu_->SetLocked(locked);
}

bool MainWindow::Drops(QObject* watched, QEvent::Type type) const {
    if (!IsInput(type)) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return false;
    // Cancel, and the title bar (to move, minimize or close the window, which
    // stops the command first), stay usable.
    if (busyStrip_->isAncestorOf(widget)) return false;
    const std::vector<QWidget*> frame = frame_->WindowControls();
    if (std::find(frame.begin(), frame.end(), widget) != frame.end()) return false;
    // So do the editors' scroll bars and wheel: looking changes nothing.
    for (const QPlainTextEdit* editor : {matrixAEditor_, matrixBEditor_, static_cast<QPlainTextEdit*>(result_)}) {
        if (!editor->isAncestorOf(widget)) continue;
        if (type == QEvent::Wheel || qobject_cast<QScrollBar*>(widget) != nullptr) return false;
    }
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!runner_.Running() || !Drops(watched, event->type())) return false;
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Taken here, so that no shortcut of the window fires; Esc then
            // arrives as a key press.
            event->accept();
            return true;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) PressEscape();
            return true;
        default:
            // Whatever the user did meanwhile is not done later either: a
            // click or a key meant for the window as it was could land on
            // changed results.
            return true;
    }
}

}  // namespace quorvix
