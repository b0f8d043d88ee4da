#include "ui/editor_menu.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTimer>

#include "ui/focus_widgets.h"

namespace quorvix {

QMenu* AddEditorMenu(TabTypingEditor* editor, const EditorMenuNames& names, const std::vector<EditorMenuItem>& tools,
                     const std::function<void()>& clear, const std::function<void()>& align) {
    auto* menu = new QMenu(editor);
    menu->setObjectName(QString::fromLatin1(names.Menu));
    QObject::connect(editor, &QPlainTextEdit::customContextMenuRequested, menu,
                     [menu, editor](const QPoint& pos) { menu->popup(editor->viewport()->mapToGlobal(pos)); });
    auto add = [menu](const char* name, const char* caption, const std::function<void()>& trigger) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        QObject::connect(action, &QAction::triggered, menu, trigger);
        return action;
    };
    QAction* undo = add(names.Undo, "Undo", [editor] { editor->undo(); });
    undo->setEnabled(editor->document()->isUndoAvailable());
    QObject::connect(editor, &QPlainTextEdit::undoAvailable, undo, &QAction::setEnabled);
    menu->addSeparator();
    add(names.Copy, "Copy", [editor] { editor->copy(); });
    add(names.Paste, "Paste", [editor] {
        if (!editor->isReadOnly()) editor->paste();
    });
    menu->addSeparator();
    for (const EditorMenuItem& tool : tools) {
        if (tool.Name == nullptr)
            menu->addSeparator();
        else
            add(tool.Name, tool.Caption, tool.Trigger);
    }
    menu->addSeparator();
    add(names.Clear, "Clear", clear);
    add(names.Align, "Align", align);
    if (names.NextField != nullptr) {
        menu->addSeparator();
        // Tab types a tab here: the item shows the key that moves on. It
        // moves once the menu has given the focus back.
        add(names.NextField, "Next field\tCtrl+Tab",
            [editor] { QTimer::singleShot(0, editor, [editor] { editor->MoveFocus(true); }); });
    }
    return menu;
}

}  // namespace quorvix
