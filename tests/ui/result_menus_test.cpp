// Results that carry on in the window: "Use as Matrix A/B" from the panel's
// pop-up menu (the result under the mouse, the newest with the keyboard) and
// from the "Result" menu and its keys, a factor of a factorization, one undo
// step; "Copy as" into the clipboard and "Export result…" into a file, each
// the same text as quorvix-cli's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QJsonArray>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "menu_driver.h"
#include "modal_watchdog.h"
#include "ui/main_window.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;
using test::Choose;
using test::Inputs;
using test::Item;
using test::ModalWatchdog;
using test::RunCli;
using test::RunStep;

const QString kMatrix = QStringLiteral("4 7 2\n3 6 1\n2 5 3");

QStringList JsonLines(const QJsonObject& json, const char* key) {
    QStringList lines;
    for (const QJsonValue& v : json.value(QString::fromLatin1(key)).toArray()) lines << v.toString();
    return lines;
}

QString FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class ResultMenus : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        test::SetInputs(window, inputs);
    }
    // The editor's lines after quorvix-cli ran `steps` on the same inputs.
    QStringList CliEditor(const QStringList& steps, const char* editor) {
        const test::CliRun cli = RunCli(inputs, steps, true);
        EXPECT_EQ(cli.Code, 0) << cli.Err.toStdString();
        return JsonLines(cli.Json, editor);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(ui.MatrixA, static_cast<Qt::Key>(key), modifiers);
        window.WaitForCommand();
    }

    Inputs inputs{kMatrix, QStringLiteral("1 2\n3 4")};
    QTemporaryDir dir;
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(ResultMenus, UseAsMatrixBTakesTheResultUnderTheMouseAtFullPrecision) {
    RunStep(window, "inv(A)");
    RunStep(window, "A'");
    // A line of the inverse's block, below its label: result 1, not the newest.
    const int label = test::PanelLine(ui.Result, QStringLiteral("inv(A)="));
    ASSERT_GE(label, 0);
    Choose(window, Item(test::OpenPanelMenu(window, label + 2), "UseAsB"));
    const QStringList want =
        CliEditor({QStringLiteral("inv(A)"), QStringLiteral("A'"), QStringLiteral("use-b=1")}, "b");
    EXPECT_EQ(test::Lines(ui.MatrixB->toPlainText()), want);
    // More digits than the panel's three: the doubles themselves.
    EXPECT_GT(ui.MatrixB->toPlainText().size(), 40);
    // One undo step gives back the text typed before.
    ui.MatrixB->undo();
    EXPECT_EQ(ui.MatrixB->toPlainText(), inputs.B);
}

TEST_F(ResultMenus, TheMenuKeyOffersTheNewestResult) {
    RunStep(window, "inv(A)");
    RunStep(window, "A'");
    Choose(window, Item(test::OpenPanelMenu(window, -1), "UseAsA"));
    EXPECT_EQ(test::Lines(ui.MatrixA->toPlainText()),
              CliEditor({QStringLiteral("inv(A)"), QStringLiteral("A'"), QStringLiteral("use-a")}, "a"));
}

TEST_F(ResultMenus, AboveTheFirstResultTheItemsAreDisabled) {
    RunStep(window, "A'");
    QPlainTextEdit* panel = ui.Result;
    panel->moveCursor(QTextCursor::Start);
    panel->insertPlainText(QStringLiteral("my notes\n"));
    QMenu* menu = test::OpenPanelMenu(window, 0);
    QAction* use = Item(menu, "UseAsA");
    ASSERT_NE(use, nullptr);
    EXPECT_FALSE(use->isEnabled());
    menu->close();
    // Typed text above does not move the result's own block.
    Choose(window, Item(test::OpenPanelMenu(window, 2), "UseAsA"));
    EXPECT_EQ(test::Lines(ui.MatrixA->toPlainText()), CliEditor({QStringLiteral("A'"), QStringLiteral("use-a")}, "a"));
}

TEST_F(ResultMenus, AFactorOfAFactorizationFromItsSubmenu) {
    RunStep(window, "LU(A)");
    QMenu* bar = Child<QMenu>(window, "ResultMenu");
    test::OpenMenu(window, bar);
    Choose(window, Item(bar, "UseAsA.U"));
    EXPECT_EQ(test::Lines(ui.MatrixA->toPlainText()),
              CliEditor({QStringLiteral("LU(A)"), QStringLiteral("use-a=U")}, "a"));
    // The panel's menu has the same submenu.
    Choose(window, Item(test::OpenPanelMenu(window, -1), "UseAsB.L"));
    EXPECT_EQ(test::Lines(ui.MatrixB->toPlainText()),
              CliEditor({QStringLiteral("LU(A)"), QStringLiteral("use-b=L")}, "b"));
}

