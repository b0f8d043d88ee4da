// The window's frame, controls, texts, fonts and menus at creation.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QEnterEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "commands/operation_table.h"
#include "ui/image_button.h"
#include "ui/main_window.h"
#include "ui/skin.h"
#include "ui/skin_widgets.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;

struct Place {
    const char* Name;
    QRect Geometry;  // relative to the parent
};

// Places on the window.
const Place kWindowPlaces[] = {
    {"Image1", QRect(0, 0, 783, 25)},     {"Image3", QRect(0, 25, 783, 28)},      {"Image2", QRect(0, 621, 783, 30)},
    {"Image9", QRect(0, 53, 8, 568)},     {"Image10", QRect(775, 53, 8, 568)},    {"ImgBtnMin", QRect(683, 1, 27, 25)},
    {"ImgBtnMax", QRect(710, 1, 25, 25)}, {"ImgBtnClose", QRect(735, 1, 49, 25)}, {"ToolBar1", QRect(12, 25, 761, 28)},
    {"Panel1", QRect(8, 53, 767, 568)},
};

// Places on the panel.
const Place kPanelPlaces[] = {
    {"Image5", QRect(0, 0, 767, 568)},       {"ToolBar2", QRect(0, 0, 767, 57)},
    {"Image4", QRect(8, 64, 200, 27)},       {"Image6", QRect(8, 256, 200, 27)},
    {"Image7", QRect(448, 64, 313, 31)},     {"Image8", QRect(112, 456, 100, 27)},
    {"Image11", QRect(110, 512, 100, 27)},   {"RichEdit1", QRect(8, 88, 201, 161)},
    {"RichEdit2", QRect(8, 280, 201, 169)},  {"RichEdit3", QRect(448, 88, 315, 473)},
    {"Edit1", QRect(112, 480, 98, 24)},      {"ComboBox1", QRect(112, 538, 97, 21)},
    {"RadioGroup1", QRect(8, 456, 97, 105)}, {"SpeedButton10", QRect(368, 496, 65, 57)},
};

// The operation buttons' grid: columns 224, 296 and 368, rows from 80, 32 apart.
const char* const kGrid[][3] = {
    {"SpeedButton11", "SpeedButton12", "SpeedButton13"}, {"SpeedButton14", "SpeedButton15", "SpeedButton9"},
    {"SpeedButton18", "SpeedButton38", "SpeedButton39"}, {"SpeedButton40", "SpeedButton45", "SpeedButton46"},
    {"SpeedButton47", "SpeedButton48", "SpeedButton49"}, {"SpeedButton50", "SpeedButton51", "SpeedButton52"},
    {"SpeedButton19", "SpeedButton20", "SpeedButton21"}, {"SpeedButton24", "SpeedButton25", "SpeedButton22"},
    {"SpeedButton32", "SpeedButton37", "SpeedButton23"}, {"SpeedButton34", "SpeedButton35", "SpeedButton16"},
    {"SpeedButton33", "SpeedButton43", "SpeedButton17"}, {"SpeedButton26", "SpeedButton28", "SpeedButton27"},
    {"SpeedButton29", "SpeedButton30", "SpeedButton44"}, {"SpeedButton31", "SpeedButton36", nullptr},
    {"SpeedButton41", "SpeedButton42", nullptr},
};

