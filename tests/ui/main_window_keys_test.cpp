// The window with the keyboard alone: the menu keys open the file dialogs,
// save and open projects and results, clear, run Auto, open the manual and
// exit; and the editors' context menus reach the text tools.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QJsonArray>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "commands/operation_table.h"
#include "modal_watchdog.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;
using test::Inputs;
using test::ModalWatchdog;
using test::RunCli;

QStringList JsonLines(const QJsonObject& json, const char* key) {
    QStringList lines;
    for (const QJsonValue& v : json.value(QString::fromLatin1(key)).toArray()) lines << v.toString();
    return lines;
}

const char* OperationColumnName(const Operation& op) {
    return op.Column == GridColumn::A ? "A" : op.Column == GridColumn::B ? "B" : "Both";
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ui.MatrixA->setFocus();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        // The window has the keyboard again once a dialog it opened is gone.
        if (!window.isActiveWindow()) {
            window.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        }
        QTest::keyClick(ui.MatrixA, static_cast<Qt::Key>(key), modifiers);
        window.WaitForCommand();
    }
    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(Keyboard, F2SavesAndCtrlFOpensAProject) {
    QString savedFilters, openFilters, openFolder, savedSuffix;
    watchdog.OnFileDialog = [&](QWidget* w) {
        auto* dialog = static_cast<QFileDialog*>(w);
        if (dialog->acceptMode() == QFileDialog::AcceptSave) {
            savedFilters = dialog->nameFilters().join(QLatin1Char('|'));
            savedSuffix = dialog->defaultSuffix();
        } else {
            openFilters = dialog->nameFilters().join(QLatin1Char('|'));
            openFolder = dialog->directory().absolutePath();
        }
    };
    // Typed without extension: the file gets ".mtx".
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog2"), File("work"));
    Key(Qt::Key_F2);
    EXPECT_EQ(savedFilters, QStringLiteral("Matrix Project File (*.mtx)|Quorvix Project, keeps everything (*.qvx)"));
    EXPECT_EQ(savedSuffix, QStringLiteral("mtx"));
    // Two 3 x 3 integer matrices, x and p: 10 + 4 + (8 + 90) * 2 bytes.
    EXPECT_EQ(FileBytes(File("work.mtx")).size(), 210);

    ui.MatrixA->setPlainText(QStringLiteral("9"));
    ui.MatrixB->setPlainText(QStringLiteral("8"));
    ui.X->setText(QStringLiteral("5"));
    ui.Precision->setEditText(QStringLiteral("2"));
    watchdog.ExpectFileDialog(QStringLiteral("OpenDialog1"), File("work.mtx"));
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(openFilters, QStringLiteral("Projects (*.mtx *.qvx)|All File(*.*)"));
    // Open starts where the save ended.
    EXPECT_EQ(QDir(openFolder), QDir(dir.path()));
    const Inputs changed{QStringLiteral("9"), QStringLiteral("8"), QStringLiteral("5"), QStringLiteral("2")};
    const test::CliRun cli = RunCli(changed, {QStringLiteral("open=") + File("work.mtx")}, true);
    EXPECT_EQ(test::Lines(ui.MatrixA->toPlainText()), JsonLines(cli.Json, "a"));
    EXPECT_EQ(test::Lines(ui.MatrixB->toPlainText()), JsonLines(cli.Json, "b"));
    EXPECT_EQ(ui.X->text(), cli.Json.value("x").toString());
    EXPECT_EQ(ui.Precision->currentText(), cli.Json.value("precision").toString());
    EXPECT_EQ(ui.X->text(), QStringLiteral("1"));
    EXPECT_EQ(ui.Precision->currentText(), QStringLiteral("3"));

    // A cancelled dialog does nothing.
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog2"), QString());
    Key(Qt::Key_F2);
    EXPECT_FALSE(QFile::exists(File("work.mtx.mtx")));
}

TEST_F(Keyboard, FirstDialogStartsInTheDocumentsFolderTheNextWhereTheLastEnded) {
    // A home of the test's own, with its documents folder.
    struct HomeAt {
        explicit HomeAt(const QString& path) : real(qgetenv("HOME")) { qputenv("HOME", path.toLocal8Bit()); }
        ~HomeAt() { qputenv("HOME", real); }
        QByteArray real;
    } home(dir.path());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ASSERT_TRUE(QDir().mkpath(documents));
    ASSERT_TRUE(QDir().mkpath(File("results")));
    QStringList folders;
    watchdog.OnFileDialog = [&](QWidget* w) { folders << static_cast<QFileDialog*>(w)->directory().absolutePath(); };
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog1"), QString());  // cancelled: no folder used
    Key(Qt::Key_F3);
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog1"), File("results/r.txt"));
    Key(Qt::Key_F3);
    watchdog.ExpectFileDialog(QStringLiteral("OpenDialog1"), QString());
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(folders, QStringList({documents, documents, QDir(File("results")).absolutePath()}));
}

