#pragma once
// Drawing the menu bar, the toolbar and the items of the drop-down menus in
// the skin's style, from the skin pictures and a fixed table of six colours.
// These routines paint on whatever they are given, so they can be checked on
// an image as well as used by the widgets.
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

namespace quorvix {

// The menu colour table: 0 item background and frame, 1 the stripe at the
// item's left edge, 2 selected background, 3 selected frame, 4 separator
// line, 5 grayed background and frame.
QColor MenuColour(int index);

// Width of the stripe at the left edge of every menu item.
inline constexpr int kMenuStripeWidth = 20;

// The menu bar's background: ImageMenu's column x = 1 from row 29,
// stretched over `rect`.
void DrawMenuBarBackground(QPainter& canvas, const QRect& rect);
// The toolbar's background: ImageTool's column x = 1 from row 0.
void DrawToolBarBackground(QPainter& canvas, const QRect& rect);

// One menu-bar button at `bounds` (its left and top are the button's place):
// the ImageMenu cell of its state (hot before selected before normal), cut
// into caps and a stretched body, and the caption, centred, in `font` and
// `textColour`.
void DrawMenuBarButton(QPainter& canvas, const QRect& bounds, const QString& caption, bool hot, bool selected,
                       const QFont& font, const QColor& textColour);

// What an owner-drawn menu item needs to know about itself.
struct MenuItemInfo {
    QString Caption;   // with "&" accelerator marks
    QString ShortCut;  // the shortcut's text, or empty
    bool Separator = false;
    bool Grayed = false;    // disabled
    bool Selected = false;  // highlighted
    bool Checked = false;
    bool RadioItem = false;
    bool HasImageList = false;  // the menu has an image list
    QIcon Image;                // the item's picture from the image list, or none
};

// The whole item on rectangle R: background and frame, stripe, then the
// separator line, or the caption, the shortcut, the check mark; then the
// picture. `shadowColour` is the platform's button-shadow colour for grayed
// text.
void DrawMenuItem(QPainter& canvas, const QRect& R, const MenuItemInfo& item, const QColor& shadowColour);
// The item's size: the proposed one, 6 wider and 2 higher.
QSize MenuItemSize(QSize proposed);

}  // namespace quorvix