class WindowLayout : public ::testing::Test {
protected:
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(WindowLayout, WindowOpensAtItsSmallestSizeFramelessAndCaptioned) {
    EXPECT_EQ(window.size(), QSize(783, 651));
    EXPECT_EQ(window.pos(), QPoint(252, 72));
    EXPECT_EQ(window.minimumSize(), QSize(783, 651));
    EXPECT_GT(window.maximumSize().width(), 783);
    EXPECT_GT(window.maximumSize().height(), 651);
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvix 5.4"));
    EXPECT_FALSE(window.mask().isEmpty());
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
    EXPECT_EQ(window.font().pixelSize(), 11);
}

// Where `widget` stands on `area` (the window or the panel), whichever of the
// window's parts holds it.
QRect PlaceOn(const QWidget* area, const QWidget* widget) {
    return QRect(widget->mapTo(area, QPoint(0, 0)), widget->size());
}

TEST_F(WindowLayout, EveryControlAtItsPlace) {
    for (const Place& place : kWindowPlaces) {
        auto* widget = window.findChild<QWidget*>(QString::fromLatin1(place.Name));
        ASSERT_NE(widget, nullptr) << place.Name;
        EXPECT_EQ(PlaceOn(&window, widget), place.Geometry) << place.Name;
    }
    const QWidget* panel = Child<QWidget>(window, "Panel1");
    for (const Place& place : kPanelPlaces) {
        auto* widget = panel->findChild<QWidget*>(QString::fromLatin1(place.Name));
        ASSERT_NE(widget, nullptr) << place.Name;
        EXPECT_EQ(PlaceOn(panel, widget), place.Geometry) << place.Name;
    }
}

TEST_F(WindowLayout, OperationButtonsInTheirGridWithHintsFromTheTable) {
    const QWidget* panel = Child<QWidget>(window, "Panel1");
    int count = 0;
    for (int row = 0; row < 15; ++row) {
        for (int column = 0; column < 3; ++column) {
            const char* name = kGrid[row][column];
            if (name == nullptr) continue;
            ++count;
            auto* button = panel->findChild<QToolButton*>(QString::fromLatin1(name));
            ASSERT_NE(button, nullptr) << name;
            EXPECT_EQ(button->geometry(), QRect(224 + 72 * column, 80 + 32 * row, 65, 25)) << name;
            const Operation* op = nullptr;
            for (const Operation& candidate : Operations())
                if (std::string(candidate.Control) == name) op = &candidate;
            ASSERT_NE(op, nullptr) << name;
            EXPECT_EQ(button->toolTip().toStdString(), op->Hint) << name;
            EXPECT_TRUE(button->text().isEmpty() || button->toolButtonStyle() == Qt::ToolButtonIconOnly) << name;
            EXPECT_FALSE(button->icon().isNull()) << name;
            const QColor colour = button->palette().color(QPalette::ButtonText);
            // "A" too is of its column's maroon.
            if (column == 0) {
                EXPECT_EQ(colour, QColor(128, 0, 0)) << name;
                EXPECT_EQ(button->font().family(), QStringLiteral("MS Sans Serif")) << name;
            } else {
                EXPECT_EQ(colour, column == 1 ? QColor(0, 128, 0) : QColor(0, 0, 128)) << name;
                EXPECT_EQ(button->font().family(), QStringLiteral("Arial")) << name;
            }
        }
    }
    EXPECT_EQ(count, 43);
    // One button for each row of the table, none made twice.
    for (const Operation& op : Operations())
        EXPECT_EQ(window.findChildren<QToolButton*>(QString::fromLatin1(op.Control)).size(), 1) << op.Control;
}

TEST_F(WindowLayout, AutoButtonToolbarAndInputs) {
    const QToolButton* autoCalculate = Child<QToolButton>(window, "SpeedButton10");
    EXPECT_EQ(autoCalculate->text(), QStringLiteral("AuTo"));
    EXPECT_EQ(autoCalculate->toolTip(), QStringLiteral("Auto calculate"));
    EXPECT_TRUE(autoCalculate->font().bold());
    EXPECT_TRUE(autoCalculate->font().italic());
    EXPECT_EQ(autoCalculate->font().pixelSize(), 16);
    EXPECT_EQ(autoCalculate->palette().color(QPalette::ButtonText), QColor(0, 128, 0));

    const struct {
        QToolButton* Button;
        const char* Caption;
        const char* Hint;
        QRect Geometry;
    } tools[] = {
        {Child<QToolButton>(window, "SpeedButton3"), "Save", "Save Result", QRect(0, 1, 49, 55)},
        {Child<QToolButton>(window, "SpeedButton4"), "Clear", "Clear Result", QRect(49, 1, 47, 55)},
        {Child<QToolButton>(window, "SpeedButton5"), "Auto", "Auto Generate", QRect(96, 1, 47, 55)},
        {Child<QToolButton>(window, "SpeedButton6"), "Manual", "Manual", QRect(143, 1, 47, 55)},
        {Child<QToolButton>(window, "SpeedButton7"), "Home", "HomePage", QRect(190, 1, 47, 55)},
    };
    const QWidget* toolBar = Child<QWidget>(window, "ToolBar2");
    for (const auto& tool : tools) {
        EXPECT_EQ(tool.Button->parentWidget(), toolBar);
        EXPECT_EQ(tool.Button->text().toStdString(), tool.Caption);
        EXPECT_EQ(tool.Button->toolTip().toStdString(), tool.Hint);
        EXPECT_EQ(tool.Button->geometry(), tool.Geometry) << tool.Caption;
        EXPECT_TRUE(tool.Button->autoRaise());
        EXPECT_EQ(tool.Button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        EXPECT_EQ(tool.Button->palette().color(QPalette::ButtonText), QColor(0, 128, 128));
        EXPECT_EQ(tool.Button->font().family(), QStringLiteral("Arial"));
    }

    EXPECT_EQ(ui.X->text(), QStringLiteral("1"));
    EXPECT_EQ(ui.X->toolTip(), QStringLiteral("Coefficient X"));
    EXPECT_EQ(ui.Precision->currentText(), QStringLiteral("3"));
    EXPECT_EQ(ui.Precision->toolTip(), QStringLiteral("Precision of result"));
    QStringList items;
    for (int i = 0; i < ui.Precision->count(); ++i) items << ui.Precision->itemText(i);
    EXPECT_EQ(items, QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "e"}));
    const QGroupBox* complexFormat = Child<QGroupBox>(window, "RadioGroup1");
    const QRadioButton* rectangular = Child<QRadioButton>(window, "RadioGroup1Item0");
    EXPECT_EQ(complexFormat->title(), QStringLiteral("Complex Format"));
    EXPECT_EQ(complexFormat->toolTip(), QStringLiteral("Rectangular: a+bi   Polar: Radius(degrees)       "));
    EXPECT_EQ(rectangular->text(), QStringLiteral("Rectangular"));
    EXPECT_EQ(Child<QRadioButton>(window, "RadioGroup1Item1")->text(), QStringLiteral("polar"));
    EXPECT_TRUE(rectangular->isChecked());
    for (QPlainTextEdit* editor : {ui.MatrixA, ui.MatrixB, ui.Result}) {
        EXPECT_EQ(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
        EXPECT_EQ(editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        // Fixed pitch: a field of ten characters is as wide whatever it holds.
        const QFontMetricsF metrics(editor->font());
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("       8-i")),
                  metrics.horizontalAdvance(QStringLiteral("        21")))
            << editor->objectName().toStdString();
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiiii")),
                  metrics.horizontalAdvance(QStringLiteral("WWWWW")));
    }
    const MenuBarButton* fileMenuButton = Child<MenuBarButton>(window, "ToolButton1");
    EXPECT_EQ(fileMenuButton->text(), QStringLiteral("&File"));
    EXPECT_EQ(fileMenuButton->menu(), Child<QMenu>(window, "File1"));
    EXPECT_EQ(Child<MenuBarButton>(window, "ToolButton2")->menu(), Child<QMenu>(window, "Help1"));
    EXPECT_EQ(fileMenuButton->palette().color(QPalette::ButtonText), QColor(Qt::white));
    EXPECT_EQ(fileMenuButton->size(), QSize(65, 28));
    EXPECT_TRUE(Child<QWidget>(window, "BusyStrip")->isHidden());
}

