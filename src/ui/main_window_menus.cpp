// The main menu (owner-drawn, dropped down from the menu bar) and the
// editors' pop-up menus (drawn by the platform).
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <functional>
#include <vector>

#include "commands/editor_tools.h"
#include "ui/main_window.h"
#include "ui/skin.h"
#include "ui/skin_widgets.h"

namespace quorvix {

namespace {

QIcon MenuIcon(int index) {
    QIcon icon;
    const QPixmap picture = MenuImage(index);
    if (!picture.isNull()) icon.addPixmap(picture);
    return icon;
}

}  // namespace

void MainWindow::CreateMenus() {
    menuStyle_ = new OwnerDrawMenuStyle();
    menuStyle_->setParent(this);

    // Each item of the main menu is also an action of the window, so that
    // its key works while the menu is closed.
    auto item = [this](QMenu* menu, const char* name, const char* caption, QKeySequence key, int image,
                       void (MainWindow::*slot)()) {
        auto* action = new QAction(QString::fromLatin1(caption), menu);
        action->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) {
            action->setShortcut(key);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        action->setIcon(MenuIcon(image));
        action->setIconVisibleInMenu(true);
        connect(action, &QAction::triggered, this, slot);
        menu->addAction(action);
        addAction(action);
        return action;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    fileMenu_ = new QMenu(QStringLiteral("&File"), this);
    fileMenu_->setObjectName(QStringLiteral("File1"));
    openProjectAction_ = item(fileMenu_, "Open1", "&Open project", QKeySequence(Qt::CTRL | Qt::Key_F), 13,
                              &MainWindow::AskAndOpenProject);
    saveProjectAction_ =
        item(fileMenu_, "Save3", "&Save project", QKeySequence(Qt::Key_F2), 18, &MainWindow::AskAndSaveProject);
    separator(fileMenu_, "N4");
    saveResultAction_ =
        item(fileMenu_, "Save1", "Save &result", QKeySequence(Qt::Key_F3), 24, &MainWindow::AskAndSaveResult);
    clearAction_ = item(fileMenu_, "Clear1", "&Clear", QKeySequence(Qt::Key_F8), 3, &MainWindow::ClearResult);
    autoAction_ = item(fileMenu_, "Auto1", "&Auto", QKeySequence(Qt::Key_F5), 1, &MainWindow::StartAuto);
    separator(fileMenu_, "Exit1");
    exitAction_ = item(fileMenu_, "Exit2", "E&xit", QKeySequence(Qt::Key_Escape), 31, &MainWindow::PressEscape);

    helpMenu_ = new QMenu(QStringLiteral("&Help"), this);
    helpMenu_->setObjectName(QStringLiteral("Help1"));
    manualAction_ = item(helpMenu_, "Manual1", "&Manual", QKeySequence(Qt::Key_F1), 42, &MainWindow::OpenManual);
    homepageAction_ = item(helpMenu_, "Connectto1", "&Homepage", QKeySequence(), 43, &MainWindow::OpenHomePage);

    for (QMenu* menu : {fileMenu_, helpMenu_}) menu->setStyle(menuStyle_);
    fileMenuButton_->SetDropDownMenu(fileMenu_);
    helpMenuButton_->SetDropDownMenu(helpMenu_);
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
