#pragma once
// The widgets the skin is made of: a picture control, the two bars that
// paint their own background, the menu-bar button and the style that draws
// the drop-down menus' items.
#include <QPixmap>
#include <QProxyStyle>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>

namespace quorvix {

// A picture on the window: drawn at the top left, or stretched over the whole
// control. Reports presses and double-clicks.
class SkinImage : public QWidget {
    Q_OBJECT

public:
    explicit SkinImage(QWidget* parent = nullptr, bool stretch = false);
    const QPixmap& Picture() const { return picture_; }
    void SetPicture(const QPixmap& picture);
    // Lets the caller draw on the picture (the title bar's icon and caption).
    QPixmap& Canvas() { return picture_; }

signals:
    void MouseDown(QMouseEvent* event);
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    bool stretch_;
};

// A bar whose background is painted by a drawing routine (the menu bar and
// the toolbar).
class SkinToolBar : public QWidget {
    Q_OBJECT

public:
    using Painter = std::function<void(QPainter&, const QRect&)>;
    SkinToolBar(QWidget* parent, Painter drawBackground);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter drawBackground_;
};

// A menu-bar button: drops down its menu on a press and is drawn from the
// menu-bar cells (hot while the mouse is over it, selected while its menu
// is open).
//
// While its menu is open the menu has the mouse, and once an item is chosen
// the toolkit may not tell the button that the mouse has gone; so after the
// menu closes the button looks where the mouse is itself, until it has left.
class MenuBarButton : public QToolButton {
    Q_OBJECT

public:
    explicit MenuBarButton(QWidget* parent = nullptr);
    void SetDropDownMenu(QMenu* menu);
    bool Hot() const { return hot_; }
    bool Selected() const { return isDown() || menuOpen_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void SetHot(bool hot);
    void FollowMouse();

    bool menuOpen_ = false;
    bool hot_ = false;
    QTimer* mouseWatch_;
};

// A red frame, two pixels wide, around the control it is placed behind:
// the sign of a text the control cannot take.
class AlarmFrame : public QWidget {
    Q_OBJECT

public:
    explicit AlarmFrame(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Draws the items of the menus it is given to with the skin's colours, and
// measures them a little larger than the base style does.
class OwnerDrawMenuStyle : public QProxyStyle {
    Q_OBJECT

public:
    OwnerDrawMenuStyle();
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
};

}  // namespace quorvix
