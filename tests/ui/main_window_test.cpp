// The window's start state, size, dragging and title-bar buttons.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cstdlib>
#include <optional>
#include <string>

#include "files/project_file.h"
#include "modal_watchdog.h"
#include "ui/image_button.h"
#include "ui/main_window.h"
#include "ui/skin_widgets.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;
using test::ModalWatchdog;

TEST(WindowSize, OpensAtItsSmallestSizeAndTakesNoSmaller) {
    MainWindow window;
    window.show();
    EXPECT_EQ(window.size(), QSize(783, 651));
    EXPECT_EQ(window.minimumSize(), QSize(783, 651));
    window.resize(500, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(783, 651));
    window.resize(900, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(900, 651));
    window.resize(1000, 800);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(1000, 800));
}

TEST(WindowSize, TitleBarDoubleClickAndTheMaximizeButtonMaximizeAndRestore) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QSize before = window.size();
    QTest::mouseDClick(Child<SkinImage>(window, "Image1"), Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isMaximized(); }));
    QTest::mouseDClick(Child<SkinImage>(window, "Image1"), Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isMaximized(); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.size() == before; }));
    ImageButton* maximize = Child<ImageButton>(window, "ImgBtnMax");
    QTest::mouseClick(maximize, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isMaximized(); }));
    QTest::mouseClick(maximize, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isMaximized(); }));
    EXPECT_TRUE(window.isVisible());
}

