#include "ui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

#include "files/project_file.h"
#include "files/qvx_project.h"

namespace quorvix {

namespace {

// The dialogs' filters, as "Name|pattern|Name|pattern".
constexpr const char* kSaveProjectFilter =
    "Matrix Project File (*.mtx)|*.mtx|Quorvix Project, keeps everything (*.qvx)|*.qvx";
constexpr const char* kOpenProjectFilter = "Projects (*.mtx *.qvx)|*.mtx;*.qvx|All File(*.*)|*.*";
constexpr const char* kImportFilter =
    "Matrices (*.mtx *.csv *.tsv *.txt *.m *.py)|*.mtx;*.csv;*.tsv;*.txt;*.m;*.py|All File(*.*)|*.*";
constexpr const char* kExportFilter =
    "Tab-separated (*.tsv *.txt)|*.tsv;*.txt|CSV (*.csv)|*.csv|Octave/MATLAB (*.m)|*.m|numpy (*.py)|*.py|"
    "LaTeX (*.tex)|*.tex|Matrix Market (*.mtx)|*.mtx|JSON (*.json)|*.json";
constexpr const char* kResultFilter = "Text File(*.txt)|*.txt|Rtf File(*.rtf)|*.rtf|All File(*.*)|*.*";

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

std::optional<std::string> FileDialogs::ProjectToOpen(QWidget* parent) {
    return Ask(parent, "OpenDialog1", false, kOpenProjectFilter, kProjectExtension);
}

std::optional<std::string> FileDialogs::ProjectToSave(QWidget* parent, bool textProject) {
    return textProject ? Ask(parent, "SaveDialog2", true, kSaveProjectFilter, kTextProjectExtension, 1)
                       : Ask(parent, "SaveDialog2", true, kSaveProjectFilter, kProjectExtension);
}

std::optional<std::string> FileDialogs::MatrixToImport(QWidget* parent) {
    return Ask(parent, "ImportDialog", false, kImportFilter, "");
}

std::optional<std::string> FileDialogs::ResultToExport(QWidget* parent) {
    return Ask(parent, "ExportDialog", true, kExportFilter, "tsv");
}

std::optional<std::string> FileDialogs::ResultToSave(QWidget* parent) {
    return Ask(parent, "SaveDialog1", true, kResultFilter, "txt");
}

QString FileDialogs::StartFolder() const {
    if (!lastFolder_.isEmpty() && QDir(lastFolder_).exists()) return lastFolder_;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) return documents;
    return QDir::homePath();
}

std::optional<std::string> FileDialogs::Ask(QWidget* parent, const char* dialogName, bool save, const char* filter,
                                            const char* defaultExt, int chosenFilter) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QString::fromLatin1(dialogName));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = NameFilters(filter);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(chosenFilter));
    dialog.setDefaultSuffix(QString::fromLatin1(defaultExt));
    // A name typed without an extension gets that of the filter chosen.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
        const qsizetype star = chosen.indexOf(QStringLiteral("*."));
        if (star < 0) return;
        const QString ext = chosen.mid(star + 2).section(QRegularExpression(QStringLiteral("[ )]")), 0, 0);
        if (!ext.isEmpty() && ext != QLatin1String("*")) dialog.setDefaultSuffix(ext);
    });
    dialog.setDirectory(StartFolder());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
    lastFolder_ = QFileInfo(files.first()).absolutePath();
    return files.first().toStdString();
}

}  // namespace quorvix
