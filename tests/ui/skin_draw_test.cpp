// The owner-drawn menu items, the menu-bar buttons, the bars' backgrounds and
// the skin's strips, checked pixel by pixel on rendered images.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <set>

#include "ui/skin.h"
#include "ui/skin_draw.h"
#include "ui/skin_widgets.h"

namespace quorvix {
namespace {

// The menu colour table as the window's look defines it.
const QColor kItemBack(255, 255, 255);
const QColor kStripe(226, 238, 238);
const QColor kSelectedBack(193, 210, 238);
const QColor kSelectedFrame(0, 128, 192);
const QColor kSeparator(212, 208, 200);
const QColor kGrayedBack(249, 248, 247);
const QColor kShadow(128, 128, 128);

constexpr int kW = 180, kH = 22;

QImage DrawItem(const MenuItemInfo& item) {
    QImage image(kW, kH, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    // Without smoothing, text pixels carry exactly the pen's colour.
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    DrawMenuItem(painter, QRect(0, 0, kW, kH), item, kShadow);
    painter.end();
    return image;
}

std::set<QRgb> ColoursIn(const QImage& image, const QRect& area) {
    std::set<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) colours.insert(image.pixel(x, y) & 0xffffff);
    return colours;
}

QRgb Rgb(const QColor& c) { return c.rgb() & 0xffffff; }

MenuItemInfo Item(const char* caption, const char* shortcut = "") {
    MenuItemInfo item;
    item.Caption = QString::fromLatin1(caption);
    item.ShortCut = QString::fromLatin1(shortcut);
    return item;
}

QIcon RedImage() {
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    return QIcon(picture);
}

TEST(MenuItemDrawing, NormalItemHasWhiteFrameStripeAndBlackText) {
    const QImage image = DrawItem(Item("Open project", "Ctrl+F"));
    EXPECT_EQ(image.pixelColor(kW - 1, 0), kItemBack);       // frame
    EXPECT_EQ(image.pixelColor(kW / 2, kH - 1), kItemBack);  // frame
    EXPECT_EQ(image.pixelColor(0, kH / 2), kStripe);         // the stripe covers the frame's left edge
    EXPECT_EQ(image.pixelColor(19, 1), kStripe);
    EXPECT_EQ(image.pixelColor(20, 1), kItemBack);
    // Caption from x = 24, shortcut right-aligned up to 10 pixels from the right.
    const std::set<QRgb> caption = ColoursIn(image, QRect(24, 3, 70, kH - 3));
    EXPECT_TRUE(caption.count(Rgb(Qt::black)));
    const std::set<QRgb> shortcut = ColoursIn(image, QRect(kW - 60, 3, 50, kH - 3));
    EXPECT_TRUE(shortcut.count(Rgb(Qt::black)));
    EXPECT_EQ(ColoursIn(image, QRect(kW - 9, 1, 8, kH - 2)), std::set<QRgb>{Rgb(kItemBack)});
    EXPECT_EQ(ColoursIn(image, QRect(20, 1, 3, kH - 2)), std::set<QRgb>{Rgb(kItemBack)});
}

TEST(MenuItemDrawing, SelectedEnabledItemHasNoStripe) {
    MenuItemInfo item = Item("Save project", "F2");
    item.Selected = true;
    const QImage image = DrawItem(item);
    EXPECT_EQ(image.pixelColor(0, 0), kSelectedFrame);
    EXPECT_EQ(image.pixelColor(0, kH / 2), kSelectedFrame);
    EXPECT_EQ(image.pixelColor(kW - 1, kH - 1), kSelectedFrame);
    EXPECT_EQ(ColoursIn(image, QRect(1, 1, 22, kH - 2)), std::set<QRgb>{Rgb(kSelectedBack)});
}

TEST(MenuItemDrawing, GrayedItemKeepsStripeAndUsesShadowText) {
    MenuItemInfo item = Item("Clear", "F8");
    item.Grayed = true;
    item.Selected = true;  // grayed wins over selected
    const QImage image = DrawItem(item);
    EXPECT_EQ(image.pixelColor(kW - 1, 0), kGrayedBack);
    EXPECT_EQ(image.pixelColor(kW / 2, 1), kGrayedBack);
    EXPECT_EQ(ColoursIn(image, QRect(0, 0, 20, kH)), std::set<QRgb>{Rgb(kStripe)});
    const std::set<QRgb> text = ColoursIn(image, QRect(24, 3, kW - 24, kH - 3));
    EXPECT_TRUE(text.count(Rgb(kShadow)));
    EXPECT_FALSE(text.count(Rgb(Qt::black)));
}

TEST(MenuItemDrawing, SeparatorDrawsOnlyItsLineAndStripe) {
    MenuItemInfo item = Item("never shown", "F9");
    item.Separator = true;
    item.Checked = true;
    item.HasImageList = true;
    item.Image = RedImage();
    const QImage image = DrawItem(item);
    const int line = kH / 2 - 1;
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            QColor expected = kItemBack;
            if (x < 20)
                expected = kStripe;
            else if (y == line && x >= 23 && x < kW - 2)
                expected = kSeparator;
            ASSERT_EQ(image.pixelColor(x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST(MenuItemDrawing, GrayedSeparatorStaysWhite) {
    MenuItemInfo item;
    item.Separator = true;
    item.Grayed = true;
    const QImage image = DrawItem(item);
    EXPECT_EQ(image.pixelColor(kW / 2, 1), kItemBack);
    EXPECT_EQ(image.pixelColor(kW / 2, kH / 2 - 1), kSeparator);
}

TEST(MenuItemDrawing, CheckMarksAppearOnlyOnCheckedItems) {
    const QRect markArea(0, 0, 20, kH);
    const QImage plain = DrawItem(Item("Auto"));
    EXPECT_EQ(ColoursIn(plain, markArea), std::set<QRgb>{Rgb(kStripe)});
    MenuItemInfo checked = Item("Auto");
    checked.Checked = true;
    EXPECT_TRUE(ColoursIn(DrawItem(checked), markArea).count(Rgb(Qt::black)));
    MenuItemInfo radio = checked;
    radio.RadioItem = true;
    const QImage radioImage = DrawItem(radio);
    EXPECT_TRUE(ColoursIn(radioImage, markArea).count(Rgb(Qt::black)));
    // The radio mark starts further right than the check mark.
    EXPECT_EQ(ColoursIn(radioImage, QRect(0, 0, 4, kH)), std::set<QRgb>{Rgb(kStripe)});
}

TEST(MenuItemDrawing, ImageMovesUpAndLeftWhenSelected) {
    MenuItemInfo item = Item("Exit", "Esc");
    item.HasImageList = true;
    item.Image = RedImage();
    const QImage normal = DrawItem(item);
    EXPECT_EQ(normal.pixelColor(3, 3), QColor(Qt::red));
    EXPECT_EQ(normal.pixelColor(18, 18), QColor(Qt::red));
    EXPECT_EQ(normal.pixelColor(2, 2), kStripe);
    EXPECT_EQ(normal.pixelColor(19, 19), kStripe);
    item.Selected = true;
    const QImage selected = DrawItem(item);
    EXPECT_EQ(selected.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(selected.pixelColor(17, 17), QColor(Qt::red));
    EXPECT_EQ(selected.pixelColor(18, 18), kSelectedBack);
    // Grayed: drawn disabled, at the normal place.
    item.Selected = false;
    item.Grayed = true;
    const QImage grayed = DrawItem(item);
    EXPECT_NE(grayed.pixelColor(3, 3), kStripe);
    EXPECT_NE(grayed.pixelColor(3, 3), QColor(Qt::red));
    // No image list, no picture.
    item.Grayed = false;
    item.HasImageList = false;
    EXPECT_EQ(DrawItem(item).pixelColor(3, 3), kStripe);
}

TEST(MenuItemDrawing, MeasureAddsSixAndTwo) {
    EXPECT_EQ(MenuItemSize(QSize(100, 20)), QSize(106, 22));
    EXPECT_EQ(MenuItemSize(QSize(0, 0)), QSize(6, 2));
}

// The menu-bar button's picture: the ImageMenu cell of its state.
QImage MenuBarButtonPicture(bool hot, bool selected) {
    QImage image(65, 28, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    DrawMenuBarButton(painter, QRect(0, 0, 65, 28), QString(), hot, selected, QFont(), Qt::white);
    return image;
}

// An item that opens a submenu shows an arrow at its right end, where a
// plain item of the same caption shows only its background.
TEST(MenuItemDrawing, SubmenuItemShowsItsArrow) {
    OwnerDrawMenuStyle style;
    auto draw = [&style](QStyleOptionMenuItem::MenuItemType type) {
        QStyleOptionMenuItem option;
        option.rect = QRect(0, 0, kW, kH);
        option.text = QStringLiteral("Copy as");
        option.menuItemType = type;
        option.state = QStyle::State_Enabled;
        QImage image(kW, kH, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        style.drawControl(QStyle::CE_MenuItem, &option, &painter);
        painter.end();
        return image;
    };
    const QRect arrowPlace(kW - 17, 0, 12, kH);
    EXPECT_EQ(ColoursIn(draw(QStyleOptionMenuItem::Normal), arrowPlace.adjusted(0, 2, 0, -2)),
              std::set<QRgb>{Rgb(kItemBack)});
    EXPECT_GT(ColoursIn(draw(QStyleOptionMenuItem::SubMenu), arrowPlace.adjusted(0, 2, 0, -2)).size(), 1u);
}

TEST(MenuBarButton, CellPerStateWithHotBeforeSelected) {
    const QImage& menu = Skin().ImageMenu;
    const QImage normal = MenuBarButtonPicture(false, false);
    const QImage hot = MenuBarButtonPicture(true, false);
    const QImage selected = MenuBarButtonPicture(false, true);
    const QImage hotAndSelected = MenuBarButtonPicture(true, true);
    EXPECT_EQ(hotAndSelected, hot);
    EXPECT_NE(hot, selected);
    EXPECT_NE(hot, normal);
    EXPECT_NE(selected, normal);
    for (int y = 0; y < 28; ++y) {
        // Left cap columns 0-1, the stretched body, right cap columns 62-63.
        for (int x : {0, 1, 62, 63}) {
            EXPECT_EQ(normal.pixel(x, y), menu.pixel(x, 29 + y)) << x << "," << y;
            EXPECT_EQ(hot.pixel(x, y), menu.pixel(x, 58 + y)) << x << "," << y;
            EXPECT_EQ(selected.pixel(x, y), menu.pixel(x, 88 + y)) << x << "," << y;
        }
        for (int x : {2, 30, 61}) {
            const QRgb body = hot.pixel(x, y);
            bool fromBody = false;
            for (int sx = 56; sx < 61; ++sx) fromBody |= body == menu.pixel(sx, 58 + y);
            EXPECT_TRUE(fromBody) << x << "," << y;
        }
        // The 65th column is not the button's.
        EXPECT_EQ(normal.pixelColor(64, y), QColor(Qt::magenta));
    }
}

TEST(MenuBarButton, CaptionIsCentredInTheTextColour) {
    QImage image(65, 28, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    DrawMenuBarButton(painter, QRect(0, 0, 65, 28), QStringLiteral("File"), false, false, font, QColor(255, 255, 0));
    painter.end();
    int minX = 65, maxX = -1;
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 65; ++x)
            if (image.pixelColor(x, y) == QColor(255, 255, 0)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    ASSERT_GE(maxX, minX);
    EXPECT_LE(std::abs((minX + maxX) - 64), 3);
}

TEST(BarBackgrounds, StretchTheirSourceColumn) {
    QImage bar(761, 28, QImage::Format_RGB32);
    QPainter painter(&bar);
    DrawMenuBarBackground(painter, bar.rect());
    painter.end();
    QImage tool(767, 57, QImage::Format_RGB32);
    QPainter toolPainter(&tool);
    DrawToolBarBackground(toolPainter, tool.rect());
    toolPainter.end();
    for (int x : {0, 1, 380, 760}) {
        for (int y = 0; y < 28; ++y) EXPECT_EQ(bar.pixel(x, y), Skin().ImageMenu.pixel(1, 29 + y)) << x << "," << y;
        for (int y = 0; y < 57; ++y) EXPECT_EQ(tool.pixel(x, y), Skin().ImageTool.pixel(1, y)) << x << "," << y;
    }
}

TEST(SkinStrips, ThreeSlicesCapsAndStretchedMiddle) {
    QImage source(30, 10, QImage::Format_RGB32);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 30; ++x) source.setPixel(x, y, qRgb(x * 8, y * 20, 7));
    const QImage strip = ThreeSliceStrip(QSize(100, 6), source, 8, 5).toImage();
    ASSERT_EQ(strip.size(), QSize(100, 6));  // h larger than the target is clipped
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 5; ++x) EXPECT_EQ(strip.pixel(x, y), source.pixel(x, y));
        for (int x = 5; x < 95; ++x) EXPECT_EQ(strip.pixel(x, y), source.pixel(5, y));
        for (int x = 95; x < 100; ++x) EXPECT_EQ(strip.pixel(x, y), source.pixel(x - 70, y));
    }
}

TEST(SkinStrips, TitleButtonCellsAreStackedOnePixelApart) {
    QImage source(100, 70, QImage::Format_RGB32);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 100; ++x) source.setPixel(x, y, qRgb(x, y, 0));
    const TitleButtonCells cells = CutTitleButtonCells(source, 52, 42, 20);
    EXPECT_EQ(cells.Pic.size(), QSize(42, 20));
    EXPECT_EQ(cells.Pic.toImage().pixel(0, 0), qRgb(52, 0, 0));
    EXPECT_EQ(cells.PicUp.toImage().pixel(0, 0), qRgb(52, 21, 0));
    EXPECT_EQ(cells.PicDown.toImage().pixel(41, 19), qRgb(93, 61, 0));
}

TEST(SkinStrips, WindowRegionRoundsOnlyTheCorners) {
    const QRegion region = RoundedWindowRegion(QSize(783, 651));
    for (QPoint corner : {QPoint(0, 0), QPoint(782, 0), QPoint(0, 650), QPoint(782, 650)})
        EXPECT_FALSE(region.contains(corner)) << corner.x() << "," << corner.y();
    for (QPoint inside : {QPoint(3, 0), QPoint(391, 0), QPoint(0, 3), QPoint(0, 325), QPoint(782, 325),
                          QPoint(391, 650), QPoint(779, 650), QPoint(391, 325)})
        EXPECT_TRUE(region.contains(inside)) << inside.x() << "," << inside.y();
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 783, 651));
}

TEST(SkinPictures, JpegPicturesDecodeAtTheirSizes) {
    EXPECT_EQ(SkinPicture(QStringLiteral("Image5.jpg")).size(), QSize(767, 568));
    EXPECT_EQ(SkinPicture(QStringLiteral("Image4.jpg")).size(), QSize(200, 27));
    EXPECT_EQ(SkinPicture(QStringLiteral("Image6.jpg")).size(), QSize(200, 27));
    EXPECT_EQ(SkinPicture(QStringLiteral("Image7.jpg")).size(), QSize(313, 31));
    EXPECT_EQ(SkinPicture(QStringLiteral("Image8.jpg")).size(), QSize(100, 27));
    EXPECT_EQ(SkinPicture(QStringLiteral("Image11.jpg")).size(), QSize(100, 27));
    EXPECT_GE(Skin().ImageM.width(), 94);
    EXPECT_GE(Skin().ImageM.height(), 62);
    EXPECT_GE(Skin().ImageMenu.height(), 116);
    EXPECT_GE(MenuImageCount(), 44);
    for (int index : {1, 3, 13, 18, 24, 31, 42, 43}) EXPECT_FALSE(MenuImage(index).isNull()) << index;
}

}  // namespace
}  // namespace quorvix