TEST_F(ResultMenus, TheKeysUseTheNewestResultAndAskForAFactor) {
    RunStep(window, "inv(A)");
    Key(Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(test::Lines(ui.MatrixB->toPlainText()),
              CliEditor({QStringLiteral("inv(A)"), QStringLiteral("use-b")}, "b"));

    RunStep(window, "LU(A)");
    const QString before = ui.MatrixA->toPlainText();
    Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    // A factorization: the keys open the list of its factors and change nothing yet.
    auto* factors = window.findChild<QMenu*>(QStringLiteral("FactorMenu"));
    ASSERT_NE(factors, nullptr);
    EXPECT_TRUE(factors->isVisible());
    EXPECT_EQ(ui.MatrixA->toPlainText(), before);
    QAction* upper = nullptr;
    for (QAction* item : factors->actions())
        if (item->data().toString() == QLatin1String("U")) upper = item;
    ASSERT_NE(upper, nullptr);
    Choose(window, upper);
    EXPECT_EQ(test::Lines(ui.MatrixA->toPlainText()),
              CliEditor({QStringLiteral("inv(A)"), QStringLiteral("LU(A)"), QStringLiteral("use-a=U")}, "a"));
}

TEST_F(ResultMenus, UseWithoutAResultSaysSo) {
    ui.Result->clear();
    watchdog.ExpectMessage(QMessageBox::Critical, QStringLiteral("There is no result to use."));
    Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ui.MatrixA->toPlainText(), kMatrix);
}

TEST_F(ResultMenus, CopyAsPutsTheFormatsTextIntoTheClipboard) {
    RunStep(window, "inv(A)");
    for (const char* format : {"tsv", "csv", "octave", "numpy", "latex", "json"}) {
        QMenu* menu = test::OpenPanelMenu(window, -1);
        Choose(window, Item(menu, (std::string("CopyAs.") + format).c_str()));
        const test::CliRun cli =
            RunCli(inputs, {QStringLiteral("--export"), QString::fromLatin1(format), QStringLiteral("inv(A)")});
        EXPECT_EQ(QApplication::clipboard()->text(), cli.Out) << format;
    }
    // The key copies tab-separated values.
    QApplication::clipboard()->clear();
    Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QLatin1Char('\t')));
}

TEST_F(ResultMenus, CopyAsMatrixMarketTakesOneFactor) {
    RunStep(window, "LU(A)");
    Choose(window, Item(test::OpenPanelMenu(window, -1), "CopyAs.mm.L"));
    const test::CliRun cli =
        RunCli(inputs, {QStringLiteral("--export"), QStringLiteral("mm:L"), QStringLiteral("LU(A)")});
    ASSERT_EQ(cli.Code, 0) << cli.Err.toStdString();
    EXPECT_EQ(QApplication::clipboard()->text(), cli.Out);
    EXPECT_TRUE(cli.Out.startsWith(QStringLiteral("%%MatrixMarket")));
}

TEST_F(ResultMenus, ExportResultWritesTheFormatOfTheExtension) {
    RunStep(window, "inv(A)");
    const QString path = dir.filePath(QStringLiteral("inverse.csv"));
    watchdog.ExpectFileDialog(QStringLiteral("ExportDialog"), path);
    Key(Qt::Key_E, Qt::ControlModifier);
    const QString cliPath = dir.filePath(QStringLiteral("cli.csv"));
    ASSERT_EQ(RunCli(inputs, {QStringLiteral("inv(A)"), QStringLiteral("export=") + cliPath}).Code, 0);
    EXPECT_EQ(FileText(path), FileText(cliPath));
    EXPECT_FALSE(FileText(path).isEmpty());
}

TEST_F(ResultMenus, ExportAFactorOfTheResultUnderTheMouse) {
    RunStep(window, "LU(A)");
    RunStep(window, "A'");
    const int label = test::PanelLine(ui.Result, QStringLiteral("LU(A)="));
    const QString path = dir.filePath(QStringLiteral("u.mtx"));
    watchdog.ExpectFileDialog(QStringLiteral("ExportDialog"), path);
    Choose(window, Item(test::OpenPanelMenu(window, label + 1), "ExportResult.U"));
    const QString cliPath = dir.filePath(QStringLiteral("cli.mtx"));
    ASSERT_EQ(
        RunCli(inputs, {QStringLiteral("LU(A)"), QStringLiteral("export=") + cliPath + QStringLiteral(":U")}).Code, 0);
    EXPECT_EQ(FileText(path), FileText(cliPath));
    EXPECT_TRUE(FileText(path).startsWith(QStringLiteral("%%MatrixMarket")));
}

TEST_F(ResultMenus, AltRAndAnAccessKeyUseTheResultWithoutTheMouse) {
    RunStep(window, "inv(A)");
    QMenu* bar = Child<QMenu>(window, "ResultMenu");
    bool shown = false;
    // The menu runs its own loop: press the item's key from inside it.
    QTimer::singleShot(50, bar, [bar, &shown] {
        shown = bar->isVisible();
        QTest::keyClick(bar, Qt::Key_A);
    });
    QTest::keyClick(ui.MatrixA, Qt::Key_R, Qt::AltModifier);
    QTest::qWait(100);
    window.WaitForCommand();
    EXPECT_TRUE(shown);
    EXPECT_EQ(test::Lines(ui.MatrixA->toPlainText()),
              CliEditor({QStringLiteral("inv(A)"), QStringLiteral("use-a")}, "a"));
}

TEST_F(ResultMenus, TheResultMenuHasAccessKeysAndShowsItsKeys) {
    RunStep(window, "inv(A)");
    QMenu* bar = Child<QMenu>(window, "ResultMenu");
    EXPECT_EQ(bar->title(), QStringLiteral("&Result"));
    test::OpenMenu(window, bar);
    for (const char* name : {"UseAsA", "UseAsB", "ExportResult"}) {
        QAction* item = Item(bar, name);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->text().contains(QLatin1Char('&'))) << name;
        EXPECT_TRUE(item->text().contains(QLatin1Char('\t'))) << name << ": its key is shown";
    }
    bar->close();
}

}  // namespace
}  // namespace quorvix
