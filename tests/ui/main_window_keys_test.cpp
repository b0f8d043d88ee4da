// The window with the keyboard alone: the menu keys open the file dialogs,
// save and open projects and results, clear, run Auto, open the manual and
// exit; and the editors' context menus reach the text tools.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QJsonArray>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "modal_watchdog.h"
#include "ui/main_window.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Inputs;
using test::ModalWatchdog;
using test::RunCli;

QStringList JsonLines(const QJsonObject& json, const char* key) {
    QStringList lines;
    for (const QJsonValue& v : json.value(QString::fromLatin1(key)).toArray()) lines << v.toString();
    return lines;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.RichEdit1->setFocus();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        // The window has the keyboard again once a dialog it opened is gone.
        if (!form.isActiveWindow()) {
            form.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        }
        QTest::keyClick(form.RichEdit1, static_cast<Qt::Key>(key), modifiers);
        form.WaitForCommand();
    }
    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    ModalWatchdog watchdog;
    TForm1 form;
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
    EXPECT_EQ(savedFilters, QStringLiteral("Matrix Project File (*.mtx)"));
    EXPECT_EQ(savedSuffix, QStringLiteral("mtx"));
    // Two 3 x 3 integer matrices, x and p: 10 + 4 + (8 + 90) * 2 bytes.
    EXPECT_EQ(FileBytes(File("work.mtx")).size(), 210);

    form.RichEdit1->setPlainText(QStringLiteral("9"));
    form.RichEdit2->setPlainText(QStringLiteral("8"));
    form.Edit1->setText(QStringLiteral("5"));
    form.ComboBox1->setEditText(QStringLiteral("2"));
    watchdog.ExpectFileDialog(QStringLiteral("OpenDialog1"), File("work.mtx"));
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(openFilters, QStringLiteral("Matrix Project File (*.mtx)"));
    EXPECT_EQ(QDir(openFolder), QDir(QCoreApplication::applicationDirPath()));
    const Inputs changed{QStringLiteral("9"), QStringLiteral("8"), QStringLiteral("5"), QStringLiteral("2")};
    const test::CliRun cli = RunCli(changed, {QStringLiteral("open=") + File("work.mtx")}, true);
    EXPECT_EQ(test::Lines(form.RichEdit1->toPlainText()), JsonLines(cli.Json, "a"));
    EXPECT_EQ(test::Lines(form.RichEdit2->toPlainText()), JsonLines(cli.Json, "b"));
    EXPECT_EQ(form.Edit1->text(), cli.Json.value("x").toString());
    EXPECT_EQ(form.ComboBox1->currentText(), cli.Json.value("precision").toString());
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("1"));
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("3"));

    // A cancelled dialog does nothing.
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog2"), QString());
    Key(Qt::Key_F2);
    EXPECT_FALSE(QFile::exists(File("work.mtx.mtx")));
}

TEST_F(Keyboard, SavingPrecisionEIsRefused) {
    form.ComboBox1->setEditText(QStringLiteral("e"));
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog2"), File("e.mtx"));
    watchdog.ExpectMessage(QMessageBox::Critical, QStringLiteral("'e' is not a valid integer value."));
    Key(Qt::Key_F2);
    EXPECT_FALSE(QFile::exists(File("e.mtx")));
}

TEST_F(Keyboard, F5F3F8AutoSaveAndClear) {
    const Inputs start{QStringLiteral("1 0 0\n0 1 0\n0 0 1\n"), QStringLiteral("1 0 0\n0 1 0\n0 0 1\n")};
    Key(Qt::Key_F5);
    EXPECT_EQ(form.RichEdit3->toPlainText(), RunCli(start, {"Auto"}).Out);

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
    form.Save2->trigger();
    form.WaitForCommand();
    EXPECT_EQ(FileBytes(File("again.rtf")), FileBytes(File("cli.txt")));

    Key(Qt::Key_F8);
    EXPECT_TRUE(form.RichEdit3->toPlainText().isEmpty());
    EXPECT_EQ(form.RichEdit1->toPlainText(), start.A);
}

class ShellRecorder : public QObject {
    Q_OBJECT

public:
    ShellRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~ShellRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST_F(Keyboard, F1OpensTheManualAndEscExits) {
    ShellRecorder shell;
    Key(Qt::Key_F1);
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_TRUE(shell.opened[0].toLocalFile().endsWith(QStringLiteral("/matrix.chm")));
    EXPECT_TRUE(form.isVisible());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}

class ContextMenus : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        test::SetInputs(form, state);
    }
    // What quorvix-cli's state is after `steps`.
    QJsonObject Cli(const QStringList& steps) { return RunCli(state, steps, true).Json; }
    void ExpectSameAs(const QJsonObject& json) {
        EXPECT_EQ(test::Lines(form.RichEdit1->toPlainText()), JsonLines(json, "a"));
        EXPECT_EQ(test::Lines(form.RichEdit2->toPlainText()), JsonLines(json, "b"));
        EXPECT_EQ(test::Lines(form.RichEdit3->toPlainText()), JsonLines(json, "results"));
        EXPECT_EQ(form.Edit1->text(), json.value("x").toString());
    }

    Inputs state{QStringLiteral("1+i 2\n3 -i\n"), QStringLiteral("2(30) 1,5\n1  -4.25\n"), QStringLiteral("2i"),
                 QStringLiteral("3")};
    ModalWatchdog watchdog;
    TForm1 form;
};

TEST_F(ContextMenus, RightClickOpensEachEditorsMenu) {
    const std::pair<QPlainTextEdit*, QMenu*> pairs[] = {
        {form.RichEdit1, form.PopupMenu1}, {form.RichEdit2, form.PopupMenu2}, {form.RichEdit3, form.PopupMenu3}};
    for (const auto& [editor, menu] : pairs) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), editor->viewport()->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(editor->viewport(), &event);
        EXPECT_TRUE(menu->isVisible()) << menu->objectName().toStdString();
        menu->hide();
    }
}

