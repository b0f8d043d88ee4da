#include "ui/more_operations_menu.h"

#include <QAction>
#include <algorithm>
#include <vector>

#include "ui/access_keys.h"

namespace quorvix {

namespace {

// The rows of one column, in their places of the menu.
std::vector<const Operation*> ColumnRows(std::span<const Operation> rows, GridColumn column) {
    std::vector<const Operation*> chosen;
    for (const Operation& op : rows)
        if (op.Column == column) chosen.push_back(&op);
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const Operation* a, const Operation* b) { return a->Row < b->Row; });
    return chosen;
}

void AddItems(QMenu* menu, const std::vector<const Operation*>& rows, const OperationItemsRequests& requests,
              AccessKeys& keys) {
    // The hint follows the highlight, as the grid's buttons show theirs as
    // tool tips; the tool tip is there for the mouse too.
    menu->setToolTipsVisible(true);
    for (const Operation* op : rows) {
        const QString hint = QString::fromUtf8(op->Hint);
        QAction* item = menu->addAction(keys.Keyed(QString::fromUtf8(op->Caption)));
        item->setObjectName(QString::fromUtf8(op->Step));
        item->setToolTip(hint);
        item->setStatusTip(hint);
        QObject::connect(item, &QAction::triggered, menu, [run = requests.Run, op] { run(*op); });
        QObject::connect(item, &QAction::hovered, menu, [show = requests.ShowHint, hint] { show(hint); });
    }
}

}  // namespace

void AddOperationItems(QMenu* menu, std::span<const Operation> rows, const OperationItemsRequests& requests) {
    AccessKeys keys;
    struct Column {
        GridColumn Which;
        const char* Caption;
        const char* Name;
    };
    for (const Column& column :
         {Column{GridColumn::A, "Matrix &A", "MoreOnA"}, Column{GridColumn::B, "Matrix &B", "MoreOnB"}}) {
        const std::vector<const Operation*> chosen = ColumnRows(rows, column.Which);
        if (chosen.empty()) continue;
        auto* submenu = new QMenu(keys.Keyed(QString::fromLatin1(column.Caption)), menu);
        submenu->setObjectName(QString::fromLatin1(column.Name));
        AccessKeys own;
        AddItems(submenu, chosen, requests, own);
        menu->addMenu(submenu);
        QObject::connect(submenu, &QMenu::aboutToHide, menu, [show = requests.ShowHint] { show(QString()); });
    }
    AddItems(menu, ColumnRows(rows, GridColumn::Both), requests, keys);
    QObject::connect(menu, &QMenu::aboutToHide, menu, [show = requests.ShowHint] { show(QString()); });
}

}  // namespace quorvix
