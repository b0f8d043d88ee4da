#pragma once
// The window's skin: the source pictures compiled into the program, and the
// routines that cut and stretch them into the title bar, the borders and the
// title-bar button pictures.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QSize>
#include <QString>

namespace quorvix {

// The pictures the drawing code cuts from; never shown themselves.
struct SkinSources {
    QImage ImageTop;     // title bar: left cap, middle column, right cap
    QImage ImageBottom;  // bottom border, cut the same way
    QImage ImageMenu;    // menu-bar strip (rows 0-27) and the menu-bar button cells
    QImage ImageM;       // title-bar button cells: normal, hover, pressed
    QImage ImageLeft;    // left border, stretched
    QImage ImageRight;   // right border, stretched
    QImage ImageTool;    // toolbar background column
};

// Loads every picture of the skin from the program's resources; a missing
// or undecodable picture (a JPEG without the JPEG plugin) is a fault of the
// build and stops the program with a message naming it.
const SkinSources& Skin();

// A picture of the skin by its name ("Image5.jpg", "glyphs/SpeedButton13.png").
QImage SkinPicture(const QString& name);
// The operation button's glyph, the toolbar button's icon (by control name).
QPixmap OperationGlyph(const QString& control);
QPixmap ToolButtonGlyph(const QString& control);
// One 16 x 16 picture of the menu image list.
QPixmap MenuImage(int index);
int MenuImageCount();
QIcon ApplicationIcon();

// Three-slice strip: the source's left `c` x `h` pixels at the left edge, its
// column x = c stretched over the middle, its right-most `c` x `h` pixels at
// the right edge, in a picture as large as `target` (a larger h is clipped).
QPixmap ThreeSliceStrip(QSize target, const QImage& source, int h, int c);

// Title-bar button pictures: three cells of w x h stacked one pixel apart
// from (x, 0): normal (Pic), hover (PicUp), pressed (PicDown).
struct TitleButtonCells {
    QPixmap Pic;
    QPixmap PicUp;
    QPixmap PicDown;
};
TitleButtonCells CutTitleButtonCells(const QImage& imageM, int x, int w, int h);

// The window's outline: a rectangle of `size` with corners rounded by
// ellipses of 6 x 6.
QRegion RoundedWindowRegion(QSize size);

}  // namespace quorvix
