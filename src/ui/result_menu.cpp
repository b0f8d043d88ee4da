#include "ui/result_menu.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "commands/result_blocks.h"
#include "ui/editor_text.h"

namespace quorvix {

ResultSection::ResultSection(QMenu* menu, ResultRequests requests, ResultKeys keys)
    : menu_(menu), requests_(std::move(requests)), keys_(std::move(keys)) {}

void ResultSection::Fill(const CalcState* s, std::optional<std::size_t> number) {
    // Deleting the old items takes them out of the menu.
    delete items_.data();
    items_ = new QMenu(menu_);
    items_->setObjectName(QStringLiteral("ResultItems"));
    if (s != nullptr && !s->Kept.empty() && number.value_or(s->Kept.size()) >= 1 &&
        number.value_or(s->Kept.size()) <= s->Kept.size()) {
        const std::size_t n = number.value_or(s->Kept.size());
        AddResultItems(items_, s->Kept[n - 1], n, requests_, keys_);
    } else {
        AddDisabledResultItems(items_, keys_);
    }
    // Submenus are drawn as the menu is.
    for (QMenu* submenu : items_->findChildren<QMenu*>()) submenu->setStyle(menu_->style());
    // A separator sets them off from the menu's own items, when it has any.
    const QList<QAction*> own = menu_->actions();
    if (!own.isEmpty()) items_->addSeparator();
    menu_->insertActions(own.value(0), items_->actions());
}

ResultBlockMenu::ResultBlockMenu(QPlainTextEdit* view, QMenu* menu, StateView state, ResultRequests requests)
    : QObject(view), view_(view), state_(std::move(state)), section_(menu, std::move(requests)) {
    // The key that opens the menu reaches the editor, a click its viewport.
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    connect(menu, &QMenu::aboutToShow, this, &ResultBlockMenu::Fill);
}

bool ResultBlockMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        const auto* asked = static_cast<QContextMenuEvent*>(event);
        if (asked->reason() == QContextMenuEvent::Mouse) {
            const QPoint at = watched == view_ ? view_->viewport()->mapFrom(view_, asked->pos()) : asked->pos();
            line_ = view_->cursorForPosition(at).blockNumber();
        } else {
            line_.reset();
        }
    }
    return QObject::eventFilter(watched, event);
}

void ResultBlockMenu::Fill() {
    const CalcState* s = state_();
    std::optional<std::size_t> number;
    if (s != nullptr && line_) {
        // The panel as it shows now: the user may have typed in it.
        number = KeptResultAtLine(s->Kept, LinesOf(view_), static_cast<std::size_t>(*line_));
        // Above the first result there is none to offer.
        if (!number) s = nullptr;
    }
    section_.Fill(s, number);
    line_.reset();
}

}  // namespace quorvix
