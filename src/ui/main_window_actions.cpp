// The menu and toolbar commands, each handed to the engine's own routine.
#include <QAction>
#include <QEvent>
#include <QUrl>
#include <utility>

#include "commands/auto_run.h"
#include "commands/editor_tools.h"
#include "files/project_file.h"
#include "files/qvx_project.h"
#include "files/result_file.h"
#include "files/text_files.h"
#include "ui/about_box.h"
#include "ui/help_pages.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

namespace quorvix {

namespace {

constexpr qint64 kEscapeQuietMilliseconds = 1000;

// Notes when an action is triggered by its key: the key's event comes to
// the action before it triggers.
class ShortcutWatch : public QObject {
public:
    ShortcutWatch(QObject* parent, bool& byKey) : QObject(parent), byKey_(byKey) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Shortcut) byKey_ = true;
        return QObject::eventFilter(watched, event);
    }

private:
    bool& byKey_;
};

}  // namespace

void MainWindow::AskAndOpenProject() {
    if (CommandRunning()) return;
    const std::optional<std::string> path = dialogs_.ProjectToOpen(this);
    if (!path) return;
    OpenProjectFile(*path);
}

void MainWindow::OpenProjectFile(const std::string& path) {
    if (CommandRunning()) return;
    // A Matrix Market file is a matrix to import, not a damaged project.
    if (OfferImport(path)) return;
    // A text project brings the panel's lines as they were saved.
    RunOnWorker([file = path](CalcState& s) { OpenProject(s, file); }, PrecisionUse::None,
                {.SavesInputs = true, .SavesResults = IsTextProjectPath(path)});
}

void MainWindow::AskAndSaveProject() {
    if (CommandRunning()) return;
    // Complex and polar elements only a text project keeps.
    const bool textProject = TextProjectNeeded();
    const std::optional<std::string> path = dialogs_.ProjectToSave(this, textProject);
    if (!path) return;
    const std::string file = WithDefaultExtension(*path, textProject ? kTextProjectExtension : kProjectExtension);
    // A text project (".qvx") keeps the result panel too.
    const bool keepsResults = IsTextProjectPath(file);
    RunOnWorker(
        [file, keepsResults](CalcState& s) {
            if (keepsResults)
                SaveTextProject(s, file);
            else
                SaveProject(s, file);
        },
        PrecisionUse::None, {.SavesInputs = true, .SavesResults = keepsResults});
}

void MainWindow::AskAndSaveResult() {
    if (CommandRunning()) return;
    const std::optional<std::string> path = dialogs_.ResultToSave(this);
    if (!path) return;
    RunOnWorker([file = WithDefaultExtension(*path, "txt")](CalcState& s) { SaveResult(s, file); }, PrecisionUse::None,
                {.SavesResults = true});
}

void MainWindow::ClearResult() {
    RunNow([](CalcState& s) { ClearEditor(s, Editor::Result); }, PrecisionUse::None);
}

void MainWindow::StartAuto() { RunOnWorker(RunAuto, PrecisionUse::Apply, {.BusyAtOnce = true}); }

void MainWindow::ApplyComplexFormat(ComplexFormat format) {
    RunNow([format](CalcState& s) { SetComplexFormat(s, format); }, PrecisionUse::Apply);
}

void MainWindow::WatchManualKey() {
    if (auto* manual = findChild<QAction*>(QStringLiteral("Manual1")))
        manual->installEventFilter(new ShortcutWatch(this, manualByKey_));
}

void MainWindow::OpenManual() {
    // F1 opens the page of the control the keyboard is in; the menu item
    // and the toolbar button the first page.
    const QUrl page = std::exchange(manualByKey_, false) ? ManualPageFor(focusWidget()) : HelpWindow::FirstPage();
    HelpWindow::ShowFor(this, page);
}

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

}  // namespace quorvix
