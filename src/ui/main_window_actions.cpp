// The menu, toolbar and context-menu commands, each handed to the engine's
// own routine, and the file dialogs they ask for a name with.
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStringList>

#include "textio/output_settings.h"
#include "ui/main_window.h"
#include "workspace/auto_run.h"
#include "workspace/editor_tools.h"
#include "workspace/project_file.h"
#include "workspace/text_files.h"

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

}  // namespace

const char* TForm1::ProjectFilter() { return "Matrix Project File (*.mtx)|*.mtx"; }
const char* TForm1::ResultFilter() { return "Text File(*.txt)|*.txt|Rtf File(*.rtf)|*.rtf|All File(*.*)|*.*"; }

std::optional<std::string> TForm1::AskFileName(bool save, const char* filter, const char* defaultExt,
                                               bool startInProgramFolder) {
    QFileDialog dialog(this);
    dialog.setObjectName(save ? (std::string_view(defaultExt) == "mtx" ? QStringLiteral("SaveDialog2")
                                                                        : QStringLiteral("SaveDialog1"))
                              : QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A chosen name replaces the file of that name, as saving always does.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilters(NameFilters(filter));
    dialog.setDefaultSuffix(QString::fromLatin1(defaultExt));
    if (startInProgramFolder) dialog.setDirectory(QCoreApplication::applicationDirPath());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
    return files.first().toStdString();
}

void TForm1::Open1Click() {
    if (CommandRunning()) return;
    const std::optional<std::string> path = AskFileName(false, ProjectFilter(), kProjectExtension, true);
    if (!path) return;
    Run([file = *path](CalcState& s) { OpenProject(s, file); }, RunMode::Worker);
}

void TForm1::Save3Click() {
    if (CommandRunning()) return;
    const std::optional<std::string> path = AskFileName(true, ProjectFilter(), kProjectExtension, false);
    if (!path) return;
    Run([file = WithDefaultExtension(*path, kProjectExtension)](CalcState& s) { SaveProject(s, file); },
        RunMode::Worker);
}

void TForm1::Save1Click() {
    if (CommandRunning()) return;
    const std::optional<std::string> path = AskFileName(true, ResultFilter(), "txt", false);
    if (!path) return;
    Run([file = WithDefaultExtension(*path, "txt")](CalcState& s) { SaveResult(s, file); }, RunMode::Worker);
}

void TForm1::Save2Click() { Save1Click(); }

void TForm1::Clear1Click() { Run([](CalcState& s) { ClearEditor(s, Editor::Result); }, RunMode::Inline); }
void TForm1::Clear4Click() { Run([](CalcState& s) { ClearEditor(s, Editor::Result); }, RunMode::Inline); }
void TForm1::Clear3Click() { Run([](CalcState& s) { ClearEditor(s, Editor::MatrixA); }, RunMode::Inline); }
void TForm1::MenuItem4Click() { Run([](CalcState& s) { ClearEditor(s, Editor::MatrixB); }, RunMode::Inline); }

void TForm1::Auto1Click() { Run(RunAuto, RunMode::Worker, true); }

// The clipboard through the editors' own copy and paste.
void TForm1::Copy1Click() { RichEdit1->copy(); }
void TForm1::Paste1Click() {
    if (!CommandRunning()) RichEdit1->paste();
}
void TForm1::MenuItem1Click() { RichEdit2->copy(); }
void TForm1::MenuItem2Click() {
    if (!CommandRunning()) RichEdit2->paste();
}
void TForm1::Copy2Click() { RichEdit3->copy(); }
void TForm1::Paste2Click() {
    if (!CommandRunning()) RichEdit3->paste();
}

void TForm1::PolarToRect1Click() { Run([](CalcState& s) { PolarToRect(s, Operand::A); }, RunMode::Inline); }
void TForm1::RecttoPolar1Click() { Run([](CalcState& s) { RectToPolar(s, Operand::A); }, RunMode::Inline); }
void TForm1::PolarToRect2Click() { Run([](CalcState& s) { PolarToRect(s, Operand::B); }, RunMode::Inline); }
void TForm1::RecttoPolar2Click() { Run([](CalcState& s) { RectToPolar(s, Operand::B); }, RunMode::Inline); }
void TForm1::commatodot1Click() { Run(PanelCommaToDot, RunMode::Inline); }
void TForm1::dottocomma1Click() { Run(PanelDotToComma, RunMode::Inline); }
void TForm1::Align1Click() { Run([](CalcState& s) { AlignEditor(s, Editor::MatrixA); }, RunMode::Inline); }
void TForm1::Align2Click() { Run([](CalcState& s) { AlignEditor(s, Editor::MatrixB); }, RunMode::Inline); }
void TForm1::Align3Click() { Run([](CalcState& s) { AlignEditor(s, Editor::Result); }, RunMode::Inline); }

void TForm1::RadioGroup1Click() {
    // The new item is already chosen when this runs.
    const ComplexFormat format = RadioGroup1Polar->isChecked() ? ComplexFormat::Polar : ComplexFormat::Rectangular;
    Run([format](CalcState& s) { SetComplexFormat(s, format); }, RunMode::Inline);
}

void TForm1::ComboBox1Change() {
    if (syncing_) return;
    const std::string text = ComboBox1->currentText().toStdString();
    Run([text](CalcState& s) { PrecisionChange(text, s.Settings); }, RunMode::Inline);
}

}  // namespace quorvix
