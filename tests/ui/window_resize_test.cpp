// The window at a size the user chooses: the result panel and the editors
// grow, the button grid and the picture titles stay, the strips stretch, and
// the borders resize the window.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QTest>

#include "commands/operation_table.h"
#include "ui/image_button.h"
#include "ui/main_window.h"
#include "ui/skin.h"
#include "ui/skin_widgets.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;

QRect Place(const MainWindow& window, const char* name) { return Child<QWidget>(window, name)->geometry(); }

// Every named control's place, by name.
QMap<QString, QRect> Places(const MainWindow& window) {
    QMap<QString, QRect> places;
    for (const QWidget* w : window.findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && !w->isWindow()) places.insert(w->objectName(), w->geometry());
    return places;
}

class Resizing : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void ResizeTo(int width, int height) {
        window.resize(width, height);
        QCoreApplication::processEvents();
        ASSERT_EQ(window.size(), QSize(width, height));
    }
    MainWindow window;
};

TEST_F(Resizing, TheResultPanelAndTheEditorsGrowAndTheGridStays) {
    QMap<QString, QRect> grid;
    for (const Operation& op : Operations()) grid.insert(QString::fromLatin1(op.Control), Place(window, op.Control));
    ResizeTo(1200, 800);
    // 417 wider and 149 taller than the smallest size.
    EXPECT_EQ(Place(window, "Panel1"), QRect(8, 53, 1184, 717));
    EXPECT_EQ(Place(window, "Image5"), QRect(0, 0, 1184, 717));
    EXPECT_EQ(Place(window, "ToolBar2"), QRect(0, 0, 1184, 57));
    EXPECT_EQ(Place(window, "RichEdit3"), QRect(448, 88, 315 + 417, 473 + 149));
    // The editors share the height; what stands below them moves down.
    const QWidget* a = Child<QPlainTextEdit>(window, "RichEdit1");
    const QWidget* b = Child<QPlainTextEdit>(window, "RichEdit2");
    EXPECT_EQ(a->geometry().size(), QSize(201, 161 + 74));
    EXPECT_EQ(b->geometry().size(), QSize(201, 169 + 75));
    EXPECT_EQ(a->mapTo(&window, QPoint()), QPoint(16, 141));
    EXPECT_EQ(b->mapTo(&window, QPoint()), QPoint(16, 333 + 74));
    EXPECT_EQ(Child<QWidget>(window, "Image6")->mapTo(&window, QPoint()), QPoint(16, 309 + 74));
    EXPECT_EQ(Child<QLineEdit>(window, "Edit1")->mapTo(&window, QPoint()), QPoint(120, 533 + 149));
    EXPECT_EQ(Child<QWidget>(window, "RadioGroup1")->mapTo(&window, QPoint()), QPoint(16, 509 + 149));
    EXPECT_EQ(Child<QWidget>(window, "ComboBox1")->mapTo(&window, QPoint()), QPoint(120, 591 + 149));
    // Below B and above x nothing overlaps.
    EXPECT_LT(b->mapTo(&window, QPoint(0, b->height())).y(),
              Child<QWidget>(window, "Image8")->mapTo(&window, QPoint()).y() + 1);
    for (auto it = grid.cbegin(); it != grid.cend(); ++it)
        EXPECT_EQ(Place(window, it.key().toLatin1().constData()), it.value()) << it.key().toStdString();
    EXPECT_EQ(Place(window, "SpeedButton10"), QRect(368, 496, 65, 57));
    EXPECT_EQ(Place(window, "Image7"), QRect(448, 64, 313, 31));
}

TEST_F(Resizing, TheStripsStretchAndTheTitleButtonsKeepToTheRight) {
    ResizeTo(1200, 800);
    EXPECT_EQ(Place(window, "Image1"), QRect(0, 0, 1200, 25));
    EXPECT_EQ(Place(window, "Image3"), QRect(0, 25, 1200, 28));
    EXPECT_EQ(Place(window, "Image2"), QRect(0, 770, 1200, 30));
    EXPECT_EQ(Place(window, "Image9"), QRect(0, 53, 8, 717));
    EXPECT_EQ(Place(window, "Image10"), QRect(1192, 53, 8, 717));
    EXPECT_EQ(Place(window, "ImgBtnClose"), QRect(1152, 1, 49, 25));
    EXPECT_EQ(Place(window, "ImgBtnMax"), QRect(1127, 1, 25, 25));
    EXPECT_EQ(Place(window, "ImgBtnMin"), QRect(1100, 1, 27, 25));
    // Caps at both ends, the middle column stretched between them.
    const QImage title = Child<SkinImage>(window, "Image1")->Picture().toImage();
    ASSERT_EQ(title.size(), QSize(1200, 25));
    const QImage& top = Skin().ImageTop;
    EXPECT_EQ(title.pixel(1000, 24), top.pixel(100, 24));
    EXPECT_EQ(title.pixel(1199, 12), top.pixel(299, 12));
    EXPECT_EQ(title.pixel(1150, 20), top.pixel(250, 20));
    const QImage bottom = Child<SkinImage>(window, "Image2")->Picture().toImage();
    ASSERT_EQ(bottom.size(), QSize(1200, 30));
    EXPECT_EQ(bottom.pixel(1199, 29), Skin().ImageBottom.pixel(299, 29));
    // The outline follows the size: the corners are cut, the edges are not.
    EXPECT_FALSE(window.mask().contains(QPoint(1199, 799)));
    EXPECT_TRUE(window.mask().contains(QPoint(1199, 400)));
    // The caption stays where it was.
    int white = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 34; x < 300; ++x)
            if ((title.pixel(x, y) & 0xffffff) == 0xffffff) ++white;
    EXPECT_GT(white, 30);
}

TEST_F(Resizing, BackAtTheSmallestSizeEveryControlIsAtItsPlaceAgain) {
    const QMap<QString, QRect> before = Places(window);
    ResizeTo(1100, 900);
    EXPECT_NE(Places(window), before);
    ResizeTo(783, 651);
    const QMap<QString, QRect> after = Places(window);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
}

// Records the edges the window was asked to be resized by.
class ResizeCountingWindow : public MainWindow {
public:
    std::vector<Qt::Edges> asked;

protected:
    bool StartSystemResize(Qt::Edges edges) override {
        asked.push_back(edges);
        return true;
    }
};

TEST(ResizeBorders, TheBordersAndTheirCornersResizeAndNotWhileMaximized) {
    ResizeCountingWindow window;
    window.show();
    auto press = [&](const char* border, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        SkinImage* image = Child<SkinImage>(window, border);
        QTest::mousePress(image, button, Qt::NoModifier, at);
        QTest::mouseRelease(image, button, Qt::NoModifier, at);
    };
    press("Image2", QPoint(400, 15));
    press("Image2", QPoint(780, 15));
    press("Image2", QPoint(3, 15));
    press("Image10", QPoint(4, 100));
    press("Image10", QPoint(4, 560));
    press("Image9", QPoint(4, 100));
    press("Image2", QPoint(400, 15), Qt::RightButton);
    const std::vector<Qt::Edges> expected{Qt::BottomEdge, Qt::BottomEdge | Qt::RightEdge, Qt::BottomEdge | Qt::LeftEdge,
                                          Qt::RightEdge,  Qt::RightEdge | Qt::BottomEdge, Qt::LeftEdge};
    EXPECT_EQ(window.asked, expected);
    window.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(window.isMaximized());
    press("Image2", QPoint(400, 15));
    EXPECT_EQ(window.asked.size(), expected.size());
}

}  // namespace
}  // namespace quorvix
