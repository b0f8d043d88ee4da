#pragma once
// The result items of a menu, made again each time the menu opens, for the
// kept result it is about: ResultSection puts them at the top of a menu;
// ResultBlockMenu does so for the result panel's pop-up menu (the result
// under the mouse, or with the keyboard the newest); ResultBarMenu is the
// menu bar's "Result" menu (the newest result, with the keys that work while
// it is closed).
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <cstddef>
#include <functional>
#include <optional>

#include "commands/calc_state.h"
#include "ui/result_items.h"

class QPlainTextEdit;

namespace quorvix {

// The state the items are made from; nullptr while a command runs (the
// state is the worker's then, and the items show disabled).
using StateView = std::function<const CalcState*()>;

class ResultSection {
public:
    ResultSection(QMenu* menu, ResultRequests requests, ResultKeys keys = {});
    // Replaces the items by those for kept result `number` of `s` (none:
    // the newest), above what else the menu holds; disabled ones when there
    // is no such result or no state.
    void Fill(const CalcState* s, std::optional<std::size_t> number);

private:
    QMenu* menu_;
    ResultRequests requests_;
    ResultKeys keys_;
    QPointer<QMenu> items_;  // owns the items and their submenus; never shown itself
};

class ResultBlockMenu : public QObject {
    Q_OBJECT

public:
    // For the pop-up menu `menu` of the result panel `view`.
    ResultBlockMenu(QPlainTextEdit* view, QMenu* menu, StateView state, ResultRequests requests);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fill();

    QPlainTextEdit* view_;
    StateView state_;
    ResultSection section_;
    std::optional<int> line_;  // the panel line under the mouse; none: the menu came from the keyboard
};

}  // namespace quorvix
