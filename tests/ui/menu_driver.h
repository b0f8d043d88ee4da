#pragma once
// Opens the window's menus the way a user does (a click into the result
// panel, the menu key, a menu of the bar) and finds their items by name.
#include <QAction>
#include <QMenu>
#include <QString>

#include "commands/operation_table.h"
#include "ui/main_window.h"

class QPlainTextEdit;

namespace quorvix::test {

// Presses the grid button of the operation with this step word and waits
// for its command.
void RunStep(MainWindow& window, const char* step);

// Opens the result panel's pop-up menu with a right click on panel line
// `line` (from 0), or with the menu key when `line` is negative; returns the
// menu, open.
QMenu* OpenPanelMenu(MainWindow& window, int line);

// Opens `menu` (made again when it opens) where it would drop down.
void OpenMenu(MainWindow& window, QMenu* menu);

// The item of `menu` or of its submenus named `name`; fails the test when
// there is none.
QAction* Item(const QMenu* menu, const char* name);

// Triggers `item`, closes the open menus and waits for its command.
void Choose(MainWindow& window, QAction* item);

// The first panel line (from 0) that is `text`; -1 when none is.
int PanelLine(const QPlainTextEdit* panel, const QString& text);

}  // namespace quorvix::test
