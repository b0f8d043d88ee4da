// The main menu's items handed to the window's commands, and the editors'
// pop-up menus (drawn by the platform).
#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <functional>
#include <vector>

#include "commands/editor_tools.h"
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
    // An item among an editor's own tools; one without a name is a separator.
    struct Tool {
        const char* Name = nullptr;
        const char* Caption = nullptr;
        std::function<void()> Trigger;
    };
    // The design's names of the menu and of the items every editor's menu has.
    struct Names {
        const char* Menu;
        const char* Undo;
        const char* Copy;
        const char* Paste;
        const char* Clear;
        const char* Align;
    };
    // The rewrites of numbers take the precision first; Clear and the mark swaps do not need it.
    auto runInline = [this](Job job, PrecisionUse precision = PrecisionUse::Apply) {
        return [this, job = std::move(job), precision] { Run(job, RunMode::Inline, precision); };
    };

    // Undo; Copy and Paste; the editor's own tools; then Clear and Align, each
    // group set off by a separator.
    auto build = [&](QPlainTextEdit* editor, Editor which, const Names& names, const std::vector<Tool>& tools) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(names.Menu));
        connect(editor, &QPlainTextEdit::customContextMenuRequested, menu,
                [menu, editor](const QPoint& pos) { menu->popup(editor->viewport()->mapToGlobal(pos)); });
        auto add = [this, menu](const char* name, const char* caption, const std::function<void()>& trigger) {
            QAction* action = menu->addAction(QString::fromLatin1(caption));
            action->setObjectName(QString::fromLatin1(name));
            connect(action, &QAction::triggered, this, trigger);
            return action;
        };
        // Undo takes back typing and the window's rewrites alike.
        QAction* undo = add(names.Undo, "Undo", [editor] { editor->undo(); });
        undo->setEnabled(editor->document()->isUndoAvailable());
        connect(editor, &QPlainTextEdit::undoAvailable, undo, &QAction::setEnabled);
        menu->addSeparator();
        add(names.Copy, "Copy", [editor] { editor->copy(); });
        add(names.Paste, "Paste", [this, editor] {
            if (!CommandRunning()) editor->paste();
        });
        menu->addSeparator();
        for (const Tool& tool : tools) {
            if (tool.Name == nullptr)
                menu->addSeparator();
            else
                add(tool.Name, tool.Caption, tool.Trigger);
        }
        menu->addSeparator();
        add(names.Clear, "Clear", runInline([which](CalcState& s) { ClearEditor(s, which); }, PrecisionUse::None));
        add(names.Align, "Align", runInline([which](CalcState& s) { AlignEditor(s, which); }));
        return menu;
    };
    // The input editors rewrite their matrix between the two notations.
    auto notation = [&](Operand which, const char* toRectName, const char* toPolarName) {
        return std::vector<Tool>{
            {toRectName, "Polar To Rect", runInline([which](CalcState& s) { PolarToRect(s, which); })},
            {toPolarName, "Rect to Polar", runInline([which](CalcState& s) { RectToPolar(s, which); })},
        };
    };

    matrixAMenu_ =
        build(matrixAEditor_, Editor::MatrixA, {"PopupMenu1", "Undo1", "Copy1", "Paste1", "Clear3", "Align1"},
              notation(Operand::A, "PolarToRect1", "RecttoPolar1"));
    matrixBMenu_ =
        build(matrixBEditor_, Editor::MatrixB, {"PopupMenu2", "Undo2", "MenuItem1", "MenuItem2", "MenuItem4", "Align2"},
              notation(Operand::B, "PolarToRect2", "RecttoPolar2"));
    resultMenu_ = build(resultPanel_, Editor::Result, {"PopupMenu3", "Undo3", "Copy2", "Paste2", "Clear4", "Align3"},
                        {{"commatodot1", "comma to dot", runInline(PanelCommaToDot, PrecisionUse::None)},
                         {"dottocomma1", "dot to comma", runInline(PanelDotToComma, PrecisionUse::None)},
                         {},
                         {"Save2", "Save", [this] { AskAndSaveResult(); }}});
}

}  // namespace quorvix
