#include "ui/hint_strip.h"

namespace quorvix {

HintStrip::HintStrip(QWidget* window) : QLabel(window) {
    setObjectName(QStringLiteral("HintStrip"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::white);  // on the dark bottom border
    setPalette(palette);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &QLabel::hide);
    hide();
}

void HintStrip::ShowHint(const QString& text, int milliseconds) {
    setText(text);
    show();
    raise();
    hideTimer_.start(milliseconds);
}

}  // namespace quorvix
