#include "ui/skin_widgets.h"

#include <QCursor>
#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include "ui/skin_draw.h"

namespace quorvix {

SkinImage::SkinImage(QWidget* parent, bool stretch) : QWidget(parent), stretch_(stretch) {}

void SkinImage::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void SkinImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    if (stretch_)
        painter.drawPixmap(rect(), picture_);
    else
        painter.drawPixmap(0, 0, picture_);
}

void SkinImage::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    emit MouseDown(event);
}

void SkinImage::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    emit DoubleClicked();
}

SkinToolBar::SkinToolBar(QWidget* parent, Painter drawBackground)
    : QWidget(parent), drawBackground_(std::move(drawBackground)) {}

void SkinToolBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Swallow any failure of the drawing: a bar left unpainted beats a
    // window that cannot repaint.
    try {
        drawBackground_(painter, rect());
    } catch (...) {}
}

MenuBarButton::MenuBarButton(QWidget* parent) : QToolButton(parent), mouseWatch_(new QTimer(this)) {
    setPopupMode(QToolButton::InstantPopup);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    mouseWatch_->setInterval(100);
    connect(mouseWatch_, &QTimer::timeout, this, &MenuBarButton::FollowMouse);
}

void MenuBarButton::SetDropDownMenu(QMenu* menu) {
    setMenu(menu);
    connect(menu, &QMenu::aboutToShow, this, [this] {
        menuOpen_ = true;
        update();
    });
    connect(menu, &QMenu::aboutToHide, this, [this] {
        menuOpen_ = false;
        FollowMouse();
        if (hot_) mouseWatch_->start();
        update();
    });
}

void MenuBarButton::SetHot(bool hot) {
    if (!hot) mouseWatch_->stop();
    if (hot == hot_) return;
    hot_ = hot;
    update();
}

void MenuBarButton::FollowMouse() { SetHot(rect().contains(mapFromGlobal(QCursor::pos()))); }

void MenuBarButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    try {
        DrawMenuBarButton(painter, rect(), text(), Hot(), Selected(), font(), palette().color(QPalette::ButtonText));
    } catch (...) {}
}

void MenuBarButton::enterEvent(QEnterEvent* event) {
    QToolButton::enterEvent(event);
    SetHot(true);
}

void MenuBarButton::leaveEvent(QEvent* event) {
    QToolButton::leaveEvent(event);
    SetHot(false);
}

AlarmFrame::AlarmFrame(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void AlarmFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(220, 0, 0));
}

OwnerDrawMenuStyle::OwnerDrawMenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void OwnerDrawMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || item == nullptr) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    MenuItemInfo info;
    const qsizetype tab = item->text.indexOf(QLatin1Char('\t'));
    info.Caption = tab < 0 ? item->text : item->text.left(tab);
    info.ShortCut = tab < 0 ? QString() : item->text.mid(tab + 1);
    info.Separator = item->menuItemType == QStyleOptionMenuItem::Separator;
    info.Grayed = !(item->state & State_Enabled);
    info.Selected = (item->state & State_Selected) != 0;
    info.Checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
    info.RadioItem = item->checkType == QStyleOptionMenuItem::Exclusive;
    info.HasImageList = true;
    info.Image = item->icon;
    painter->save();
    painter->setFont(item->font);
    try {
        DrawMenuItem(*painter, item->rect, info, item->palette.color(QPalette::Dark));
    } catch (...) {}
    painter->restore();
    // A submenu's arrow stands where a shortcut would.
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOption arrow(*item);
        arrow.rect = QRect(item->rect.right() - 16, item->rect.top(), 10, item->rect.height());
        arrow.palette.setColor(QPalette::ButtonText, info.Grayed ? item->palette.color(QPalette::Dark) : Qt::black);
        proxy()->drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
    }
}

QSize OwnerDrawMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                           const QWidget* widget) const {
    const QSize proposed = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type != CT_MenuItem) return proposed;
    return MenuItemSize(proposed);
}

}  // namespace quorvix
