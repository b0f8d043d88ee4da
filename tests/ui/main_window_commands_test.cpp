// Every button of the window gives the result panel quorvix-cli gives for
// the same state; errors reach a critical box with the same text.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "commands/operation_table.h"
#include "modal_watchdog.h"
#include "ui/main_window.h"
#include "window_driver.h"

namespace quorvix {
namespace {

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
    TForm1 form;
    form.show();
    test::SetInputs(form, state);
    struct Press {
        QToolButton* Button;
        const char* Step;
    };
    std::vector<Press> presses;
    for (const Operation& op : Operations()) presses.push_back({form.OperationButtons.at(op.Control), op.Step});
    presses.push_back({form.SpeedButton10, "Auto"});
    ASSERT_EQ(presses.size(), 44u);
    for (const Press& press : presses) {
        form.Clear1->trigger();
        ASSERT_TRUE(form.RichEdit3->toPlainText().isEmpty());
        const test::CliRun cli = RunCli(state, {QString::fromLatin1(press.Step)});
        ASSERT_TRUE(cli.Code == 0 || cli.Code == 1) << press.Step << ": " << cli.Err.toStdString();
        // A command that ends normally writes at least its label.
        ASSERT_TRUE(cli.Code == 1 || !cli.Out.isEmpty()) << press.Step;
        if (cli.Code == 1) watchdog.ExpectMessage(QMessageBox::Critical, cli.ErrorText());
        Click(form, press.Button);
        EXPECT_EQ(watchdog.Pending(), 0) << press.Step;
        EXPECT_EQ(form.RichEdit3->toPlainText().toStdString(), cli.Out.toStdString()) << press.Step;
        // The command left the inputs alone.
        EXPECT_EQ(test::Lines(form.RichEdit1->toPlainText()), test::Lines(state.A)) << press.Step;
        EXPECT_EQ(form.Edit1->text(), state.X);
    }
}

INSTANTIATE_TEST_SUITE_P(States, EveryButton, ::testing::ValuesIn(kStates),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ResultPanel, GrowsAndKeepsWhatTheUserTyped) {
    ModalWatchdog watchdog;
    TForm1 form;
    form.show();
    const Inputs state = kStates[1].State;
    test::SetInputs(form, state);
    Click(form, form.OperationButtons.at("SpeedButton13"));
    Click(form, form.OperationButtons.at("SpeedButton32"));
    Click(form, form.OperationButtons.at("SpeedButton33"));
    EXPECT_EQ(form.RichEdit3->toPlainText(), RunCli(state, {"A+B", "Det(A)", "Eig(A)"}).Out);

    // A note typed at the end of the panel stays; the next result follows it.
    const QString before = form.RichEdit3->toPlainText();
    form.RichEdit3->moveCursor(QTextCursor::End);
    QTest::keyClicks(form.RichEdit3, QStringLiteral("my note"));
    Click(form, form.OperationButtons.at("SpeedButton11"));
    EXPECT_EQ(form.RichEdit3->toPlainText(), before + QStringLiteral("my note\n") + RunCli(state, {"A"}).Out);

    // An error keeps what the command wrote before it.
    form.RichEdit1->setPlainText(QStringLiteral("1 2\nx 4"));
    Inputs bad = state;
    bad.A = form.RichEdit1->toPlainText();
    const test::CliRun cli = RunCli(bad, {"Trace(A)"});
    ASSERT_EQ(cli.Code, 1);
    watchdog.ExpectMessage(QMessageBox::Critical, cli.ErrorText());
    const QString beforeError = form.RichEdit3->toPlainText();
    Click(form, form.OperationButtons.at("SpeedButton24"));
    EXPECT_EQ(form.RichEdit3->toPlainText(), beforeError + cli.Out);
    EXPECT_TRUE(cli.ErrorText().endsWith(QLatin1Char('.')));
}

TEST(AutoCommands, ToolbarMenuAndKeyRunTheSameAuto) {
    ModalWatchdog watchdog;
    TForm1 form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const Inputs state = kStates[2].State;
    test::SetInputs(form, state);
    const QString expected = RunCli(state, {"Auto"}).Out;
    ASSERT_FALSE(expected.isEmpty());
    Click(form, form.SpeedButton5);
    EXPECT_EQ(form.RichEdit3->toPlainText(), expected);
    form.Auto1->trigger();
    form.WaitForCommand();
    EXPECT_EQ(form.RichEdit3->toPlainText(), expected);
    form.RichEdit3->clear();
    QTest::keyClick(form.RichEdit1, Qt::Key_F5);
    form.WaitForCommand();
    EXPECT_EQ(form.RichEdit3->toPlainText(), expected);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

class LongCommand : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.Edit1->setText(QStringLiteral("100000000"));
        QTest::mouseClick(form.OperationButtons.at("SpeedButton27"), Qt::LeftButton);
        ASSERT_TRUE(form.CommandRunning());
    }
    void ExpectCancelledRun() {
        form.WaitForCommand();
        QCoreApplication::processEvents();
        // The label only: no result, no error box, the editors as they were.
        EXPECT_EQ(form.RichEdit3->toPlainText(), QStringLiteral("A^(100000000)\n"));
        EXPECT_EQ(form.RichEdit1->toPlainText(), QStringLiteral("1 0 0\n0 1 0\n0 0 1\n"));
        EXPECT_EQ(form.Edit1->text(), QStringLiteral("100000000"));
        EXPECT_TRUE(form.CancelButton->isHidden());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(form.isVisible());
    }
    ModalWatchdog watchdog;
    TForm1 form;
};

