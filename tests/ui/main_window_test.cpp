// The window's start state, size, dragging, title-bar buttons and shell commands.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>
#include <cstdlib>
#include <optional>
#include <string>

#include "ui/image_button.h"
#include "ui/main_window.h"
#include "ui/skin_widgets.h"

namespace quorvix {
namespace {

TEST(WindowSize, EveryResizeIsRefused) {
    TForm1 form;
    form.show();
    form.resize(900, 700);
    EXPECT_EQ(form.size(), QSize(783, 651));
    form.setGeometry(10, 10, 400, 300);
    EXPECT_EQ(form.size(), QSize(783, 651));
    form.setMinimumSize(100, 100);  // constraints give way, the window does not
    form.resize(500, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.size(), QSize(783, 651));
    form.setMaximumSize(2000, 2000);
    form.windowHandle()->resize(1000, 900);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.size(), QSize(783, 651));
    int w = 1000, h = 900;
    EXPECT_FALSE(form.FormCanResize(w, h));
    EXPECT_EQ(QSize(w, h), QSize(783, 651));
}

TEST(WindowSize, TitleBarDoubleClickAndMaximizeButtonDoNothing) {
    TForm1 form;
    form.show();
    const QRect before = form.geometry();
    QTest::mouseDClick(form.Image1, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    QTest::mouseClick(form.ImgBtnMax, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_EQ(form.geometry(), before);
    EXPECT_FALSE(form.isMaximized());
    EXPECT_TRUE(form.isVisible());
}

TEST(TitleButtons, MinimizeAndClose) {
    TForm1 form;
    form.show();
    QTest::mouseClick(form.ImgBtnMin, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(form.isMinimized());
    form.showNormal();
    QTest::mouseClick(form.ImgBtnClose, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(form.isVisible());
}

class DragCountingForm : public TForm1 {
public:
    int moves = 0;

protected:
    bool StartSystemMove() override {
        ++moves;
        return true;
    }
};

TEST(Dragging, LeftButtonOnTheTitleBarOnlyAndNotWhileMaximized) {
    DragCountingForm form;
    form.show();
    QTest::mousePress(form.Image1, Qt::RightButton, Qt::NoModifier, QPoint(300, 10));
    QTest::mouseRelease(form.Image1, Qt::RightButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_EQ(form.moves, 0);
    QTest::mousePress(form.Image1, Qt::MiddleButton, Qt::NoModifier, QPoint(300, 10));
    QTest::mouseRelease(form.Image1, Qt::MiddleButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_EQ(form.moves, 0);
    QTest::mousePress(form.Image1, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    QTest::mouseRelease(form.Image1, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_EQ(form.moves, 1);
    // Elsewhere on the window: no move.
    QTest::mousePress(form.Image3, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(form.Image3, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(form.moves, 1);
    form.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(form.isMaximized());
    QTest::mousePress(form.Image1, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    QTest::mouseRelease(form.Image1, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_EQ(form.moves, 1);
}

// Records what the window asks the desktop to open.
class ShellRecorder : public QObject {
    Q_OBJECT

public:
    ShellRecorder() {
        for (const char* scheme : {"file", "https", "http"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
    }
    ~ShellRecorder() override {
        for (const char* scheme : {"file", "https", "http"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST(Shell, ManualAndWebPagesGoToTheDesktop) {
    ShellRecorder shell;
    TForm1 form;
    form.show();
    const QUrl manual =
        QUrl::fromLocalFile(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("matrix.chm")));
    form.Manual1->trigger();
    QTest::mouseClick(form.SpeedButton6, Qt::LeftButton);
    form.Connectto1->trigger();
    QTest::mouseClick(form.SpeedButton7, Qt::LeftButton);
    ASSERT_EQ(shell.opened.size(), 4);
    EXPECT_EQ(shell.opened[0], manual);
    EXPECT_EQ(shell.opened[1], manual);
    EXPECT_EQ(shell.opened[2], QUrl(QString::fromLatin1(TForm1::HomePageAddress())));
    EXPECT_EQ(shell.opened[3], QUrl(QString::fromLatin1(TForm1::ProductPageAddress())));
    EXPECT_EQ(shell.opened[2].scheme(), QStringLiteral("https"));
    EXPECT_NE(shell.opened[2], shell.opened[3]);
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
        const int code = QProcess::execute(QStringLiteral("localedef"),
                                           {QStringLiteral("-i"), QString::fromLatin1(name), QStringLiteral("-f"),
                                            QStringLiteral("UTF-8"), file});
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
        if (std::string(locale) == "C") setenv("LC_ALL", "C", 1);
        else if (!Use(locale)) GTEST_SKIP() << "localedef cannot build " << locale << " here";
        TForm1 form;
        EXPECT_EQ(Text(form.RichEdit1), kIdentity) << locale;
        EXPECT_EQ(Text(form.RichEdit2), kIdentity) << locale;
        EXPECT_TRUE(Text(form.RichEdit3).isEmpty());
        EXPECT_EQ(form.Edit1->text(), QStringLiteral("1"));
    }
}

TEST_F(LocaleStart, CommaLocaleStartsWithIdentities) {
    if (!Use("de_DE")) GTEST_SKIP() << "localedef cannot build de_DE here";
    TForm1 form;
    EXPECT_EQ(Text(form.RichEdit1), kIdentity);
    EXPECT_EQ(Text(form.RichEdit2), kIdentity);
    EXPECT_TRUE(Text(form.RichEdit3).isEmpty());
}

TEST_F(LocaleStart, OtherMarkStartsEmpty) {
    // Its decimal mark is the Arabic one, U+066B.
    if (!Use("ps_AF")) GTEST_SKIP() << "localedef cannot build ps_AF here";
    TForm1 form;
    EXPECT_TRUE(Text(form.RichEdit1).isEmpty());
    EXPECT_TRUE(Text(form.RichEdit2).isEmpty());
    EXPECT_TRUE(Text(form.RichEdit3).isEmpty());
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("1"));
}

}  // namespace
}  // namespace quorvix

#include "main_window_test.moc"
