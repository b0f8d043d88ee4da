// The menu and toolbar commands, each handed to the engine's own routine,
// and the file dialogs they ask for a name with.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStringList>

#include "commands/auto_run.h"
#include "commands/editor_tools.h"
#include "files/project_file.h"
#include "files/result_file.h"
#include "files/text_files.h"
#include "ui/main_window.h"

namespace quorvix {

namespace {

// "Text File(*.txt)|*.txt|All File(*.*)|*.*" as the dialog's name filters:
// each name is kept as it reads, with its patterns in brackets where the
// name does not already show them.
QStringList NameFilters(const char* filter) {
    const QStringList parts = QString::fromLatin1(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& name = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (name.endsWith(QLatin1Char(')')) && name.contains(QLatin1Char('(')))
            filters << name;
        else
            filters << name + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

// The file dialogs' filters, as "Name|pattern|Name|pattern".
constexpr const char* kProjectFilter = "Matrix Project File (*.mtx)|*.mtx";
constexpr const char* kResultFilter = "Text File(*.txt)|*.txt|Rtf File(*.rtf)|*.rtf|All File(*.*)|*.*";

}  // namespace

QString MainWindow::DialogFolder() const {
    // Every dialog starts where the last one ended; the first one in the
    // user's documents (the program's own folder is no place for projects).
    if (!lastFolder_.isEmpty() && QDir(lastFolder_).exists()) return lastFolder_;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) return documents;
    return QDir::homePath();
}

std::optional<std::string> MainWindow::AskFileName(const char* dialogName, bool save, const char* filter,
                                                   const char* defaultExt) {
    QFileDialog dialog(this);
    dialog.setObjectName(QString::fromLatin1(dialogName));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A chosen name replaces the file of that name, as saving always does.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilters(NameFilters(filter));
    dialog.setDefaultSuffix(QString::fromLatin1(defaultExt));
    dialog.setDirectory(DialogFolder());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
    lastFolder_ = QFileInfo(files.first()).absolutePath();
    return files.first().toStdString();
}

void MainWindow::AskAndOpenProject() {
    if (CommandRunning()) return;
    const std::optional<std::string> path = AskFileName("OpenDialog1", false, kProjectFilter, kProjectExtension);
    if (!path) return;
    OpenProjectFile(*path);
}

void MainWindow::OpenProjectFile(const std::string& path) {
    if (CommandRunning()) return;
    RunOnWorker([file = path](CalcState& s) { OpenProject(s, file); }, PrecisionUse::None, {.SavesInputs = true});
}

void MainWindow::AskAndSaveProject() {
    if (CommandRunning()) return;
    const std::optional<std::string> path = AskFileName("SaveDialog2", true, kProjectFilter, kProjectExtension);
    if (!path) return;
    RunOnWorker([file = WithDefaultExtension(*path, kProjectExtension)](CalcState& s) { SaveProject(s, file); },
                PrecisionUse::None, {.SavesInputs = true});
}

void MainWindow::AskAndSaveResult() {
    if (CommandRunning()) return;
    const std::optional<std::string> path = AskFileName("SaveDialog1", true, kResultFilter, "txt");
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