TEST(TitleButtons, MinimizeAndClose) {
    MainWindow window;
    window.show();
    QTest::mouseClick(Child<ImageButton>(window, "ImgBtnMin"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(window.isMinimized());
    window.showNormal();
    QTest::mouseClick(Child<ImageButton>(window, "ImgBtnClose"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(window.isVisible());
}

class DragCountingWindow : public MainWindow {
public:
    int moves = 0;

protected:
    bool StartSystemMove() override {
        ++moves;
        return true;
    }
};

TEST(Dragging, LeftButtonOnTheTitleBarOnlyAndNotWhileMaximized) {
    DragCountingWindow window;
    window.show();
    SkinImage* titleBar = Child<SkinImage>(window, "Image1");
    QTest::mousePress(titleBar, Qt::RightButton, Qt::NoModifier, QPoint(300, 10));
    QTest::mouseRelease(titleBar, Qt::RightButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_EQ(window.moves, 0);
    QTest::mousePress(titleBar, Qt::MiddleButton, Qt::NoModifier, QPoint(300, 10));
    QTest::mouseRelease(titleBar, Qt::MiddleButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_EQ(window.moves, 0);
    QTest::mousePress(titleBar, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    QTest::mouseRelease(titleBar, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_EQ(window.moves, 1);
    // Elsewhere on the window: no move.
    SkinImage* menuBarBackground = Child<SkinImage>(window, "Image3");
    QTest::mousePress(menuBarBackground, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(menuBarBackground, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(window.moves, 1);
    window.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(window.isMaximized());
    QTest::mousePress(titleBar, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    QTest::mouseRelease(titleBar, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_EQ(window.moves, 1);
}

const QString kQuitQuestion = QStringLiteral("Quit Quorvix? The matrices you typed have not been saved.");

class Quitting : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        Activate();
        ui.MatrixA->setFocus();
    }
    void Activate() {
        if (window.isActiveWindow()) return;
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Activate();
        QTest::keyClick(ui.MatrixA, key, modifiers);
        window.WaitForCommand();
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(Quitting, EscAsksOnlyWhileAMatrixDiffersFromItsStart) {
    QTest::keyClicks(ui.MatrixA, QStringLiteral("5"));
    watchdog.ExpectMessage(QMessageBox::Question, kQuitQuestion, QStringLiteral("Cancel"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(watchdog.Pending(), 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(ui.MatrixA->toPlainText(), QStringLiteral("51 0 0\n0 1 0\n0 0 1\n"));
    // Typed back as it was: nothing to lose.
    QTest::keyClick(ui.MatrixA, Qt::Key_Backspace);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(Quitting, CloseButtonAsksWhenXChangedAndQuitCloses) {
    ui.X->setText(QStringLiteral("2"));
    watchdog.ExpectMessage(QMessageBox::Question, kQuitQuestion, QStringLiteral("Quit"));
    QTest::mouseClick(Child<ImageButton>(window, "ImgBtnClose"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(Quitting, SavedOrOpenedMatricesAreNothingToLose) {
    const QString project = dir.filePath(QStringLiteral("kept.mtx"));
    ui.MatrixB->setPlainText(QStringLiteral("4 5\n6 7\n"));
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog2"), project);
    Key(Qt::Key_F2);
    ASSERT_TRUE(QFile::exists(project));
    // Changed after the save, then replaced by the project again.
    ui.X->setText(QStringLiteral("9"));
    watchdog.ExpectFileDialog(QStringLiteral("OpenDialog1"), project);
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(ui.X->text(), QStringLiteral("1"));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

// The start state under a locale built for the test (LOCPATH), so that the
// test does not depend on the locales the machine has installed.
class LocaleStart : public ::testing::Test {
protected:
    void TearDown() override {
        setenv("LC_ALL", "C", 1);
        unsetenv("LOCPATH");
    }
    // Builds the locale `name` (as "name.UTF-8") and makes it the user's.
    bool Use(const char* name) {
        const QString file = dir_.filePath(QString::fromLatin1(name) + QStringLiteral(".UTF-8"));
        const int code = QProcess::execute(
            QStringLiteral("localedef"),
            {QStringLiteral("-i"), QString::fromLatin1(name), QStringLiteral("-f"), QStringLiteral("UTF-8"), file});
        if (code != 0 && code != 1) return false;  // 1: built with warnings
        setenv("LOCPATH", dir_.path().toLocal8Bit().constData(), 1);
        setenv("LC_ALL", (std::string(name) + ".UTF-8").c_str(), 1);
        return true;
    }
    static QString Text(QPlainTextEdit* editor) { return editor->toPlainText(); }

    QTemporaryDir dir_;
};

const QString kIdentity = QStringLiteral("1 0 0\n0 1 0\n0 0 1\n");

TEST_F(LocaleStart, PointLocaleStartsWithIdentities) {
    for (const char* locale : {"C", "en_US"}) {
        if (std::string(locale) == "C")
            setenv("LC_ALL", "C", 1);
        else if (!Use(locale))
            GTEST_SKIP() << "localedef cannot build " << locale << " here";
        MainWindow window;
        const test::Controls ui(window);
        EXPECT_EQ(Text(ui.MatrixA), kIdentity) << locale;
        EXPECT_EQ(Text(ui.MatrixB), kIdentity) << locale;
        EXPECT_TRUE(Text(ui.Result).isEmpty());
        EXPECT_EQ(ui.X->text(), QStringLiteral("1"));
    }
}

TEST_F(LocaleStart, CommaLocaleStartsWithIdentities) {
    if (!Use("de_DE")) GTEST_SKIP() << "localedef cannot build de_DE here";
    MainWindow window;
    const test::Controls ui(window);
    EXPECT_EQ(Text(ui.MatrixA), kIdentity);
    EXPECT_EQ(Text(ui.MatrixB), kIdentity);
    EXPECT_TRUE(Text(ui.Result).isEmpty());
}

TEST_F(LocaleStart, OtherMarkStartsEmpty) {
    // Its decimal mark is the Arabic one, U+066B.
    if (!Use("ps_AF")) GTEST_SKIP() << "localedef cannot build ps_AF here";
    MainWindow window;
    const test::Controls ui(window);
    EXPECT_TRUE(Text(ui.MatrixA).isEmpty());
    EXPECT_TRUE(Text(ui.MatrixB).isEmpty());
    EXPECT_TRUE(Text(ui.Result).isEmpty());
    EXPECT_EQ(ui.X->text(), QStringLiteral("1"));
}

// "quorvix FILE.mtx" (a double click on a project) opens it as "Open project"
// does, and refuses a damaged one with the same box.
TEST(ProjectArgument, OpensTheProjectAndRefusesADamagedOne) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("work.mtx")).toStdString();
    CalcState saved = StartState('.');
    saved.MatrixA = {"1 2", "3 4"};
    saved.X = "2.5";
    saved.Precision = "4";
    SaveProject(saved, path);

    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui(window);
    window.OpenProjectFile(path);
    window.WaitForCommand();
    EXPECT_EQ(ui.MatrixA->toPlainText(), QStringLiteral(" 1 2\n 3 4\n\n"));
    EXPECT_EQ(ui.X->text(), QStringLiteral("2.5"));
    EXPECT_EQ(ui.Precision->currentText(), QStringLiteral("4"));

    const std::string damaged = dir.filePath(QStringLiteral("damaged.mtx")).toStdString();
    QFile file(QString::fromStdString(damaged));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("abc");
    file.close();
    watchdog.ExpectMessage(QMessageBox::Critical, QString::fromStdString("Cannot open file \"" + damaged + "\". " +
                                                                         kDamagedProjectReason + "."));
    window.OpenProjectFile(damaged);
    window.WaitForCommand();
    EXPECT_EQ(watchdog.Pending(), 0);
    EXPECT_EQ(ui.MatrixA->toPlainText(), QStringLiteral(" 1 2\n 3 4\n\n"));
}

}  // namespace
}  // namespace quorvix
