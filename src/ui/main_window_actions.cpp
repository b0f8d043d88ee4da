// The menu and toolbar commands, each handed to the engine's own routine.
#include <QRadioButton>

#include "commands/auto_run.h"
#include "commands/editor_tools.h"
#include "files/project_file.h"
#include "files/result_file.h"
#include "files/text_files.h"
#include "ui/main_window.h"

namespace quorvix {

void MainWindow::AskAndOpenProject() {
    if (CommandRunning()) return;
    const std::optional<std::string> path = dialogs_.ProjectToOpen(this);
    if (!path) return;
    OpenProjectFile(*path);
}

void MainWindow::OpenProjectFile(const std::string& path) {
    if (CommandRunning()) return;
    RunOnWorker([file = path](CalcState& s) { OpenProject(s, file); }, PrecisionUse::None, {.SavesInputs = true});
}

void MainWindow::AskAndSaveProject() {
    if (CommandRunning()) return;
    const std::optional<std::string> path = dialogs_.ProjectToSave(this);
    if (!path) return;
    RunOnWorker([file = WithDefaultExtension(*path, kProjectExtension)](CalcState& s) { SaveProject(s, file); },
                PrecisionUse::None, {.SavesInputs = true});
}

void MainWindow::AskAndSaveResult() {
    if (CommandRunning()) return;
    const std::optional<std::string> path = dialogs_.ResultToSave(this);
    if (!path) return;
    RunOnWorker([file = WithDefaultExtension(*path, "txt")](CalcState& s) { SaveResult(s, file); }, PrecisionUse::None,
                {});
}

void MainWindow::ClearResult() {
    RunNow([](CalcState& s) { ClearEditor(s, Editor::Result); }, PrecisionUse::None);
}

void MainWindow::StartAuto() { RunOnWorker(RunAuto, PrecisionUse::Apply, {.BusyAtOnce = true}); }

void MainWindow::ApplyComplexFormat() {
    // The new item is already chosen when this runs.
    const ComplexFormat format = polarButton_->isChecked() ? ComplexFormat::Polar : ComplexFormat::Rectangular;
    RunNow([format](CalcState& s) { SetComplexFormat(s, format); }, PrecisionUse::Apply);
}

}  // namespace quorvix
