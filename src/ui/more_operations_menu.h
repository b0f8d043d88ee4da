#pragma once
// The menu bar's "Operations" menu: the operations beyond the button grid's,
// made from their rows of the operation table (Caption, Hint, Column, Row),
// so that a row added there is an item here. Those on Matrix A and on Matrix
// B each have a submenu; those on both matrices stand in the menu itself.
// Every item has an access key, and its hint shows while it is highlighted,
// with the mouse or the keyboard.
#include <QMenu>
#include <QString>
#include <functional>
#include <span>

#include "commands/operation_table.h"

namespace quorvix {

struct OperationItemsRequests {
    std::function<void(const Operation&)> Run;
    // The hint of the highlighted item; an empty text when none is.
    std::function<void(const QString&)> ShowHint;
};

// Adds an item for every row of `rows` to `menu`, each named by its step
// word ("PLU(A)"); the submenus are "MoreOnA" and "MoreOnB".
void AddOperationItems(QMenu* menu, std::span<const Operation> rows, const OperationItemsRequests& requests);

}  // namespace quorvix
