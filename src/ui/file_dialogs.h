#pragma once
// FileDialogs: the window's file dialogs, which ask for the name of a
// project to open or to save, of a result file to save, of a file to import
// a matrix from and of one to export a result to. Every dialog
// starts where the last one ended; the first in the user's documents (the
// program's own folder is no place for projects).
#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace quorvix {

class FileDialogs {
public:
    // The name chosen, or nothing when the dialog was cancelled. A chosen
    // name replaces the file of that name, as saving always does.
    std::optional<std::string> ProjectToOpen(QWidget* parent);
    // A text project (".qvx") is offered beside the binary ".mtx"; with
    // `textProject` it is the one chosen at first, and the extension a name
    // without one gets.
    std::optional<std::string> ProjectToSave(QWidget* parent, bool textProject = false);
    std::optional<std::string> ResultToSave(QWidget* parent);
    std::optional<std::string> MatrixToImport(QWidget* parent);
    // The extension of the name chosen gives the format.
    std::optional<std::string> ResultToExport(QWidget* parent);

private:
    std::optional<std::string> Ask(QWidget* parent, const char* dialogName, bool save, const char* filter,
                                   const char* defaultExt, int chosenFilter = 0);
    QString StartFolder() const;

    QString lastFolder_;  // where the last dialog ended
};

}  // namespace quorvix
