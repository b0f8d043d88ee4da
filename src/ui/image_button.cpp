#include "ui/image_button.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quorvix {

ImageButton::ImageButton(QWidget* parent) : QWidget(parent) {}

ImageButton::~ImageButton() = default;

QSize ImageButton::sizeHint() const { return picture_.isNull() ? QSize(16, 16) : picture_.size(); }

void ImageButton::SetPic(const QPixmap& value) {
    pic_ = value;
    Show(pic_);
}

void ImageButton::SetPicDown(const QPixmap& value) { picDown_ = value; }

void ImageButton::SetPicUp(const QPixmap& value) { picUp_ = value; }

void ImageButton::SetPicDisable(const QPixmap& value) {
    picDisable_ = value;
    if (!enabled_) Show(picDisable_);
}

void ImageButton::SetEnabled(bool value) {
    setEnabled(value);
    enabled_ = value;
    Show(value ? picUp_ : picDisable_);
}

void ImageButton::Show(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void ImageButton::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void ImageButton::SetMouseInside(bool inside, const QPointF& pos) {
    if (inside == mouseInside_) return;
    mouseInside_ = inside;
    if (inside)
        MouseEnter(pos);
    else
        MouseLeave(pos);
}

void ImageButton::MouseEnter(const QPointF& pos) {
    if (!Active()) return;
    hover_ = true;
    Show(pressed_ ? picDown_ : picUp_);
    if (OnMouseEnter) OnMouseEnter(ImageButtonMouse{QEvent::Enter, Qt::NoButton, pos});
}

void ImageButton::MouseLeave(const QPointF& pos) {
    if (!Active()) return;
    hover_ = false;
    Show(pic_);
    if (OnMouseLeave) OnMouseLeave(ImageButtonMouse{QEvent::Leave, Qt::NoButton, pos});
}

void ImageButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    SetMouseInside(true, event->position());
}

void ImageButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    SetMouseInside(false, QPointF(-1, -1));
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    // Without mouse tracking this arrives only while a button is held, when
    // the platform holds back its leave and enter reports.
    SetMouseInside(rect().contains(event->position().toPoint()), event->position());
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    clickArmed_ = true;
    if (!Active()) return;
    pressed_ = true;
    if (hover_) Show(picDown_);
    if (OnMouseDown) OnMouseDown(ImageButtonMouse{QEvent::MouseButtonPress, event->button(), event->position()});
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const bool click = clickArmed_ && rect().contains(event->position().toPoint());
    clickArmed_ = false;
    if (click) emit Clicked();
    if (!Active()) return;
    pressed_ = false;
    if (hover_) Show(picUp_);
    if (OnMouseUp) OnMouseUp(ImageButtonMouse{QEvent::MouseButtonRelease, event->button(), event->position()});
}

}  // namespace quorvix
