#include "ui/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "quorvix_version.h"
#include "textio/locale_number.h"
#include "ui/about_box.h"
#include "ui/busy_strip.h"
#include "ui/control_look.h"
#include "ui/help_window.h"
#include "ui/message_boxes.h"
#include "ui/result_view.h"
#include "ui/skin.h"
#include "ui/title_frame.h"

namespace quorvix {

namespace {

constexpr qint64 kEscapeQuietMilliseconds = 1000;

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      // The identity in both input editors where the locale's decimal mark
      // is one the editors can read; the start settings.
      runner_(this, StartStateForLocale(LocaleDecimalMark())) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kProgramTitle));  // "Quorvix 5.4": the name and the short version
    setWindowIcon(ApplicationIcon());
    setFont(Font(QStringLiteral("MS Sans Serif"), 11));
    setFixedSize(kWindowWidth, kWindowHeight);
    move(252, 72);

    CreateFrame();
    CreatePanel();
    ConnectMenu();
    CreateEditorMenus();

    // Moving, minimizing and closing the window and Cancel work while a
    // command runs; so do the editors' scroll bars.
    InputGate& gate = runner_.Gate();
    gate.KeepUsable(busyStrip_);
    for (QWidget* control : frame_->WindowControls()) gate.KeepUsable(control);
    for (QWidget* editor : std::initializer_list<QWidget*>{matrixAEditor_, matrixBEditor_, result_})
        gate.KeepScrollable(editor);
    connect(&gate, &InputGate::EscapePressed, this, &MainWindow::PressEscape);
    connect(&runner_, &CommandRunner::Slow, busyStrip_, &BusyStrip::Reveal);
    connect(&runner_, &CommandRunner::Finished, this, &MainWindow::CommandDone);
    frame_->Redraw();
    ShowStartState();
}

MainWindow::~MainWindow() {
    // A command still running is stopped; its results go nowhere.
    disconnect(&runner_, nullptr, this, nullptr);
    if (runner_.Running()) {
        runner_.Cancel();
        runner_.Wait();
    }
}

void MainWindow::ShowStartState() {
    PushControls();
    // What the editors start with is nothing to lose.
    for (QPlainTextEdit* editor : {matrixAEditor_, matrixBEditor_}) editor->document()->clearUndoRedoStacks();
    RememberInputs();
}

bool MainWindow::CanResize(int& width, int& height) const {
    width = this->width();
    height = this->height();
    return false;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize design(kWindowWidth, kWindowHeight);
    if (event->size() != design) {
        // The fixed size already keeps the window from growing or shrinking;
        // a platform that ignores it is put back.
        int w = event->size().width(), h = event->size().height();
        if (!CanResize(w, h)) {
            QTimer::singleShot(0, this, [this] { resize(kWindowWidth, kWindowHeight); });
            return;
        }
    }
    // Sizes reported while the window is still being built find no frame yet.
    if (frame_ != nullptr) frame_->Redraw();
}

bool MainWindow::StartSystemMove() {
    QWindow* window = windowHandle();
    return window != nullptr && window->startSystemMove();
}

void MainWindow::PressEscape() {
    // Esc is the key of Exit. While a command runs it only stops the command,
    // and in the second after a cancel it does nothing: a user who pressed
    // Esc twice to stop a slow command must not lose the window with it.
    if (runner_.Running()) {
        CancelCommand();
        return;
    }
    if (cancelledAt_.isValid() && cancelledAt_.elapsed() < kEscapeQuietMilliseconds) return;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (runner_.Running()) {
        // Close once the command has stopped.
        closePending_ = true;
        runner_.Cancel();
        event->ignore();
        return;
    }
    if (InputsChanged() && !AskToQuitUnsaved(this)) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

MainWindow::InputTexts MainWindow::CurrentInputs() const {
    return {matrixAEditor_->toPlainText(), matrixBEditor_->toPlainText(), coefficientBox_->text()};
}

void MainWindow::RememberInputs() { savedInputs_ = CurrentInputs(); }

bool MainWindow::InputsChanged() const { return !(CurrentInputs() == savedInputs_); }

void MainWindow::OpenManual() { HelpWindow::ShowFor(this); }

// QUORVIX_HOMEPAGE_ADDRESS comes from the build's cache variable of that name.
const char* MainWindow::HomePageAddress() { return QUORVIX_HOMEPAGE_ADDRESS; }

void MainWindow::OpenHomePage() {
    // There is no real home page unless the build names one.
    const QString address = QString::fromUtf8(HomePageAddress());
    if (address.isEmpty())
        AboutBox::ShowFor(this);
    else
        OpenAddress(this, QUrl(address));  // a failure shows an error box
}

}  // namespace quorvix