struct MenuRow {
    const char* Name;
    const char* Caption;  // nullptr for a separator
    QKeySequence Key;
};

void ExpectMenu(QMenu* menu, const std::vector<MenuRow>& rows) {
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(rows.size())) << menu->objectName().toStdString();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QAction* action = actions[static_cast<qsizetype>(i)];
        if (rows[i].Name != nullptr) {
            EXPECT_EQ(action->objectName().toStdString(), rows[i].Name);
        }
        if (rows[i].Caption == nullptr) {
            EXPECT_TRUE(action->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(action->text().toStdString(), rows[i].Caption);
        EXPECT_EQ(action->shortcut(), rows[i].Key) << rows[i].Caption;
    }
}

TEST_F(WindowLayout, MenusWithTheirItemsKeysAndPictures) {
    QMenu* fileMenu = Child<QMenu>(window, "File1");
    QMenu* helpMenu = Child<QMenu>(window, "Help1");
    ExpectMenu(fileMenu, {{"Open1", "&Open project", QKeySequence(Qt::CTRL | Qt::Key_F)},
                          {"Save3", "&Save project", QKeySequence(Qt::Key_F2)},
                          {"ImportA", "&Import matrix into A…", QKeySequence(Qt::CTRL | Qt::Key_I)},
                          {"ImportB", "Import matrix into &B…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I)},
                          {"N4", nullptr, {}},
                          {"Save1", "Save &result", QKeySequence(Qt::Key_F3)},
                          {"Clear1", "&Clear", QKeySequence(Qt::Key_F8)},
                          {"Auto1", "&Auto", QKeySequence(Qt::Key_F5)},
                          {"Exit1", nullptr, {}},
                          {"Exit2", "E&xit", QKeySequence(Qt::Key_Escape)}});
    ExpectMenu(helpMenu, {{"Manual1", "&Manual", QKeySequence(Qt::Key_F1)}, {"Connectto1", "&Homepage", {}}});
    for (const char* name : {"Open1", "Save3", "Save1", "Clear1", "Auto1", "Exit2", "Manual1", "Connectto1"})
        EXPECT_FALSE(Child<QAction>(window, name)->icon().isNull()) << name;
    EXPECT_NE(dynamic_cast<OwnerDrawMenuStyle*>(fileMenu->style()), nullptr);
    EXPECT_NE(dynamic_cast<OwnerDrawMenuStyle*>(helpMenu->style()), nullptr);

    ExpectMenu(Child<QMenu>(window, "PopupMenu1"), {{"Undo1", "Undo", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"Copy1", "Copy", {}},
                                                    {"Paste1", "Paste", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"PasteAsMatrix1", "Paste as &matrix", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"PolarToRect1", "Polar To Rect", {}},
                                                    {"RecttoPolar1", "Rect to Polar", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"Clear3", "Clear", {}},
                                                    {"Align1", "Align", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"NextField1", "Next field\tCtrl+Tab", {}}});
    ExpectMenu(Child<QMenu>(window, "PopupMenu2"), {{"Undo2", "Undo", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"MenuItem1", "Copy", {}},
                                                    {"MenuItem2", "Paste", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"PasteAsMatrix2", "Paste as &matrix", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"PolarToRect2", "Polar To Rect", {}},
                                                    {"RecttoPolar2", "Rect to Polar", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"MenuItem4", "Clear", {}},
                                                    {"Align2", "Align", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"NextField2", "Next field\tCtrl+Tab", {}}});
    ExpectMenu(Child<QMenu>(window, "PopupMenu3"), {{"Undo3", "Undo", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"Copy2", "Copy", {}},
                                                    {"Paste2", "Paste", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"commatodot1", "comma to dot", {}},
                                                    {"dottocomma1", "dot to comma", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"Save2", "Save", {}},
                                                    {nullptr, nullptr, {}},
                                                    {"Clear4", "Clear", {}},
                                                    {"Align3", "Align", {}}});
    // The pop-up menus are drawn by the platform.
    EXPECT_EQ(dynamic_cast<OwnerDrawMenuStyle*>(Child<QMenu>(window, "PopupMenu1")->style()), nullptr);
}

TEST_F(WindowLayout, TitleBarShowsIconCaptionAndButtonPictures) {
    const QImage title = Child<SkinImage>(window, "Image1")->Picture().toImage();
    ASSERT_EQ(title.size(), QSize(783, 25));
    const QImage icon = window.windowIcon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    // An opaque pixel of the icon shows at (10, 5) + its place.
    int opaque = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (qAlpha(icon.pixel(x, y)) == 255) {
                ++opaque;
                EXPECT_EQ(title.pixel(10 + x, 5 + y) & 0xffffff, icon.pixel(x, y) & 0xffffff) << x << "," << y;
            }
    EXPECT_GT(opaque, 0);
    // White caption text from x = 34, on one line.
    int white = 0, whiteBetween = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 26; x < 300; ++x)
            if ((title.pixel(x, y) & 0xffffff) == 0xffffff) (x < 34 ? whiteBetween : white)++;
    EXPECT_GT(white, 30);
    EXPECT_EQ(whiteBetween, 0);
    // The title-bar buttons carry the ImageM cells; there are only these three.
    const ImageButton* minimize = Child<ImageButton>(window, "ImgBtnMin");
    const ImageButton* maximize = Child<ImageButton>(window, "ImgBtnMax");
    const ImageButton* close = Child<ImageButton>(window, "ImgBtnClose");
    EXPECT_EQ(window.findChildren<ImageButton*>().size(), 3);
    const QImage& cells = Skin().ImageM;
    EXPECT_EQ(minimize->Pic().size(), QSize(27, 20));
    EXPECT_EQ(minimize->Pic().toImage(), cells.copy(0, 0, 27, 20).convertToFormat(minimize->Pic().toImage().format()));
    EXPECT_EQ(minimize->PicUp().toImage().pixel(5, 5), cells.pixel(5, 26));
    EXPECT_EQ(minimize->PicDown().toImage().pixel(5, 5), cells.pixel(5, 47));
    EXPECT_EQ(close->Pic().size(), QSize(42, 20));
    EXPECT_EQ(close->PicDown().toImage().pixel(0, 0), cells.pixel(52, 42));
    EXPECT_EQ(maximize->Pic().size(), QSize(25, 20));
    EXPECT_EQ(maximize->Pic().toImage(), cells.copy(27, 0, 25, 20).convertToFormat(maximize->Pic().toImage().format()));
    EXPECT_EQ(maximize->PicUp().toImage().pixel(3, 3), cells.pixel(30, 24));
    EXPECT_TRUE(minimize->Supported());
    EXPECT_TRUE(maximize->Supported());
    EXPECT_TRUE(close->Supported());
    // The strips: the title bar's middle is ImageTop's column 100.
    EXPECT_EQ(title.pixel(600, 24), Skin().ImageTop.pixel(100, 24));
    EXPECT_EQ(Child<SkinImage>(window, "Image3")->Picture().toImage().pixel(400, 10), Skin().ImageMenu.pixel(10, 10));
    EXPECT_EQ(Child<SkinImage>(window, "Image2")->Picture().toImage().pixel(0, 29), Skin().ImageBottom.pixel(0, 29));
}