TEST_F(ContextMenus, TextToolsMatchQuorvixCli) {
    struct Case {
        QAction* Action;
        QStringList Steps;
    };
    const Case cases[] = {
        {form.PolarToRect1, {"polar-to-rect-a"}}, {form.RecttoPolar1, {"rect-to-polar-a"}},
        {form.PolarToRect2, {"polar-to-rect-b"}}, {form.RecttoPolar2, {"rect-to-polar-b"}},
        {form.Align1, {"align-a"}},               {form.Align2, {"align-b"}},
        {form.Clear3, {"clear-a"}},               {form.MenuItem4, {"clear-b"}},
    };
    for (const Case& c : cases) {
        test::SetInputs(form, state);
        form.Clear1->trigger();
        c.Action->trigger();
        SCOPED_TRACE(c.Steps.join(' ').toStdString());
        ExpectSameAs(Cli(c.Steps));
    }
}

TEST_F(ContextMenus, FormatChoiceRewritesTheInputsAsQuorvixCliDoes) {
    QTest::mouseClick(form.RadioGroup1Polar, Qt::LeftButton);
    ExpectSameAs(Cli({"format=polar"}));
    form.RecttoPolar2->trigger();
    ExpectSameAs(Cli({"format=polar", "rect-to-polar-b"}));
    QTest::mouseClick(form.RadioGroup1Rectangular, Qt::LeftButton);
    ExpectSameAs(Cli({"format=polar", "rect-to-polar-b", "format=rect"}));
    EXPECT_TRUE(form.RadioGroup1Rectangular->isChecked());
}

TEST_F(ContextMenus, FormatChoiceErrorKeepsTheNewItem) {
    form.RichEdit2->setPlainText(QStringLiteral("1(x)"));
    Inputs bad = state;
    bad.B = form.RichEdit2->toPlainText();
    const test::CliRun cli = RunCli(bad, {"format=polar", "format=rect"}, true);
    ASSERT_EQ(cli.Code, 1);
    watchdog.ExpectMessage(QMessageBox::Critical, cli.Json.value("error").toString() + QLatin1Char('.'));
    QTest::mouseClick(form.RadioGroup1Polar, Qt::LeftButton);
    QTest::mouseClick(form.RadioGroup1Rectangular, Qt::LeftButton);
    EXPECT_EQ(watchdog.Pending(), 0);
    EXPECT_TRUE(form.RadioGroup1Rectangular->isChecked());
    ExpectSameAs(cli.Json);
}

TEST_F(ContextMenus, MarksSwapInTheResultPanelWithSuccessed) {
    form.ComboBox1->setEditText(QStringLiteral("2"));
    state.Precision = QStringLiteral("2");
    QTest::mouseClick(form.OperationButtons.at("SpeedButton37"), Qt::LeftButton);
    form.WaitForCommand();
    watchdog.ExpectMessage(QMessageBox::Warning, QStringLiteral("Successed!"));
    form.dottocomma1->trigger();
    EXPECT_EQ(watchdog.Pending(), 0);
    ExpectSameAs(Cli({"Det(B)", "dot-to-comma"}));
    EXPECT_TRUE(form.RichEdit3->toPlainText().contains(QLatin1Char(',')));
    watchdog.ExpectMessage(QMessageBox::Warning, QStringLiteral("Successed!"));
    form.commatodot1->trigger();
    ExpectSameAs(Cli({"Det(B)", "dot-to-comma", "comma-to-dot"}));
    form.Align3->trigger();
    ExpectSameAs(Cli({"Det(B)", "dot-to-comma", "comma-to-dot", "align-r"}));
    form.Clear4->trigger();
    EXPECT_TRUE(form.RichEdit3->toPlainText().isEmpty());
}

TEST_F(ContextMenus, CopyAndPasteThroughTheClipboard) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    form.RichEdit1->selectAll();
    form.Copy1->trigger();
    EXPECT_EQ(clipboard->text(), state.A);
    form.RichEdit2->clear();
    form.MenuItem2->trigger();
    EXPECT_EQ(form.RichEdit2->toPlainText(), state.A);
    form.RichEdit2->selectAll();
    form.RichEdit2->moveCursor(QTextCursor::NextWord, QTextCursor::KeepAnchor);
    QTextCursor cursor = form.RichEdit2->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    form.RichEdit2->setTextCursor(cursor);
    form.MenuItem1->trigger();
    EXPECT_EQ(clipboard->text(), state.A.left(3));
    form.RichEdit3->moveCursor(QTextCursor::End);
    form.Paste2->trigger();
    EXPECT_EQ(form.RichEdit3->toPlainText(), state.A.left(3));
    form.RichEdit3->selectAll();
    form.Copy2->trigger();
    EXPECT_EQ(clipboard->text(), state.A.left(3));
    form.RichEdit1->moveCursor(QTextCursor::End);
    form.Paste1->trigger();
    EXPECT_EQ(form.RichEdit1->toPlainText(), state.A + state.A.left(3));
    // A command after the pasted panel text appends below it; A now has an
    // incomplete last row.
    QTest::mouseClick(form.OperationButtons.at("SpeedButton19"), Qt::LeftButton);
    form.WaitForCommand();
    EXPECT_TRUE(form.RichEdit3->toPlainText().startsWith(
        state.A.left(3) +
        QStringLiteral("\nWarning : Matrix is incomplete, and the null elements will be replaced by zeros.\nDim(A)=")))
        << form.RichEdit3->toPlainText().toStdString();
}

}  // namespace
}  // namespace quorvix

#include "main_window_keys_test.moc"
