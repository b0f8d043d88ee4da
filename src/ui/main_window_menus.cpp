// The main menu's items handed to the window's commands, and the input
// editors' pop-up menus.
#include <QPlainTextEdit>
#include <utility>

#include "commands/editor_tools.h"
#include "ui/editor_menu.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"

namespace quorvix {

void MainWindow::ConnectMenu() {
    connect(menu_, &MainMenu::OpenProjectChosen, this, &MainWindow::AskAndOpenProject);
    connect(menu_, &MainMenu::SaveProjectChosen, this, &MainWindow::AskAndSaveProject);
    connect(menu_, &MainMenu::SaveResultChosen, this, &MainWindow::AskAndSaveResult);
    connect(menu_, &MainMenu::ClearChosen, this, &MainWindow::ClearResult);
    connect(menu_, &MainMenu::AutoChosen, this, &MainWindow::StartAuto);
    connect(menu_, &MainMenu::ExitChosen, this, &MainWindow::PressEscape);
    connect(menu_, &MainMenu::ManualChosen, this, &MainWindow::OpenManual);
    connect(menu_, &MainMenu::HomePageChosen, this, &MainWindow::OpenHomePage);
}

void MainWindow::CreateEditorMenus() {
    auto rewrite = [this](Job job, PrecisionUse precision) {
        return [this, job = std::move(job), precision] { RunNow(job, precision); };
    };
    // Each input editor rewrites its matrix between the two notations; the
    // rewrites of numbers take the precision first, Clear does not need it.
    auto add = [&](QPlainTextEdit* editor, Operand matrix, Editor which, const EditorMenuNames& names,
                   const char* toRectName, const char* toPolarName) {
        AddEditorMenu(editor, names,
                      {{toRectName, "Polar To Rect",
                        rewrite([matrix](CalcState& s) { PolarToRect(s, matrix); }, PrecisionUse::Apply)},
                       {toPolarName, "Rect to Polar",
                        rewrite([matrix](CalcState& s) { RectToPolar(s, matrix); }, PrecisionUse::Apply)}},
                      rewrite([which](CalcState& s) { ClearEditor(s, which); }, PrecisionUse::None),
                      rewrite([which](CalcState& s) { AlignEditor(s, which); }, PrecisionUse::Apply));
    };
    add(matrixAEditor_, Operand::A, Editor::MatrixA, {"PopupMenu1", "Undo1", "Copy1", "Paste1", "Clear3", "Align1"},
        "PolarToRect1", "RecttoPolar1");
    add(matrixBEditor_, Operand::B, Editor::MatrixB,
        {"PopupMenu2", "Undo2", "MenuItem1", "MenuItem2", "MenuItem4", "Align2"}, "PolarToRect2", "RecttoPolar2");
}

}  // namespace quorvix