TEST_F(LongCommand, EscCancelsAndTheWindowStaysOpen) {
    QTest::keyClick(form.RichEdit1, Qt::Key_Escape);
    ExpectCancelledRun();
    // The window works on: the next command runs.
    Click(form, form.OperationButtons.at("SpeedButton11"));
    // Each element right-aligned in ten characters after a blank; an empty line ends the block.
    EXPECT_EQ(form.RichEdit3->toPlainText(), QStringLiteral("A^(100000000)\nA=\n"
                                                            "          1          0          0\n"
                                                            "          0          1          0\n"
                                                            "          0          0          1\n\n"));
}

TEST_F(LongCommand, CancelButtonCancels) {
    form.CancelButton->click();
    ExpectCancelledRun();
}

TEST_F(LongCommand, InputMadeMeanwhileIsHandedOnAfterwards) {
    // A click on another button and typing wait for the running command.
    form.RichEdit2->setFocus();
    form.RichEdit2->moveCursor(QTextCursor::End);
    QTest::keyClicks(form.RichEdit2, QStringLiteral("7"));
    QTest::mouseClick(form.OperationButtons.at("SpeedButton12"), Qt::LeftButton);
    EXPECT_EQ(form.RichEdit2->toPlainText(), QStringLiteral("1 0 0\n0 1 0\n0 0 1\n"));
    form.CancelCommand();
    form.WaitForCommand();
    QCoreApplication::processEvents();
    form.WaitForCommand();
    EXPECT_EQ(form.RichEdit2->toPlainText(), QStringLiteral("1 0 0\n0 1 0\n0 0 1\n7"));
    EXPECT_TRUE(form.RichEdit3->toPlainText().startsWith(QStringLiteral("A^(100000000)\nWarning : Matrix is incomplete")))
        << form.RichEdit3->toPlainText().toStdString();
}

TEST_F(LongCommand, ClosingStopsTheCommandFirst) {
    form.close();
    EXPECT_TRUE(form.isVisible());
    form.WaitForCommand();
    EXPECT_FALSE(form.isVisible());
}

TEST(LongCommandEnd, DestroyingTheWindowStopsTheCommand) {
    ModalWatchdog watchdog;
    auto form = std::make_unique<TForm1>();
    form->show();
    form->Edit1->setText(QStringLiteral("100000000"));
    QTest::mouseClick(form->OperationButtons.at("SpeedButton44"), Qt::LeftButton);
    ASSERT_TRUE(form->CommandRunning());
    form.reset();
    // The engine takes the next command at once.
    TForm1 next;
    Click(next, next.OperationButtons.at("SpeedButton12"));
    EXPECT_TRUE(next.RichEdit3->toPlainText().startsWith(QStringLiteral("B=\n")));
}

TEST(Precision, BoxChangesTheFactorAndRefusesNonNumbers) {
    ModalWatchdog watchdog;
    TForm1 form;
    form.show();
    Inputs state = kStates[1].State;
    test::SetInputs(form, state);
    form.ComboBox1->setEditText(QStringLiteral("6"));
    state.Precision = QStringLiteral("6");
    Click(form, form.OperationButtons.at("SpeedButton18"));
    EXPECT_EQ(form.RichEdit3->toPlainText(), RunCli(state, {"inv(A)"}).Out);
    watchdog.ExpectMessage(QMessageBox::Critical, QStringLiteral("'x' is not a valid floating point value."));
    form.ComboBox1->setEditText(QStringLiteral("x"));
    EXPECT_EQ(watchdog.Pending(), 0);
    // The factor stayed at six decimals.
    form.Clear1->trigger();
    Click(form, form.OperationButtons.at("SpeedButton18"));
    EXPECT_EQ(form.RichEdit3->toPlainText(), RunCli(state, {"inv(A)"}).Out);
}

}  // namespace
}  // namespace quorvix
