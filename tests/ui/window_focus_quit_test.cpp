// The keyboard for a day's work: the focus starts in Matrix A, Tab leaves
// the result panel, the first Tab typed in an editor tells how to leave it,
// and neither Esc nor the close button loses results that were not saved.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <tuple>

#include "modal_watchdog.h"
#include "ui/image_button.h"
#include "ui/main_window.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;
using test::ModalWatchdog;

const QString kHint = QStringLiteral("Ctrl+Tab moves to the next field");

class DayKeys : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        Activate();
    }
    void Activate() {
        if (window.isActiveWindow()) return;
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // A key typed where the keyboard is, as a user types it.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Activate();
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : &window, key, modifiers);
        window.WaitForCommand();
        QCoreApplication::processEvents();
    }
    QString Focused() const {
        const QWidget* focus = QApplication::focusWidget();
        return focus == nullptr ? QString() : focus->objectName();
    }
    // "A" and then "det A": two results in the panel.
    void ShowTwoResults() {
        test::Click(window, Child<QToolButton>(window, "SpeedButton11"));
        test::Click(window, Child<QToolButton>(window, "SpeedButton32"));
        ASSERT_TRUE(ui.Result->toPlainText().contains(QStringLiteral("Det(A)")));
    }
    QWidget* Hint() { return Child<QWidget>(window, "HintLine"); }
    QString HintText() { return Child<QLabel>(window, "HintText")->text(); }

    QTemporaryDir dir;
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(DayKeys, TheKeyboardStartsInMatrixA) {
    EXPECT_EQ(Focused(), QStringLiteral("RichEdit1"));
    // The first digits typed go there.
    ui.MatrixA->moveCursor(QTextCursor::Start);
    Key(Qt::Key_7);
    EXPECT_TRUE(ui.MatrixA->toPlainText().startsWith(QStringLiteral("71 0 0")));
}

TEST_F(DayKeys, TabAndShiftTabMoveOutOfTheResultPanel) {
    ShowTwoResults();
    const QString results = ui.Result->toPlainText();
    ui.Result->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), QStringLiteral("SpeedButton3"));  // the toolbar's first button
    ui.Result->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), QStringLiteral("SpeedButton10"));  // AuTo, the last of the grid
    EXPECT_EQ(ui.Result->toPlainText(), results);
}

TEST_F(DayKeys, TheFirstTabTypedInAnEditorShowsTheWayOut) {
    EXPECT_FALSE(Hint()->isVisible());
    ui.MatrixA->moveCursor(QTextCursor::End);
    Key(Qt::Key_Tab);
    // Tab is still a separator there.
    EXPECT_TRUE(ui.MatrixA->toPlainText().endsWith(QLatin1Char('\t')));
    EXPECT_EQ(Focused(), QStringLiteral("RichEdit1"));
    EXPECT_TRUE(Hint()->isVisible());
    EXPECT_EQ(HintText(), kHint);
    // It sits on the bottom border.
    EXPECT_GE(Hint()->y(), window.height() - 30);
    // Only the first one of a visit.
    Hint()->hide();
    Key(Qt::Key_Tab);
    EXPECT_FALSE(Hint()->isVisible());
    // In Matrix B, reached with Ctrl+Tab, the first Tab tells again.
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Focused(), QStringLiteral("RichEdit2"));
    EXPECT_FALSE(Hint()->isVisible());
    Key(Qt::Key_Tab);
    EXPECT_TRUE(Hint()->isVisible());
    // It goes by itself.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Hint()->isVisible(); }, 10000));
}

TEST_F(DayKeys, TheEditorsMenusNameCtrlTabAndMoveOn) {
    for (const auto& [name, editor, next] :
         {std::tuple{"NextField1", ui.MatrixA, "RichEdit2"}, std::tuple{"NextField2", ui.MatrixB, "Edit1"}}) {
        QAction* item = Child<QAction>(window, name);
        EXPECT_TRUE(item->text().contains(QStringLiteral("Ctrl+Tab"))) << name;
        editor->setFocus(Qt::MouseFocusReason);
        item->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(Focused(), QString::fromLatin1(next)) << name;
    }
}

TEST_F(DayKeys, EscAsksBeforeResultsThatWereNotSavedAreLost) {
    ShowTwoResults();
    watchdog.ExpectMessage(QMessageBox::Question, QStringLiteral("Quit Quorvix? The results have not been saved."),
                           QStringLiteral("Cancel"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(watchdog.Pending(), 0);
    EXPECT_TRUE(window.isVisible());
    // The close button asks too, and typed matrices are named with them.
    ui.X->setText(QStringLiteral("4"));
    watchdog.ExpectMessage(QMessageBox::Question,
                           QStringLiteral("Quit Quorvix? The matrices you typed and the results have not been saved."),
                           QStringLiteral("Cancel"));
    QTest::mouseClick(Child<ImageButton>(window, "ImgBtnClose"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(watchdog.Pending(), 0);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(DayKeys, SavedResultsAreNothingToLoseUntilMoreCome) {
    ShowTwoResults();
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog1"), dir.filePath(QStringLiteral("kept.txt")));
    Key(Qt::Key_F3);
    ASSERT_TRUE(QFile::exists(dir.filePath(QStringLiteral("kept.txt"))));
    // A new result is not saved yet.
    test::Click(window, Child<QToolButton>(window, "SpeedButton34"));
    watchdog.ExpectMessage(QMessageBox::Question, QStringLiteral("Quit Quorvix? The results have not been saved."),
                           QStringLiteral("Cancel"));
    Key(Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    // Cleared, there is nothing to lose.
    Key(Qt::Key_F8);
    ASSERT_TRUE(ui.Result->toPlainText().isEmpty());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(DayKeys, ATextProjectKeepsTheResults) {
    ShowTwoResults();
    ui.X->setText(QStringLiteral("5"));
    const QString project = dir.filePath(QStringLiteral("day.qvx"));
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog2"), project);
    Key(Qt::Key_F2);
    ASSERT_TRUE(QFile::exists(project));
    Key(Qt::Key_Escape);
    EXPECT_EQ(watchdog.Pending(), 0);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(DayKeys, ResultsTypedIntoThePanelCountAsResults) {
    ui.Result->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(ui.Result, QStringLiteral("my note"));
    watchdog.ExpectMessage(QMessageBox::Question, QStringLiteral("Quit Quorvix? The results have not been saved."),
                           QStringLiteral("Quit"));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(DayKeys, EscClosesAnOpenMenuAndNeverReachesTheQuit) {
    ShowTwoResults();
    QMenu* menu = Child<QMenu>(window, "File1");
    bool shown = false;
    // The menu runs its own loop: Esc is typed into it from inside.
    QTimer::singleShot(50, menu, [menu, &shown] {
        shown = menu->isVisible();
        QTest::keyClick(menu, Qt::Key_Escape);
    });
    Key(Qt::Key_F, Qt::AltModifier);
    QTest::qWait(150);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(menu->isVisible());
    // No question came (the watchdog fails on one not expected).
    EXPECT_TRUE(window.isVisible());
    // The next Esc is the quit's, and asks.
    watchdog.ExpectMessage(QMessageBox::Question, QStringLiteral("Quit Quorvix? The results have not been saved."),
                           QStringLiteral("Cancel"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(watchdog.Pending(), 0);
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace quorvix
