#include "menu_driver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QWidget>

#include "window_driver.h"

namespace quorvix::test {

void RunStep(MainWindow& window, const char* step) {
    const Operation* op = FindOperationByStep(step);
    ASSERT_NE(op, nullptr) << step;
    Click(window, Child<QWidget>(window, op->Control));
}

QMenu* OpenPanelMenu(MainWindow& window, int line) {
    QPlainTextEdit* panel = Child<QPlainTextEdit>(window, "RichEdit3");
    auto* menu = Child<QMenu>(window, "PopupMenu3");
    if (line < 0) {
        // The menu key reaches the focused editor.
        panel->setFocus();
        const QPoint at = panel->cursorRect().center();
        QContextMenuEvent key(QContextMenuEvent::Keyboard, at, panel->mapToGlobal(at));
        QApplication::sendEvent(panel, &key);
    } else {
        QTextCursor cursor(panel->document()->findBlockByNumber(line));
        panel->setTextCursor(cursor);
        panel->ensureCursorVisible();
        const QPoint at = panel->cursorRect(cursor).center() + QPoint(4, 0);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, panel->viewport()->mapToGlobal(at));
        QApplication::sendEvent(panel->viewport(), &click);
    }
    EXPECT_TRUE(menu->isVisible());
    return menu;
}

void OpenMenu(MainWindow& window, QMenu* menu) { menu->popup(window.mapToGlobal(QPoint(20, 50))); }

QAction* Item(const QMenu* menu, const char* name) {
    for (QAction* action : menu->findChildren<QAction*>(QString::fromLatin1(name))) {
        // Only an item the menu shows, not one of a section made before.
        for (const QObject* widget : action->associatedObjects())
            if (widget != nullptr) return action;
    }
    ADD_FAILURE() << "the menu " << menu->objectName().toStdString() << " has no item " << name;
    return nullptr;
}

void Choose(MainWindow& window, QAction* item) {
    if (item == nullptr) return;
    item->trigger();
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    window.WaitForCommand();
}

int PanelLine(const QPlainTextEdit* panel, const QString& text) {
    const QStringList lines = panel->toPlainText().split(QLatin1Char('\n'));
    return static_cast<int>(lines.indexOf(text));
}

}  // namespace quorvix::test
