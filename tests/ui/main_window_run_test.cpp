// A command that runs long: Cancel and Esc stop it, its progress shows, and
// the window takes no other input until it has ended.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "modal_watchdog.h"
#include "ui/main_window.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;
using test::Click;
using test::ModalWatchdog;

const QString kIdentity = QStringLiteral("1 0 0\n0 1 0\n0 0 1\n");
// What a cancelled A^x leaves: its label and the notice.
const QString kCancelledPower = QStringLiteral("A^(100000000)\n Notice: The calculation was cancelled.\n\n");

class LongCommand : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ui.X->setText(QStringLiteral("100000000"));
        Start();
    }
    // A^x with x = 100000000: a hundred million products.
    virtual void Start() {
        QTest::mouseClick(Child<QToolButton>(window, "SpeedButton27"), Qt::LeftButton);
        ASSERT_TRUE(window.CommandRunning());
    }
    void ExpectCancelledRun() {
        window.WaitForCommand();
        QCoreApplication::processEvents();
        // The label and the notice only: no result, no error box, the editors as they were.
        EXPECT_EQ(ui.Result->toPlainText(), kCancelledPower);
        EXPECT_EQ(ui.MatrixA->toPlainText(), kIdentity);
        EXPECT_EQ(ui.X->text(), QStringLiteral("100000000"));
        EXPECT_FALSE(Child<QPushButton>(window, "CancelButton")->isVisible());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(window.isVisible());
    }
    // Waits until the progress bar shows.
    QProgressBar* VisibleBar() {
        auto* bar = Child<QProgressBar>(window, "ProgressBar");
        EXPECT_TRUE(QTest::qWaitFor([bar] { return bar->isVisible(); }, 5000));
        return bar;
    }
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(LongCommand, EscOnlyCancelsAndAnotherEscRightAfterDoesNothing) {
    QTest::keyClick(ui.MatrixA, Qt::Key_Escape);
    ExpectCancelledRun();
    QTest::keyClick(ui.MatrixA, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    // The window works on: the next command runs.
    Click(window, Child<QToolButton>(window, "SpeedButton11"));
    // Each element right-aligned in ten characters after a blank; an empty line ends the block.
    EXPECT_EQ(ui.Result->toPlainText(), kCancelledPower + QStringLiteral("A=\n"
                                                                         "          1          0          0\n"
                                                                         "          0          1          0\n"
                                                                         "          0          0          1\n\n"));
}

TEST_F(LongCommand, CancelButtonCancels) {
    Child<QPushButton>(window, "CancelButton")->click();
    ExpectCancelledRun();
}

TEST_F(LongCommand, InputMadeMeanwhileIsDropped) {
    // Typing, a click on another button, a menu key and a context menu: none
    // of them does anything, then or after the command.
    ui.MatrixB->setFocus();
    ui.MatrixB->moveCursor(QTextCursor::End);
    QTest::keyClicks(ui.MatrixB, QStringLiteral("zz"));
    QTest::mouseClick(Child<QToolButton>(window, "SpeedButton12"), Qt::LeftButton);
    QTest::keyClick(ui.MatrixB, Qt::Key_F8);
    Child<QAction>(window, "Clear1")->trigger();
    QTest::keyClicks(ui.X, QStringLiteral("7"));
    EXPECT_TRUE(ui.MatrixB->isReadOnly());
    EXPECT_FALSE(Child<QAction>(window, "Auto1")->isEnabled());
    window.CancelCommand();
    window.WaitForCommand();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.CommandRunning());
    EXPECT_EQ(ui.MatrixB->toPlainText(), kIdentity);
    EXPECT_EQ(ui.X->text(), QStringLiteral("100000000"));
    EXPECT_EQ(ui.Result->toPlainText(), kCancelledPower);
    EXPECT_FALSE(ui.MatrixB->isReadOnly());
    EXPECT_TRUE(Child<QAction>(window, "Auto1")->isEnabled());
}

TEST_F(LongCommand, ClosingStopsTheCommandFirst) {
    // x was typed, and the panel holds the cancelled command's lines: the
    // window asks once the command has stopped.
    watchdog.ExpectMessage(QMessageBox::Question,
                           QStringLiteral("Quit Quorvix? The matrices you typed and the results have not been saved."),
                           QStringLiteral("Quit"));
    window.close();
    EXPECT_TRUE(window.isVisible());
    window.WaitForCommand();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(LongCommand, ProgressAndElapsedTimeReachTheBar) {
    QProgressBar* bar = VisibleBar();
    ASSERT_TRUE(QTest::qWaitFor([bar] { return bar->value() > 0; }, 10000));
    EXPECT_EQ(bar->maximum(), 1000);
    EXPECT_TRUE(bar->text().endsWith(QStringLiteral(" %"))) << bar->text().toStdString();
    EXPECT_TRUE(Child<QLabel>(window, "ElapsedTime")->text().startsWith(QStringLiteral("0:")));
    window.CancelCommand();
    ExpectCancelledRun();
    EXPECT_FALSE(bar->isVisible());
}

class LongAuto : public LongCommand {
protected:
    void Start() override {
        QTest::mouseClick(Child<QToolButton>(window, "SpeedButton10"), Qt::LeftButton);
        ASSERT_TRUE(window.CommandRunning());
    }
};

TEST_F(LongAuto, BarCountsAutosCommandsAndNamesTheRunningOne) {
    QProgressBar* bar = VisibleBar();
    ASSERT_TRUE(QTest::qWaitFor([bar] { return bar->text() == QStringLiteral("35 of 43: A^x"); }, 10000))
        << bar->text().toStdString();
    // The bar is Auto's whole run: 35 of its 43 commands are done.
    EXPECT_EQ(bar->maximum(), 1000);
    EXPECT_GE(bar->value(), 35 * 1000 / 43);
    EXPECT_LT(bar->value(), 36 * 1000 / 43 + 1);
    window.CancelCommand();
    window.WaitForCommand();
}

TEST(LongCommandEnd, DestroyingTheWindowStopsTheCommand) {
    ModalWatchdog watchdog;
    auto window = std::make_unique<MainWindow>();
    window->show();
    Child<QLineEdit>(*window, "Edit1")->setText(QStringLiteral("100000000"));
    QTest::mouseClick(Child<QToolButton>(*window, "SpeedButton44"), Qt::LeftButton);
    ASSERT_TRUE(window->CommandRunning());
    window.reset();
    // The engine takes the next command at once.
    MainWindow next;
    Click(next, Child<QToolButton>(next, "SpeedButton12"));
    EXPECT_TRUE(test::Controls(next).Result->toPlainText().startsWith(QStringLiteral("B=\n")));
}

}  // namespace
}  // namespace quorvix
