// The "Operations" menu: one item per row of the table of operations beyond
// the grid, each with an access key and its hint, running the same command
// as quorvix-cli's step; the grid stays as it is; "Check results" turns the
// check off for the session. And the access keys menus made from data get.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <set>
#include <vector>

#include "commands/operation_table.h"
#include "menu_driver.h"
#include "modal_watchdog.h"
#include "ui/access_keys.h"
#include "ui/main_window.h"
#include "ui/more_operations_menu.h"
#include "ui/skin_widgets.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;
using test::Inputs;
using test::ModalWatchdog;
using test::RunCli;

// The access key of a caption: the character after its "&".
QChar KeyOf(const QString& caption) {
    const qsizetype at = caption.indexOf(QLatin1Char('&'));
    return at < 0 || at + 1 >= caption.size() ? QChar() : caption[at + 1].toUpper();
}

void ExpectDistinctKeys(const QMenu* menu) {
    QSet<QChar> keys;
    for (const QAction* item : menu->actions()) {
        if (item->isSeparator()) continue;
        const QChar key = KeyOf(item->text());
        EXPECT_FALSE(key.isNull()) << item->text().toStdString() << " has no access key";
        EXPECT_FALSE(keys.contains(key)) << item->text().toStdString() << " repeats a key";
        keys.insert(key);
        if (item->menu() != nullptr) ExpectDistinctKeys(item->menu());
    }
}

TEST(AccessKeys, EachCaptionGetsAKeyNoOtherHas) {
    AccessKeys keys;
    EXPECT_EQ(keys.Keyed(QStringLiteral("Pinv(A)")), QStringLiteral("&Pinv(A)"));
    EXPECT_EQ(keys.Keyed(QStringLiteral("PLU(A)")), QStringLiteral("P&LU(A)"));
    EXPECT_EQ(keys.Keyed(QStringLiteral("Matrix &A")), QStringLiteral("Matrix &A"));
    EXPECT_EQ(keys.Keyed(QStringLiteral("Null(A)")), QStringLiteral("&Null(A)"));
    EXPECT_EQ(keys.Keyed(QStringLiteral("Pinv(B)")), QStringLiteral("P&inv(B)"));
    // Every letter taken: numbered.
    EXPECT_EQ(keys.Keyed(QStringLiteral("A\\A")), QStringLiteral("&1 A\\A"));
    EXPECT_EQ(keys.Keyed(QStringLiteral("&&")), QStringLiteral("&2 &&"));
}

// Rows of the table of the grid's operations stand in for rows of any
// table: the menu is made from whatever rows it is given.
TEST(OperationItems, RowsGoToTheirColumnsSubmenuInTheirOrder) {
    std::vector<Operation> rows;
    for (const Operation& op : Operations())
        if (rows.size() < 12) rows.push_back(op);
    QMenu menu;
    std::vector<std::string> ran;
    QString hint;
    AddOperationItems(&menu, rows,
                      {.Run = [&](const Operation& op) { ran.emplace_back(op.Step); },
                       .ShowHint = [&](const QString& text) { hint = text; }});
    std::size_t items = 0;
    for (const Operation& op : rows) {
        const char* submenu = op.Column == GridColumn::A ? "MoreOnA" : op.Column == GridColumn::B ? "MoreOnB" : nullptr;
        QMenu* where = submenu ? menu.findChild<QMenu*>(QString::fromLatin1(submenu)) : &menu;
        ASSERT_NE(where, nullptr) << op.Step;
        QAction* item = nullptr;
        for (QAction* a : where->actions())
            if (a->objectName() == QString::fromUtf8(op.Step)) item = a;
        ASSERT_NE(item, nullptr) << op.Step;
        ++items;
        EXPECT_EQ(item->toolTip(), QString::fromUtf8(op.Hint));
        QString caption = item->text();
        caption.remove(QLatin1Char('&'));
        EXPECT_TRUE(caption.endsWith(QString::fromUtf8(op.Caption))) << caption.toStdString();
        item->hover();
        EXPECT_EQ(hint, QString::fromUtf8(op.Hint));
        item->trigger();
        ASSERT_FALSE(ran.empty());
        EXPECT_EQ(ran.back(), op.Step);
    }
    EXPECT_EQ(items, rows.size());
    // Within a submenu the rows keep the order of their places.
    for (QMenu* submenu : menu.findChildren<QMenu*>()) {
        const QList<QAction*> actions = submenu->actions();
        for (qsizetype k = 1; k < actions.size(); ++k) {
            const Operation* before = FindOperationByStep(actions[k - 1]->objectName().toStdString());
            const Operation* after = FindOperationByStep(actions[k]->objectName().toStdString());
            ASSERT_TRUE(before && after);
            EXPECT_LE(before->Row, after->Row);
        }
    }
    ExpectDistinctKeys(&menu);
}

