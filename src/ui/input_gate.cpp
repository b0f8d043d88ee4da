#include "ui/input_gate.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

namespace quorvix {

namespace {

// The input a running command does not take.
bool IsInput(QEvent::Type type) {
    switch (type) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: return true;
        default: return false;
    }
}

}  // namespace

InputGate::InputGate(QWidget* window) : window_(window) {}

InputGate::~InputGate() { EndDropping(); }

void InputGate::KeepUsable(QWidget* widget) { usable_.push_back(widget); }

void InputGate::KeepScrollable(QWidget* editor) { scrollable_.push_back(editor); }

void InputGate::BeginDropping() {
    if (dropping_) return;
    dropping_ = true;
    QCoreApplication::instance()->installEventFilter(this);
}

void InputGate::EndDropping() {
    if (!dropping_) return;
    dropping_ = false;
    QCoreApplication::instance()->removeEventFilter(this);
}

bool InputGate::Drops(QObject* watched, QEvent::Type type) const {
    if (!IsInput(type)) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != window_) return false;
    auto holds = [widget](const QWidget* control) { return control->isAncestorOf(widget); };
    if (std::any_of(usable_.begin(), usable_.end(), holds)) return false;
    if (std::any_of(scrollable_.begin(), scrollable_.end(), holds))
        return type != QEvent::Wheel && qobject_cast<QScrollBar*>(widget) == nullptr;
    return true;
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
    if (!dropping_ || !Drops(watched, event->type())) return false;
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Taken here, so that no shortcut of the window fires; Esc then
            // arrives as a key press.
            event->accept();
            return true;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) emit EscapePressed();
            return true;
        default: return true;
    }
}

}  // namespace quorvix
