#include "ui/skin.h"

#include <QBitmap>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

// The pictures live in a static library's resources, which must be
// registered by hand before the first use.
static void InitSkinResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(quorvix_skin);
        return true;
    }();
    (void)registered;
}

namespace quorvix {

namespace {

QImage Load(const QString& name) {
    InitSkinResources();
    QImage image(QStringLiteral(":/skin/") + name);
    if (image.isNull()) {
        // The pictures are part of the program: without them (or without the
        // JPEG decoder) the window cannot be drawn.
        std::fprintf(stderr, "quorvix: the skin picture '%s' cannot be read\n", qPrintable(name));
        std::abort();
    }
    return image;
}

}  // namespace

const SkinSources& Skin() {
    static const SkinSources sources{
        Load("ImageTop.png"),  Load("ImageBottom.png"), Load("ImageMenu.png"), Load("ImageM.png"),
        Load("ImageLeft.png"), Load("ImageRight.png"),  Load("ImageTool.png"),
    };
    return sources;
}

QImage SkinPicture(const QString& name) { return Load(name); }

QPixmap OperationGlyph(const QString& control) {
    return QPixmap::fromImage(Load(QStringLiteral("glyphs/") + control + QStringLiteral(".png")));
}

QPixmap ToolButtonGlyph(const QString& control) {
    return QPixmap::fromImage(Load(QStringLiteral("icons/") + control + QStringLiteral(".png")));
}

namespace {
const QImage& MenuImageList() {
    static const QImage list = Load("ImageListMenu.png");
    return list;
}
}  // namespace

int MenuImageCount() { return MenuImageList().width() / 16; }

QPixmap MenuImage(int index) {
    if (index < 0 || index >= MenuImageCount()) return {};
    return QPixmap::fromImage(MenuImageList().copy(index * 16, 0, 16, 16));
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 64})
        icon.addPixmap(QPixmap::fromImage(Load(QStringLiteral("icons/quorvix-%1.png").arg(size))));
    return icon;
}

QPixmap ThreeSliceStrip(QSize target, const QImage& source, int h, int c) {
    QPixmap strip(target);
    strip.fill(Qt::black);
    const int width = target.width();
    h = std::min({h, target.height(), source.height()});
    if (h <= 0 || width <= 0) return strip;
    QPainter painter(&strip);
    painter.drawImage(QRect(0, 0, c, h), source, QRect(0, 0, c, h));
    if (width > 2 * c) painter.drawImage(QRect(c, 0, width - 2 * c, h), source, QRect(c, 0, 1, h));
    painter.drawImage(QRect(width - c, 0, c, h), source, QRect(source.width() - c, 0, c, h));
    return strip;
}

TitleButtonCells CutTitleButtonCells(const QImage& imageM, int x, int w, int h) {
    return {QPixmap::fromImage(imageM.copy(x, 0, w, h)), QPixmap::fromImage(imageM.copy(x, h + 1, w, h)),
            QPixmap::fromImage(imageM.copy(x, 2 * h + 2, w, h))};
}

QRegion RoundedWindowRegion(QSize size) {
    // Row by row: the corner ellipses of 6 x 6 take 2, 1 and 1 pixels off the
    // first and last three rows at each end.
    constexpr int kCut[3] = {2, 1, 1};
    const int w = size.width(), h = size.height();
    if (w < 6 || h < 6) return QRegion(0, 0, w, h);
    QRegion region(0, 3, w, h - 6);
    for (int k = 0; k < 3; ++k) {
        region += QRect(kCut[k], k, w - 2 * kCut[k], 1);
        region += QRect(kCut[k], h - 1 - k, w - 2 * kCut[k], 1);
    }
    return region;
}

}  // namespace quorvix
