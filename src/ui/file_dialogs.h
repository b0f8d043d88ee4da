#pragma once
// FileDialogs: the window's three file dialogs, which ask for the name of a
// project to open or to save and of a result file to save. Every dialog
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
    std::optional<std::string> ProjectToSave(QWidget* parent);
    std::optional<std::string> ResultToSave(QWidget* parent);

private:
    std::optional<std::string> Ask(QWidget* parent, const char* dialogName, bool save, const char* filter,
                                   const char* defaultExt);
    QString StartFolder() const;

    QString lastFolder_;  // where the last dialog ended
};

}  // namespace quorvix