TEST_F(Keyboard, SavingPrecisionEIsRefused) {
    ui.Precision->setEditText(QStringLiteral("e"));
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog2"), File("e.mtx"));
    watchdog.ExpectMessage(QMessageBox::Critical, QStringLiteral("'e' is not a valid integer value."));
    Key(Qt::Key_F2);
    EXPECT_FALSE(QFile::exists(File("e.mtx")));
}

TEST_F(Keyboard, F5F3F8AutoSaveAndClear) {
    const Inputs start{QStringLiteral("1 0 0\n0 1 0\n0 0 1\n"), QStringLiteral("1 0 0\n0 1 0\n0 0 1\n")};
    Key(Qt::Key_F5);
    EXPECT_EQ(ui.Result->toPlainText(), RunCli(start, {"Auto"}).Out);

    QString filters;
    watchdog.OnFileDialog = [&](QWidget* w) {
        auto* dialog = static_cast<QFileDialog*>(w);
        filters = dialog->nameFilters().join(QLatin1Char('|')) + QLatin1Char(' ') + dialog->defaultSuffix();
    };
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog1"), File("result"));
    Key(Qt::Key_F3);
    EXPECT_EQ(filters, QStringLiteral("Text File(*.txt)|Rtf File(*.rtf)|All File(*.*) txt"));
    ASSERT_TRUE(QFile::exists(File("result.txt")));
    RunCli(start, {"Auto", QStringLiteral("save-result=") + File("cli.txt")});
    EXPECT_EQ(FileBytes(File("result.txt")), FileBytes(File("cli.txt")));
    EXPECT_TRUE(FileBytes(File("result.txt")).contains("\r\n"));

    // The context menu's Save writes the same.
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog1"), File("again.rtf"));
    Child<QAction>(window, "Save2")->trigger();
    window.WaitForCommand();
    EXPECT_EQ(FileBytes(File("again.rtf")), FileBytes(File("cli.txt")));

    Key(Qt::Key_F8);
    EXPECT_TRUE(ui.Result->toPlainText().isEmpty());
    EXPECT_EQ(ui.MatrixA->toPlainText(), start.A);
}

// The focus after each key, by the controls' names.
class FocusWalk : public Keyboard {
protected:
    QString Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        return Focused();
    }
    static QString Focused() {
        const QWidget* focus = QApplication::focusWidget();
        // The precision box's text field stands for the box.
        if (focus != nullptr && focus->objectName().isEmpty() && focus->parentWidget() != nullptr)
            focus = focus->parentWidget();
        return focus == nullptr ? QString() : focus->objectName();
    }
};

TEST_F(FocusWalk, TabReachesEveryButtonColumnByColumnAfterTheInputs) {
    // Tab types a tab in an editor; Ctrl+Tab leaves it.
    QTest::keyClick(ui.MatrixA, Qt::Key_Tab);
    EXPECT_TRUE(ui.MatrixA->toPlainText().startsWith(QLatin1Char('\t')));
    EXPECT_EQ(Focused(), QStringLiteral("RichEdit1"));
    QStringList walk{Press(Qt::Key_Tab, Qt::ControlModifier), Press(Qt::Key_Tab, Qt::ControlModifier)};
    for (int i = 0; i < 3 + 44; ++i) walk << Press(Qt::Key_Tab);
    walk << Press(Qt::Key_Tab, Qt::ControlModifier);
    QStringList expected{"RichEdit2", "Edit1", "ComboBox1", "RadioGroup1Item0"};
    for (const char* column : {"A", "B", "Both"})
        for (int row = 0; row < 15; ++row)
            for (const Operation& op : Operations())
                if (op.Row == row && OperationColumnName(op) == column) expected << QString::fromLatin1(op.Control);
    expected << "SpeedButton10"
             << "RichEdit3"
             << "SpeedButton3";
    EXPECT_EQ(walk, expected);
    // And back out of an editor.
    ui.MatrixB->setFocus();
    EXPECT_EQ(Press(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier), QStringLiteral("RichEdit1"));
}

