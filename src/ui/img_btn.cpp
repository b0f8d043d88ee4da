#include "ui/img_btn.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quorvix {

TImgBtn::TImgBtn(QWidget* parent) : QWidget(parent) {}

TImgBtn::~TImgBtn() = default;

QSize TImgBtn::sizeHint() const { return picture_.isNull() ? QSize(16, 16) : picture_.size(); }

void TImgBtn::SetPic(const QPixmap& value) {
    pic_ = value;
    Show(pic_);
}

void TImgBtn::SetPicDown(const QPixmap& value) { picDown_ = value; }

void TImgBtn::SetPicUp(const QPixmap& value) { picUp_ = value; }

void TImgBtn::SetPicDisable(const QPixmap& value) {
    picDisable_ = value;
    if (!enabled_) Show(picDisable_);
}

void TImgBtn::SetEnabled(bool value) {
    setEnabled(value);
    enabled_ = value;
    Show(value ? picUp_ : picDisable_);
}

void TImgBtn::Show(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void TImgBtn::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void TImgBtn::SetMouseInside(bool inside, const QPointF& pos) {
    if (inside == mouseInside_) return;
    mouseInside_ = inside;
    if (inside) MouseEnter(pos);
    else MouseLeave(pos);
}

void TImgBtn::MouseEnter(const QPointF& pos) {
    if (!Active()) return;
    hover_ = true;
    Show(pressed_ ? picDown_ : picUp_);
    if (OnMouseEnter) {
        TWMMouse msg{QEvent::Enter, Qt::NoButton, pos};
        OnMouseEnter(msg);
    }
}

void TImgBtn::MouseLeave(const QPointF& pos) {
    if (!Active()) return;
    hover_ = false;
    Show(pic_);
    if (OnMouseLeave) {
        TWMMouse msg{QEvent::Leave, Qt::NoButton, pos};
        OnMouseLeave(msg);
    }
}

void TImgBtn::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    SetMouseInside(true, event->position());
}

void TImgBtn::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    SetMouseInside(false, QPointF(-1, -1));
}

void TImgBtn::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    // Without mouse tracking this arrives only while a button is held, when
    // the platform holds back its leave and enter reports.
    SetMouseInside(rect().contains(event->position().toPoint()), event->position());
}

void TImgBtn::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    clickArmed_ = true;
    if (!Active()) return;
    pressed_ = true;
    if (hover_) Show(picDown_);
    if (OnMouseDown) {
        TWMMouse msg{QEvent::MouseButtonPress, event->button(), event->position()};
        OnMouseDown(msg);
    }
}

void TImgBtn::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const bool click = clickArmed_ && rect().contains(event->position().toPoint());
    clickArmed_ = false;
    if (click) emit Click();
    if (!Active()) return;
    pressed_ = false;
    if (hover_) Show(picUp_);
    if (OnMouseUp) {
        TWMMouse msg{QEvent::MouseButtonRelease, event->button(), event->position()};
        OnMouseUp(msg);
    }
}

}  // namespace quorvix
