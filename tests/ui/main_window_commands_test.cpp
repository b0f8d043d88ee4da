// Every button of the window gives the result panel quorvix-cli gives for
// the same state; errors reach a critical box with the same text.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "commands/operation_table.h"
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

struct NamedInputs {
    const char* Name;
    Inputs State;
};

void PrintTo(const NamedInputs& inputs, std::ostream* os) { *os << inputs.Name; }

// States that reach results, refusals, notices, warnings and errors.
const NamedInputs kStates[] = {
    {"start", {QStringLiteral("1 0 0\n0 1 0\n0 0 1\n"), QStringLiteral("1 0 0\n0 1 0\n0 0 1\n")}},
    {"real_and_complex",
     {QStringLiteral("1 2 3\n4 5 6\n7 8 10"), QStringLiteral("2 1+i\n-i 3"), QStringLiteral("2"), QStringLiteral("4")}},
    {"positive_definite_e",
     {QStringLiteral("4 1\n1 3\n"), QStringLiteral("2 0\n0 5\n"), QStringLiteral("-2"), QStringLiteral("e")}},
    {"incomplete_and_polar",
     {QStringLiteral("1 2 3\n4 5\n\n"), QStringLiteral("2(30) 1,5 0\n1 0 2\n0 1 1"), QStringLiteral("1+i"),
      QStringLiteral("2")}},
    {"parse_error", {QStringLiteral("1 abc\n3 4"), QStringLiteral("1 2\n3 4"), QStringLiteral("2.5")}},
};

class EveryButton : public ::testing::TestWithParam<NamedInputs> {};

TEST_P(EveryButton, GivesThePanelQuorvixCliGives) {
    const Inputs& state = GetParam().State;
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui(window);
    window.show();
    test::SetInputs(window, state);
    struct Press {
        QToolButton* Button;
        const char* Step;
    };
    std::vector<Press> presses;
    for (const Operation& op : Operations()) presses.push_back({Child<QToolButton>(window, op.Control), op.Step});
    presses.push_back({Child<QToolButton>(window, "SpeedButton10"), "Auto"});
    ASSERT_EQ(presses.size(), 44u);
    for (const Press& press : presses) {
        Child<QAction>(window, "Clear1")->trigger();
        ASSERT_TRUE(ui.Result->toPlainText().isEmpty());
        const test::CliRun cli = RunCli(state, {QString::fromLatin1(press.Step)});
        ASSERT_TRUE(cli.Code == 0 || cli.Code == 1 || cli.Code == 3) << press.Step << ": " << cli.Err.toStdString();
        // A command that ends normally writes at least its label.
        ASSERT_TRUE(cli.Code == 1 || !cli.Out.isEmpty()) << press.Step;
        if (cli.Code == 1) watchdog.ExpectMessage(QMessageBox::Critical, cli.ErrorText());
        Click(window, press.Button);
        EXPECT_EQ(watchdog.Pending(), 0) << press.Step;
        EXPECT_EQ(ui.Result->toPlainText().toStdString(), cli.Out.toStdString()) << press.Step;
        // The command left the inputs alone.
        EXPECT_EQ(test::Lines(ui.MatrixA->toPlainText()), test::Lines(state.A)) << press.Step;
        EXPECT_EQ(ui.X->text(), state.X);
    }
}