TEST_F(FocusWalk, SpaceAndEnterPressTheFocusedButton) {
    auto* matrixA = Child<QToolButton>(window, "SpeedButton11");
    auto* matrixB = Child<QToolButton>(window, "SpeedButton12");
    matrixA->setFocus(Qt::TabFocusReason);
    QTest::keyClick(matrixA, Qt::Key_Space);
    window.WaitForCommand();
    matrixB->setFocus(Qt::TabFocusReason);
    QTest::keyClick(matrixB, Qt::Key_Return);
    window.WaitForCommand();
    const Inputs start{QStringLiteral("1 0 0\n0 1 0\n0 0 1\n"), QStringLiteral("1 0 0\n0 1 0\n0 0 1\n")};
    EXPECT_EQ(ui.Result->toPlainText(), RunCli(start, {"A", "B"}).Out);
    // The focused button wears the skin's frame colour at its edge.
    const QImage look = matrixB->grab().toImage();
    EXPECT_EQ(look.pixelColor(1, matrixB->height() / 2), QColor(0, 128, 192));
    matrixA->setFocus(Qt::TabFocusReason);
    EXPECT_NE(matrixB->grab().toImage().pixelColor(1, matrixB->height() / 2), QColor(0, 128, 192));
}

TEST_F(FocusWalk, AltFAndAltHDropTheMenusDown) {
    for (const auto& [key, name] : {std::pair{Qt::Key_F, "File1"}, std::pair{Qt::Key_H, "Help1"}}) {
        QMenu* menu = Child<QMenu>(window, name);
        bool shown = false;
        // The menu runs its own loop: look at it from inside and close it.
        QTimer::singleShot(50, menu, [menu, &shown] {
            shown = menu->isVisible();
            menu->hide();
        });
        QTest::keyClick(ui.MatrixA, key, Qt::AltModifier);
        QTest::qWait(100);
        EXPECT_TRUE(shown) << name;
    }
}

TEST_F(Keyboard, F1OpensTheManualAndEscExits) {
    Key(Qt::Key_F1);
    auto* help = window.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    // At the page of the control the keyboard was in: Matrix A's.
    EXPECT_EQ(help->CurrentPage(), QUrl(QStringLiteral("qrc:/manual/matrices.html")));
    EXPECT_TRUE(window.isVisible());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

class ContextMenus : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        test::SetInputs(window, state);
    }
    // Chooses the item of this name in one of the menus.
    void Trigger(const char* action) { Child<QAction>(window, action)->trigger(); }
    // What quorvix-cli's state is after `steps`.
    QJsonObject Cli(const QStringList& steps) { return RunCli(state, steps, true).Json; }
    void ExpectSameAs(const QJsonObject& json) {
        EXPECT_EQ(test::Lines(ui.MatrixA->toPlainText()), JsonLines(json, "a"));
        EXPECT_EQ(test::Lines(ui.MatrixB->toPlainText()), JsonLines(json, "b"));
        EXPECT_EQ(test::Lines(ui.Result->toPlainText()), JsonLines(json, "results"));
        EXPECT_EQ(ui.X->text(), json.value("x").toString());
    }

    Inputs state{QStringLiteral("1+i 2\n3 -i\n"), QStringLiteral("2(30) 1,5\n1  -4.25\n"), QStringLiteral("2i"),
                 QStringLiteral("3")};
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(ContextMenus, RightClickOpensEachEditorsMenu) {
    const std::pair<QPlainTextEdit*, QMenu*> pairs[] = {{ui.MatrixA, Child<QMenu>(window, "PopupMenu1")},
                                                        {ui.MatrixB, Child<QMenu>(window, "PopupMenu2")},
                                                        {ui.Result, Child<QMenu>(window, "PopupMenu3")}};
    for (const auto& [editor, menu] : pairs) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                                editor->viewport()->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(editor->viewport(), &event);
        EXPECT_TRUE(menu->isVisible()) << menu->objectName().toStdString();
        menu->hide();
    }
}

TEST_F(ContextMenus, TextToolsMatchQuorvixCli) {
    struct Case {
        const char* Action;
        QStringList Steps;
    };
    const Case cases[] = {
        {"PolarToRect1", {"polar-to-rect-a"}},
        {"RecttoPolar1", {"rect-to-polar-a"}},
        {"PolarToRect2", {"polar-to-rect-b"}},
        {"RecttoPolar2", {"rect-to-polar-b"}},
        {"Align1", {"align-a"}},
        {"Align2", {"align-b"}},
        {"Clear3", {"clear-a"}},
        {"MenuItem4", {"clear-b"}},
    };
    for (const Case& c : cases) {
        test::SetInputs(window, state);
        Trigger("Clear1");
        Trigger(c.Action);
        SCOPED_TRACE(c.Steps.join(' ').toStdString());
        ExpectSameAs(Cli(c.Steps));
    }
}

