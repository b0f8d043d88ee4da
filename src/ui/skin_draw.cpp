#include "ui/skin_draw.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <array>

#include "ui/skin.h"

namespace quorvix {

namespace {

// Rectangles here are given as left, top, right, bottom with right and bottom
// outside the rectangle, the way the drawing below measures them.
QRect Ltrb(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }

void StretchColumn(QPainter& canvas, const QRect& rect, const QImage& source, int x, int top) {
    if (rect.isEmpty()) return;
    const int rows = std::min(rect.height(), source.height() - top);
    if (rows <= 0) return;
    canvas.drawImage(QRect(rect.left(), rect.top(), rect.width(), rows), source, QRect(x, top, 1, rows));
}

// The check-mark symbols; where the symbol font is missing, the same shapes
// from an ordinary font stand in for them.
struct CheckGlyph {
    QFont Font;
    QString Text;
};

CheckGlyph CheckMarkGlyph(bool radio, const QFont& base) {
    QFont symbol(QStringLiteral("Webdings"));
    symbol.setStyleStrategy(QFont::NoFontMerging);
    if (!radio)
        symbol.setPixelSize(16);
    else
        symbol.setPixelSize(base.pixelSize() > 0 ? base.pixelSize() : 13);
    if (QFontInfo(symbol).family().compare(QStringLiteral("Webdings"), Qt::CaseInsensitive) == 0)
        return {symbol, radio ? QStringLiteral("=") : QStringLiteral("a")};
    QFont stand(base);
    stand.setPixelSize(radio ? 10 : 14);
    stand.setBold(true);
    return {stand, radio ? QString(QChar(0x25CF)) : QString(QChar(0x2713))};
}

}  // namespace

QColor MenuColour(int index) {
    static const std::array<QColor, 6> kColours{
        QColor(255, 255, 255), QColor(226, 238, 238), QColor(193, 210, 238),
        QColor(0, 128, 192),   QColor(212, 208, 200), QColor(249, 248, 247),
    };
    return kColours.at(static_cast<std::size_t>(index));
}

void DrawMenuBarBackground(QPainter& canvas, const QRect& rect) {
    StretchColumn(canvas, rect, Skin().ImageMenu, 1, 29);
}

void DrawToolBarBackground(QPainter& canvas, const QRect& rect) { StretchColumn(canvas, rect, Skin().ImageTool, 1, 0); }

void DrawMenuBarButton(QPainter& canvas, const QRect& bounds, const QString& caption, bool hot, bool selected,
                       const QFont& font, const QColor& textColour) {
    const QImage& menu = Skin().ImageMenu;
    const int cellTop = hot ? 58 : selected ? 88 : 29;
    const QImage cell = menu.copy(0, cellTop, 64, 28);
    const int left = bounds.left(), top = bounds.top();
    canvas.drawImage(Ltrb(left, top, left + 5, top + 28), cell, Ltrb(0, 0, 5, 28));
    canvas.drawImage(Ltrb(left + 59, top, left + 64, top + 28), cell, Ltrb(59, 0, 64, 28));
    canvas.drawImage(Ltrb(left + 2, top, left + 62, top + 28), cell, Ltrb(56, 0, 61, 28));
    canvas.save();
    canvas.setFont(font);
    canvas.setPen(textColour);
    canvas.setBackgroundMode(Qt::TransparentMode);
    canvas.drawText(bounds.adjusted(0, 2, 0, 0), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
    canvas.restore();
}

QSize MenuItemSize(QSize proposed) { return QSize(proposed.width() + 6, proposed.height() + 2); }

void DrawMenuItem(QPainter& canvas, const QRect& R, const MenuItemInfo& item, const QColor& shadowColour) {
    canvas.save();
    const int left = R.left(), top = R.top();
    const int right = R.left() + R.width(), bottom = R.top() + R.height();
    const int h = R.height();

    // Background and frame; grayed wins over selected.
    QColor brush = MenuColour(0), pen = MenuColour(0);
    if (item.Grayed && !item.Separator) {
        brush = pen = MenuColour(5);
    } else if (item.Selected) {
        brush = MenuColour(2);
        pen = MenuColour(3);
    }
    canvas.setPen(Qt::NoPen);
    canvas.fillRect(R, pen);
    if (R.width() > 2 && R.height() > 2) canvas.fillRect(R.adjusted(1, 1, -1, -1), brush);

    // The stripe, except under a selected, enabled item, whose highlight
    // runs to the left edge.
    if (!(item.Selected && !item.Grayed))
        canvas.fillRect(Ltrb(left, top, left + kMenuStripeWidth, bottom), MenuColour(1));

    if (item.Separator) {
        // A separator is only its line: no caption, no check mark, no picture.
        canvas.fillRect(Ltrb(left + 23, top + h / 2 - 1, right - 2, top + h / 2), MenuColour(4));
    } else {
        // Caption, shortcut, check mark.
        canvas.setBrush(Qt::NoBrush);
        canvas.setPen(item.Grayed ? shadowColour : QColor(Qt::black));
        const QRect textRect = Ltrb(left + 24, top + 3, right, bottom);
        canvas.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine,
                        item.Caption);
        if (!item.ShortCut.isEmpty())
            canvas.drawText(Ltrb(left + 24, top + 3, right - 10, bottom),
                            Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, item.ShortCut);
        if (item.Checked) {
            const CheckGlyph glyph = CheckMarkGlyph(item.RadioItem, canvas.font());
            canvas.setFont(glyph.Font);
            const QPoint at = item.RadioItem ? QPoint(left + 4, top) : QPoint(left + 2, top);
            canvas.drawText(QRect(at, QSize(20, h)), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, glyph.Text);
        }
    }

    // The picture last, over the stripe; a selected, enabled item's moves one
    // pixel up and left, so that it seems to rise.
    if (item.HasImageList && !item.Image.isNull() && !item.Separator) {
        const bool lifted = item.Selected && !item.Grayed;
        const QPoint at = lifted ? QPoint(left + 2, top + 2) : QPoint(left + 3, top + 3);
        const QIcon::Mode mode = item.Grayed ? QIcon::Disabled : QIcon::Normal;
        canvas.drawPixmap(at, item.Image.pixmap(QSize(16, 16), mode));
    }
    canvas.restore();
}

}  // namespace quorvix
