// The input controls as the user types in them: the precision box is checked
// when the user is done with it, the editors and the panel use a fixed-pitch
// font, and the window's rewrites of the editors can be undone.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "modal_watchdog.h"
#include "ui/main_window.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;
using test::Click;
using test::Inputs;
using test::ModalWatchdog;
using test::RunCli;

class PrecisionBox : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        test::SetInputs(window, state);
        box->setFocus();
        box->lineEdit()->selectAll();
    }
    // The window has the keyboard again once a box it showed is gone.
    void Activate() {
        if (window.isActiveWindow()) return;
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Replaces the box's text the way a user does, key by key.
    void Type(const QString& text) {
        Activate();
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    void Leave() {
        Activate();
        ui.MatrixA->setFocus();
        QCoreApplication::processEvents();
    }
    bool Alarm() const { return Child<QWidget>(window, "PrecisionAlarm")->isVisible(); }
    QString PanelFor(const char* precision, const QStringList& steps) {
        Inputs at = state;
        at.Precision = QString::fromLatin1(precision);
        return RunCli(at, steps).Out;
    }

    Inputs state{QStringLiteral("1 2 3\n4 5 6\n7 8 10"), QStringLiteral("2 1+i\n-i 3"), QStringLiteral("2"),
                 QStringLiteral("4")};
    ModalWatchdog watchdog;  // fails the test on any box not expected
    MainWindow window;
    const test::Controls ui{window};
    QComboBox* box = ui.Precision;  // keys reach its text through the box itself
};

TEST_F(PrecisionBox, TypingShowsNoBoxButARedFrameWhileTheTextIsNoPrecision) {
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_TRUE(ui.Precision->currentText().isEmpty());
    EXPECT_TRUE(Alarm());
    QTest::keyClick(box, Qt::Key_Minus);
    EXPECT_TRUE(Alarm());
    QTest::keyClick(box, Qt::Key_1);
    EXPECT_EQ(ui.Precision->currentText(), QStringLiteral("-1"));
    EXPECT_FALSE(Alarm());
    EXPECT_EQ(watchdog.Pending(), 0);
}

TEST_F(PrecisionBox, EnterAndLeavingTheBoxShowTheMessageOnce) {
    Type(QStringLiteral("x"));
    watchdog.ExpectMessage(QMessageBox::Critical, QStringLiteral("'x' is not a valid floating point value."));
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(watchdog.Pending(), 0);
    // Leaving with the text just checked says nothing more.
    Leave();
    Type(QStringLiteral("-"));
    watchdog.ExpectMessage(QMessageBox::Critical, QStringLiteral("'-' is not a valid floating point value."));
    Leave();
    EXPECT_EQ(watchdog.Pending(), 0);
    EXPECT_EQ(ui.Precision->currentText(), QStringLiteral("-"));
}

TEST_F(PrecisionBox, ACommandAppliesTheTextOrIsRefusedWithTheMessage) {
    // Typed, not entered: the command applies it.
    Type(QStringLiteral("6"));
    Click(window, Child<QToolButton>(window, "SpeedButton18"));
    const QString six = PanelFor("6", {"inv(A)"});
    EXPECT_EQ(ui.Result->toPlainText(), six);
    // Not a precision: the command does not run, and the factor is unchanged.
    Type(QStringLiteral("6x"));
    watchdog.ExpectMessage(QMessageBox::Critical, QStringLiteral("'6x' is not a valid floating point value."));
    Click(window, Child<QToolButton>(window, "SpeedButton18"));
    EXPECT_EQ(watchdog.Pending(), 0);
    EXPECT_EQ(ui.Result->toPlainText(), six);
    // An item chosen from the list.
    ui.Precision->showPopup();
    QAbstractItemView* list = ui.Precision->view();
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(ui.Precision->currentText(), QStringLiteral("2"));
    EXPECT_FALSE(Alarm());
    Child<QAction>(window, "Clear1")->trigger();
    Click(window, Child<QToolButton>(window, "SpeedButton18"));
    EXPECT_EQ(ui.Result->toPlainText(), PanelFor("2", {"inv(A)"}));
}

class Rewrites : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        test::SetInputs(window, typed);
    }
    // More digits than the display precision keeps.
    const Inputs typed{QStringLiteral("1.23456789+2i 3\n4 5\n"), QStringLiteral("0.5(30) 2\n"),
                       QStringLiteral("0.123456789+2i"), QStringLiteral("3")};
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(Rewrites, EachRewriteIsOneUndoStep) {
    // Ctrl+Z after a format switch, in both editors and the x box.
    QTest::mouseClick(Child<QRadioButton>(window, "RadioGroup1Item1"), Qt::LeftButton);
    ASSERT_NE(ui.MatrixA->toPlainText(), typed.A);
    ASSERT_NE(ui.X->text(), typed.X);
    for (QWidget* control :
         {static_cast<QWidget*>(ui.MatrixA), static_cast<QWidget*>(ui.MatrixB), static_cast<QWidget*>(ui.X)})
        QTest::keyClick(control, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ui.MatrixA->toPlainText(), typed.A);
    EXPECT_EQ(ui.MatrixB->toPlainText(), typed.B);
    EXPECT_EQ(ui.X->text(), typed.X);
    // The pop-up menu's Undo after each tool.
    for (const char* tool : {"PolarToRect2", "RecttoPolar2", "Align2", "MenuItem4"}) {
        Child<QAction>(window, tool)->trigger();
        ASSERT_NE(ui.MatrixB->toPlainText(), typed.B) << tool;
        Child<QAction>(window, "Undo2")->trigger();
        EXPECT_EQ(ui.MatrixB->toPlainText(), typed.B) << tool;
    }
}

}  // namespace
}  // namespace quorvix
