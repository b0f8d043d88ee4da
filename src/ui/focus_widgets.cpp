#include "ui/focus_widgets.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <utility>

#include "ui/skin_draw.h"

namespace quorvix {

void DrawFocusFrame(QPainter& canvas, const QRect& rect) {
    canvas.save();
    QPen pen(MenuColour(3));
    pen.setWidth(2);
    pen.setJoinStyle(Qt::MiterJoin);
    canvas.setPen(pen);
    canvas.setBrush(Qt::NoBrush);
    // A pen of two pixels is centred on its line: one pixel in from the
    // edge puts both of its pixels inside the rectangle.
    canvas.drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
    canvas.restore();
}

FocusButton::FocusButton(QWidget* parent) : QToolButton(parent) {
    // Tab reaches it; a click does not take the focus from the editor the
    // user is typing in.
    setFocusPolicy(Qt::TabFocus);
}

void FocusButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    // The platform's focus mark gives way to the skin's frame.
    const bool focused = option.state & QStyle::State_HasFocus;
    option.state &= ~QStyle::State_HasFocus;
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    if (focused) DrawFocusFrame(painter, rect());
}

void FocusButton::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QToolButton::keyPressEvent(event);
}

TabTypingEditor::TabTypingEditor(QWidget* parent) : QPlainTextEdit(parent) {}

bool TabTypingEditor::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && (key->modifiers() & Qt::ControlModifier)) {
            MoveFocus(!(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier)));
            return true;
        }
        if (key->key() == Qt::Key_Tab && !tabChangesFocus() && !isReadOnly() && !std::exchange(tabTyped_, true))
            emit FirstTabTyped();
    }
    return QPlainTextEdit::event(event);
}

void TabTypingEditor::MoveFocus(bool next) {
    // The plain widget's move: the editor's own refuses while it takes Tab
    // as text.
    QWidget::focusNextPrevChild(next);
}

void TabTypingEditor::focusInEvent(QFocusEvent* event) {
    // Back from a menu, a dialog or another window the user is still where
    // they were; from another control it is a new visit.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) tabTyped_ = false;
    QPlainTextEdit::focusInEvent(event);
}

}  // namespace quorvix
