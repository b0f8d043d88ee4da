#pragma once
// ImageButton: a picture that behaves as a button (the title bar's minimize
// and close). It swaps its displayed picture between a normal, a hover, a
// pressed and a disabled picture as the mouse enters, leaves, presses and
// releases, and offers its own four mouse events.
// It does not stretch or centre its pictures: they are drawn at the top left,
// as the picture control it stands for draws them.
#include <QEvent>
#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <functional>

namespace quorvix {

// What an ImageButton tells its own mouse events.
struct ImageButtonMouse {
    QEvent::Type Type = QEvent::None;       // Enter, Leave, MouseButtonPress, MouseButtonRelease
    Qt::MouseButton Button = Qt::NoButton;  // the button of a press or release
    QPointF Pos;                            // in the button's coordinates
};

using ImageButtonMouseHandler = std::function<void(const ImageButtonMouse& mouse)>;

class ImageButton : public QWidget {
    Q_OBJECT

public:
    explicit ImageButton(QWidget* parent = nullptr);
    ~ImageButton() override;

    // The picture on screen.
    const QPixmap& Picture() const { return picture_; }

    // Assigning a picture copies it; the button owns its four pictures.
    const QPixmap& Pic() const { return pic_; }
    void SetPic(const QPixmap& value);
    const QPixmap& PicDown() const { return picDown_; }
    void SetPicDown(const QPixmap& value);
    const QPixmap& PicUp() const { return picUp_; }
    void SetPicUp(const QPixmap& value);
    const QPixmap& PicDisable() const { return picDisable_; }
    void SetPicDisable(const QPixmap& value);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // When false, the pictures stay as they are and the four events below
    // are not called; the click still works.
    bool Supported() const { return supported_; }
    void SetSupported(bool value) { supported_ = value; }

    bool Hover() const { return hover_; }
    bool Pressed() const { return pressed_; }

    ImageButtonMouseHandler OnMouseEnter;
    ImageButtonMouseHandler OnMouseLeave;
    ImageButtonMouseHandler OnMouseDown;
    ImageButtonMouseHandler OnMouseUp;

    QSize sizeHint() const override;

signals:
    // The click of the picture control: a left press and release on it.
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool Active() const { return enabled_ && supported_; }
    void Show(const QPixmap& picture);
    // The platform reports entering and leaving late (or twice) while a
    // button is held; every report goes through here so each crossing of the
    // edge reaches the reactions below exactly once.
    void SetMouseInside(bool inside, const QPointF& pos);
    void MouseEnter(const QPointF& pos);
    void MouseLeave(const QPointF& pos);

    bool hover_ = false;
    bool pressed_ = false;
    bool enabled_ = true;
    bool supported_ = true;
    bool mouseInside_ = false;
    bool clickArmed_ = false;  // the left button went down on the control
    QPixmap picture_;
    QPixmap pic_;
    QPixmap picDown_;
    QPixmap picUp_;
    QPixmap picDisable_;
};

}  // namespace quorvix