TEST_F(ContextMenus, FormatChoiceRewritesTheInputsAsQuorvixCliDoes) {
    QRadioButton* rectangular = Child<QRadioButton>(window, "RadioGroup1Item0");
    QTest::mouseClick(Child<QRadioButton>(window, "RadioGroup1Item1"), Qt::LeftButton);
    ExpectSameAs(Cli({"format=polar"}));
    Trigger("RecttoPolar2");
    ExpectSameAs(Cli({"format=polar", "rect-to-polar-b"}));
    QTest::mouseClick(rectangular, Qt::LeftButton);
    ExpectSameAs(Cli({"format=polar", "rect-to-polar-b", "format=rect"}));
    EXPECT_TRUE(rectangular->isChecked());
}

TEST_F(ContextMenus, FormatChoiceErrorKeepsTheNewItem) {
    ui.MatrixB->setPlainText(QStringLiteral("1(x)"));
    Inputs bad = state;
    bad.B = ui.MatrixB->toPlainText();
    const test::CliRun cli = RunCli(bad, {"format=polar", "format=rect"}, true);
    ASSERT_EQ(cli.Code, 1);
    const QJsonObject at = cli.Json.value("error_at").toObject();
    ASSERT_EQ(at.value("editor").toString(), QStringLiteral("B"));
    watchdog.ExpectMessage(QMessageBox::Critical,
                           cli.Json.value("error").toString() + QStringLiteral(".\nMatrix B, line %1, element %2")
                                                                    .arg(at.value("line").toInt())
                                                                    .arg(at.value("element").toInt()));
    QRadioButton* rectangular = Child<QRadioButton>(window, "RadioGroup1Item0");
    QTest::mouseClick(Child<QRadioButton>(window, "RadioGroup1Item1"), Qt::LeftButton);
    QTest::mouseClick(rectangular, Qt::LeftButton);
    EXPECT_EQ(watchdog.Pending(), 0);
    EXPECT_TRUE(rectangular->isChecked());
    ExpectSameAs(cli.Json);
}

TEST_F(ContextMenus, MarksSwapInTheResultPanelWithSuccessed) {
    ui.Precision->setEditText(QStringLiteral("2"));
    state.Precision = QStringLiteral("2");
    QTest::mouseClick(Child<QToolButton>(window, "SpeedButton37"), Qt::LeftButton);
    window.WaitForCommand();
    watchdog.ExpectMessage(QMessageBox::Warning, QStringLiteral("Successed!"));
    Trigger("dottocomma1");
    EXPECT_EQ(watchdog.Pending(), 0);
    ExpectSameAs(Cli({"Det(B)", "dot-to-comma"}));
    EXPECT_TRUE(ui.Result->toPlainText().contains(QLatin1Char(',')));
    watchdog.ExpectMessage(QMessageBox::Warning, QStringLiteral("Successed!"));
    Trigger("commatodot1");
    ExpectSameAs(Cli({"Det(B)", "dot-to-comma", "comma-to-dot"}));
    Trigger("Align3");
    ExpectSameAs(Cli({"Det(B)", "dot-to-comma", "comma-to-dot", "align-r"}));
    Trigger("Clear4");
    EXPECT_TRUE(ui.Result->toPlainText().isEmpty());
}

TEST_F(ContextMenus, CopyAndPasteThroughTheClipboard) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    ui.MatrixA->selectAll();
    Trigger("Copy1");
    EXPECT_EQ(clipboard->text(), state.A);
    ui.MatrixB->clear();
    Trigger("MenuItem2");
    EXPECT_EQ(ui.MatrixB->toPlainText(), state.A);
    ui.MatrixB->selectAll();
    ui.MatrixB->moveCursor(QTextCursor::NextWord, QTextCursor::KeepAnchor);
    QTextCursor cursor = ui.MatrixB->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    ui.MatrixB->setTextCursor(cursor);
    Trigger("MenuItem1");
    EXPECT_EQ(clipboard->text(), state.A.left(3));
    ui.Result->moveCursor(QTextCursor::End);
    Trigger("Paste2");
    EXPECT_EQ(ui.Result->toPlainText(), state.A.left(3));
    ui.Result->selectAll();
    Trigger("Copy2");
    EXPECT_EQ(clipboard->text(), state.A.left(3));
    ui.MatrixA->moveCursor(QTextCursor::End);
    Trigger("Paste1");
    EXPECT_EQ(ui.MatrixA->toPlainText(), state.A + state.A.left(3));
    // A command after the pasted panel text appends below it; A now has an
    // incomplete last row.
    QTest::mouseClick(Child<QToolButton>(window, "SpeedButton19"), Qt::LeftButton);
    window.WaitForCommand();
    EXPECT_TRUE(ui.Result->toPlainText().startsWith(
        state.A.left(3) +
        QStringLiteral("\nWarning : Matrix is incomplete, and the null elements will be replaced by zeros.\nDim(A)=")))
        << ui.Result->toPlainText().toStdString();
}

}  // namespace
}  // namespace quorvix
