#include "ui/skin_widgets.h"

#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include "ui/skin_draw.h"

namespace quorvix {

TImage::TImage(QWidget* parent, bool stretch) : QWidget(parent), stretch_(stretch) {}

void TImage::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    if (stretch_) painter.drawPixmap(rect(), picture_);
    else painter.drawPixmap(0, 0, picture_);
}

void TImage::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    emit MouseDown(event);
}

void TImage::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    emit DblClick();
}

TSkinToolBar::TSkinToolBar(QWidget* parent, Painter customDraw) : QWidget(parent), customDraw_(std::move(customDraw)) {}

void TSkinToolBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Swallow any failure of the drawing: a bar left unpainted beats a
    // window that cannot repaint.
    try {
        customDraw_(painter, rect());
    } catch (...) {
    }
}

TMenuBarButton::TMenuBarButton(QWidget* parent) : QToolButton(parent) {
    setPopupMode(QToolButton::InstantPopup);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
}

void TMenuBarButton::SetDropDownMenu(QMenu* menu) {
    setMenu(menu);
    connect(menu, &QMenu::aboutToShow, this, [this] {
        menuOpen_ = true;
        update();
    });
    connect(menu, &QMenu::aboutToHide, this, [this] {
        menuOpen_ = false;
        update();
    });
}

void TMenuBarButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    try {
        ToolBar1CustomDrawButton(painter, rect(), text(), Hot(), Selected(), font(),
                                 palette().color(QPalette::ButtonText));
    } catch (...) {
    }
}

void TMenuBarButton::enterEvent(QEnterEvent* event) {
    QToolButton::enterEvent(event);
    update();
}

void TMenuBarButton::leaveEvent(QEvent* event) {
    QToolButton::leaveEvent(event);
    update();
}

TOwnerDrawMenuStyle::TOwnerDrawMenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void TOwnerDrawMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
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
        Open1AdvancedDrawItem(*painter, item->rect, info, item->palette.color(QPalette::Dark));
    } catch (...) {
    }
    painter->restore();
}

QSize TOwnerDrawMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                            const QWidget* widget) const {
    const QSize proposed = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type != CT_MenuItem) return proposed;
    return Open1MeasureItem(proposed);
}

}  // namespace quorvix