INSTANTIATE_TEST_SUITE_P(States, EveryButton, ::testing::ValuesIn(kStates),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ResultPanel, GrowsAndKeepsWhatTheUserTyped) {
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui(window);
    window.show();
    const Inputs state = kStates[1].State;
    test::SetInputs(window, state);
    Click(window, Child<QToolButton>(window, "SpeedButton13"));
    Click(window, Child<QToolButton>(window, "SpeedButton32"));
    Click(window, Child<QToolButton>(window, "SpeedButton33"));
    EXPECT_EQ(ui.Result->toPlainText(), RunCli(state, {"A+B", "Det(A)", "Eig(A)"}).Out);

    // A note typed at the end of the panel stays; the next result follows it.
    const QString before = ui.Result->toPlainText();
    ui.Result->moveCursor(QTextCursor::End);
    QTest::keyClicks(ui.Result, QStringLiteral("my note"));
    Click(window, Child<QToolButton>(window, "SpeedButton11"));
    EXPECT_EQ(ui.Result->toPlainText(), before + QStringLiteral("my note\n") + RunCli(state, {"A"}).Out);

    // An error keeps what the command wrote before it.
    ui.MatrixA->setPlainText(QStringLiteral("1 2\nx 4"));
    Inputs bad = state;
    bad.A = ui.MatrixA->toPlainText();
    const test::CliRun cli = RunCli(bad, {"Trace(A)"});
    ASSERT_EQ(cli.Code, 1);
    watchdog.ExpectMessage(QMessageBox::Critical, cli.ErrorText());
    const QString beforeError = ui.Result->toPlainText();
    Click(window, Child<QToolButton>(window, "SpeedButton24"));
    EXPECT_EQ(ui.Result->toPlainText(), beforeError + cli.Out);
    EXPECT_TRUE(cli.ErrorText().endsWith(QStringLiteral(".\nMatrix A, line 2, element 1")));
}

class ErrorPlace : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Presses the operation's button; its error box must come as quorvix-cli words it.
    void PressExpectingError(const Inputs& state, const char* step, const QString& place) {
        const test::CliRun cli = RunCli(state, {QString::fromLatin1(step)});
        ASSERT_TRUE(cli.ErrorText().endsWith(QLatin1Char('\n') + place)) << cli.Err.toStdString();
        watchdog.ExpectMessage(QMessageBox::Critical, cli.ErrorText());
        test::SetInputs(window, state);
        Click(window, Child<QToolButton>(window, FindOperationByStep(step)->Control));
        EXPECT_EQ(watchdog.Pending(), 0);
    }
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(ErrorPlace, AParseErrorSelectsItsTokenScrolledIntoView) {
    // The bad element far down and far right in Matrix A.
    QString a;
    for (int i = 0; i < 30; ++i) a += QStringLiteral("1 2 3\n");
    a += QStringLiteral("4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 abc\n");
    const Inputs state{a, QStringLiteral("1 2\n3 4"), QStringLiteral("2")};
    PressExpectingError(state, "Trace(A)", QStringLiteral("Matrix A, line 31, element 18"));
    EXPECT_EQ(ui.MatrixA->textCursor().selectedText(), QStringLiteral("abc"));
    EXPECT_EQ(window.focusWidget(), ui.MatrixA);
    const QRect caret = ui.MatrixA->cursorRect();
    EXPECT_TRUE(ui.MatrixA->viewport()->rect().contains(caret)) << caret.x() << "," << caret.y();
}

TEST_F(ErrorPlace, AnXErrorSelectsTheXBox) {
    const Inputs state{QStringLiteral("1 2\n3 4"), QStringLiteral("1"), QStringLiteral("2+zz")};
    PressExpectingError(state, "A*x", QStringLiteral("the x box"));
    EXPECT_EQ(ui.X->selectedText(), state.X);
    EXPECT_EQ(window.focusWidget(), ui.X);
}

TEST(AutoCommands, ToolbarMenuAndKeyRunTheSameAuto) {
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui(window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const Inputs state = kStates[2].State;
    test::SetInputs(window, state);
    const QString expected = RunCli(state, {"Auto"}).Out;
    ASSERT_FALSE(expected.isEmpty());
    Click(window, Child<QToolButton>(window, "SpeedButton5"));
    EXPECT_EQ(ui.Result->toPlainText(), expected);
    Child<QAction>(window, "Auto1")->trigger();
    window.WaitForCommand();
    EXPECT_EQ(ui.Result->toPlainText(), expected);
    ui.Result->clear();
    QTest::keyClick(ui.MatrixA, Qt::Key_F5);
    window.WaitForCommand();
    EXPECT_EQ(ui.Result->toPlainText(), expected);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace quorvix