class OperationsMenu : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        test::SetInputs(window, inputs);
    }
    Inputs inputs{QStringLiteral("4 1\n2 3"), QStringLiteral("1 2\n3 5")};
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(OperationsMenu, EveryRowIsAnItemThatRunsItsStepAsTheCliDoes) {
    QMenu* menu = Child<QMenu>(window, "MoreOperationsMenu");
    EXPECT_EQ(menu->title(), QStringLiteral("&Operations"));
    // On the menu bar, with its access key, drawn as the others.
    auto* button = Child<MenuBarButton>(window, "MoreButton");
    EXPECT_EQ(button->menu(), menu);
    EXPECT_EQ(button->text(), menu->title());
    EXPECT_EQ(Child<MenuBarButton>(window, "ResultButton")->text(), QStringLiteral("&Result"));
    EXPECT_NE(dynamic_cast<OwnerDrawMenuStyle*>(menu->style()), nullptr);
    ExpectDistinctKeys(menu);
    for (const Operation& op : MoreOperations()) {
        QAction* item = test::Item(menu, op.Step);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->toolTip(), QString::fromUtf8(op.Hint));
        ui.Result->clear();
        test::Choose(window, item);
        const test::CliRun cli = RunCli(inputs, {QString::fromUtf8(op.Step)});
        EXPECT_EQ(ui.Result->toPlainText(), cli.Out) << op.Step;
    }
    // The grid keeps its 44 buttons: none of these rows has one.
    for (const Operation& op : MoreOperations()) {
        if (op.Control != nullptr) {
            EXPECT_EQ(window.findChild<QWidget*>(QString::fromLatin1(op.Control)), nullptr);
        }
    }
}

TEST_F(OperationsMenu, AnItemsHintShowsWhileItIsHighlighted) {
    QAction* check = test::Item(Child<QMenu>(window, "MoreOperationsMenu"), "CheckResults");
    ASSERT_NE(check, nullptr);
    check->hover();
    EXPECT_EQ(Child<QLabel>(window, "HintText")->text(), check->toolTip());
    EXPECT_TRUE(Child<QWidget>(window, "HintLine")->isVisible());
    emit Child<QMenu>(window, "MoreOperationsMenu")->aboutToHide();
    EXPECT_FALSE(Child<QWidget>(window, "HintLine")->isVisible());
}

TEST_F(OperationsMenu, AltOAndKTurnTheCheckOffWithoutTheMouse) {
    QMenu* menu = Child<QMenu>(window, "MoreOperationsMenu");
    QAction* check = test::Item(menu, "CheckResults");
    ASSERT_NE(check, nullptr);
    ASSERT_TRUE(check->isChecked());
    bool shown = false;
    QTimer::singleShot(50, menu, [menu, &shown] {
        shown = menu->isVisible();
        QTest::keyClick(menu, Qt::Key_K);
    });
    QTest::keyClick(ui.MatrixA, Qt::Key_O, Qt::AltModifier);
    QTest::qWait(100);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(check->isChecked());
}

TEST_F(OperationsMenu, CheckResultsTurnsTheCheckOffForTheSession) {
    // Det of diag(1, 1e-5, 1e-5) is 1e-10, which Det's rounding makes 0: the
    // check says so, and without it the panel is the bare text.
    inputs.A = QStringLiteral("1 0 0\n0 0.00001 0\n0 0 0.00001");
    test::SetInputs(window, inputs);
    QAction* check = test::Item(Child<QMenu>(window, "MoreOperationsMenu"), "CheckResults");
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->isCheckable());
    EXPECT_TRUE(check->isChecked());
    test::RunStep(window, "Det(A)");
    EXPECT_EQ(ui.Result->toPlainText(), RunCli(inputs, {QStringLiteral("Det(A)")}).Out);
    ui.Result->clear();
    test::Choose(window, check);
    EXPECT_FALSE(check->isChecked());
    test::RunStep(window, "Det(A)");
    // quorvix-cli's panel without its check lines (each with the empty line after it).
    QStringList bare;
    const QStringList checked = RunCli(inputs, {QStringLiteral("Det(A)")}).Out.split(QLatin1Char('\n'));
    for (qsizetype k = 0; k < checked.size(); ++k) {
        if (checked[k].startsWith(QStringLiteral(" Check: "))) {
            ++k;
            continue;
        }
        bare << checked[k];
    }
    EXPECT_EQ(ui.Result->toPlainText(), bare.join(QLatin1Char('\n')));
    EXPECT_FALSE(ui.Result->toPlainText().contains(QStringLiteral(" Check: ")));
    test::Choose(window, check);
    EXPECT_TRUE(check->isChecked());
}

}  // namespace
}  // namespace quorvix