TEST_F(WindowLayout, OwnerDrawnMenuShowsSeparatorLineAndStripe) {
    window.show();
    QMenu* fileMenu = Child<QMenu>(window, "File1");
    fileMenu->popup(Child<MenuBarButton>(window, "ToolButton1")->mapToGlobal(QPoint(0, 28)));
    const QImage menu = fileMenu->grab().toImage();
    const QRect separator = fileMenu->actionGeometry(Child<QAction>(window, "N4"));
    ASSERT_FALSE(separator.isEmpty());
    const int line = separator.top() + separator.height() / 2 - 1;
    EXPECT_EQ(menu.pixelColor(separator.left() + 40, line), QColor(212, 208, 200));
    EXPECT_EQ(menu.pixelColor(separator.left() + 40, line + 1), QColor(255, 255, 255));
    EXPECT_EQ(menu.pixelColor(separator.left() + 5, line), QColor(226, 238, 238));
    const QRect open = fileMenu->actionGeometry(Child<QAction>(window, "Open1"));
    EXPECT_EQ(menu.pixelColor(open.left() + 19, open.bottom()), QColor(226, 238, 238));
    fileMenu->hide();
}

class Drawing : public WindowLayout {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

TEST_F(Drawing, TitleButtonsStandSideBySideOnTheTitleBarItself) {
    const ImageButton* minimize = Child<ImageButton>(window, "ImgBtnMin");
    const ImageButton* maximize = Child<ImageButton>(window, "ImgBtnMax");
    const ImageButton* close = Child<ImageButton>(window, "ImgBtnClose");
    EXPECT_EQ(minimize->geometry().right() + 1, maximize->x());
    EXPECT_EQ(maximize->geometry().right() + 1, close->x());
    // Away from its symbol, the minimize button shows the title bar behind it.
    const QImage shown = window.grab().toImage();
    const QImage title = Child<SkinImage>(window, "Image1")->Picture().toImage();
    for (const QPoint at : {QPoint(2, 3), QPoint(24, 3), QPoint(2, 18), QPoint(24, 18)}) {
        const QPoint p = minimize->geometry().topLeft() + at;
        EXPECT_EQ(shown.pixelColor(p), title.pixelColor(p)) << p.x() << "," << p.y();
    }
}

TEST_F(Drawing, BottomBorderHasNoSizeGrip) {
    const QImage bottom = Child<SkinImage>(window, "Image2")->Picture().toImage();
    // Each row of the right end is of one colour.
    for (int y = 0; y < bottom.height(); ++y)
        for (int x = bottom.width() - 30; x < bottom.width(); ++x)
            ASSERT_EQ(bottom.pixel(x, y), bottom.pixel(bottom.width() - 30, y)) << x << "," << y;
}

TEST_F(Drawing, MenuTitleTurnsNormalOnceAnItemIsChosenAndTheMouseIsGone) {
    MenuBarButton* file = Child<MenuBarButton>(window, "ToolButton1");
    QEnterEvent enter(QPointF(10, 10), file->mapToGlobal(QPointF(10, 10)), file->mapToGlobal(QPointF(10, 10)));
    QCoreApplication::sendEvent(file, &enter);
    ASSERT_TRUE(file->Hot());
    // The mouse goes down into the menu and chooses Clear; no leave reaches
    // the title.
    QCursor::setPos(window.mapToGlobal(QPoint(600, 400)));
    QMenu* menu = Child<QMenu>(window, "File1");
    QTimer::singleShot(50, menu, [&] {
        Child<QAction>(window, "Clear1")->trigger();
        menu->hide();
    });
    QTest::mouseClick(file, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::qWait(100);
    EXPECT_FALSE(file->Hot());
    EXPECT_FALSE(file->Selected());
}

}  // namespace
}  // namespace quorvix
