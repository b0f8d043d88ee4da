// Matrices from other programs and projects that keep everything, in the
// window: "Import matrix into A/B…" of a Matrix Market and a CSV file,
// "Paste as matrix", the comma hint on the bottom border, a Matrix Market
// file given to "Open project", a .qvx round trip with complex and polar
// input, and the refusal of complex elements in a .mtx project.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "menu_driver.h"
#include "modal_watchdog.h"
#include "ui/main_window.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;
using test::Choose;
using test::Inputs;
using test::ModalWatchdog;
using test::RunCli;

QStringList JsonLines(const QJsonObject& json, const char* key) {
    QStringList lines;
    for (const QJsonValue& v : json.value(QString::fromLatin1(key)).toArray()) lines << v.toString();
    return lines;
}

class Exchange : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        test::SetInputs(window, inputs);
    }
    QString Write(const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QStringList CliEditor(const QStringList& steps, const char* editor) {
        const test::CliRun cli = RunCli(inputs, steps, true);
        EXPECT_EQ(cli.Code, 0) << cli.Err.toStdString();
        return JsonLines(cli.Json, editor);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        if (!window.isActiveWindow()) {
            window.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        }
        QTest::keyClick(ui.MatrixA, static_cast<Qt::Key>(key), modifiers);
        window.WaitForCommand();
    }

    Inputs inputs{QStringLiteral("1 2\n3 4"), QStringLiteral("5 6\n7 8")};
    QTemporaryDir dir;
    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(Exchange, ImportAMatrixMarketFileIntoAWithItsKey) {
    const QString path = Write("m.mtx",
                               "%%MatrixMarket matrix coordinate real symmetric\n% a comment\n3 3 4\n1 1 2.5\n2 1 "
                               "-1e-7\n3 3 4\n3 2 0.1\n");
    watchdog.ExpectFileDialog(QStringLiteral("ImportDialog"), path);
    Key(Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(test::Lines(ui.MatrixA->toPlainText()), CliEditor({QStringLiteral("import-a=") + path}, "a"));
    EXPECT_EQ(ui.MatrixB->toPlainText(), inputs.B);
    // One undo step takes it back.
    ui.MatrixA->undo();
    EXPECT_EQ(ui.MatrixA->toPlainText(), inputs.A);
}

TEST_F(Exchange, ImportACsvFileIntoBFromTheFileMenu) {
    const QString path = Write("m.csv", "1.5,2\n3,4.25\n");
    watchdog.ExpectFileDialog(QStringLiteral("ImportDialog"), path);
    Child<QAction>(window, "ImportB")->trigger();
    window.WaitForCommand();
    EXPECT_EQ(test::Lines(ui.MatrixB->toPlainText()), QStringList({"1.5 2", "3 4.25"}));
    EXPECT_EQ(test::Lines(ui.MatrixB->toPlainText()), CliEditor({QStringLiteral("import-b=") + path}, "b"));
}

TEST_F(Exchange, ARaggedCsvSaysWhereAndChangesNothing) {
    const QString path = Write("bad.csv", "1,2,3\n4,5\n");
    const test::CliRun cli = RunCli(inputs, {QStringLiteral("import-a=") + path});
    ASSERT_EQ(cli.Code, 1);
    watchdog.ExpectFileDialog(QStringLiteral("ImportDialog"), path);
    watchdog.ExpectMessage(QMessageBox::Critical, cli.ErrorText());
    Key(Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(ui.MatrixA->toPlainText(), inputs.A);
}

TEST_F(Exchange, PasteAsMatrixReadsOctaveAndNumpyText) {
    QApplication::clipboard()->setText(QStringLiteral("[1 2; 3 4.5]"));
    Choose(window, Child<QAction>(window, "PasteAsMatrix1"));
    EXPECT_EQ(test::Lines(ui.MatrixA->toPlainText()), QStringList({"1 2", "3 4.5"}));
    QApplication::clipboard()->setText(QStringLiteral("np.array([[1, 2+1j], [3, 4]])"));
    Choose(window, Child<QAction>(window, "PasteAsMatrix2"));
    const QString file = Write("numpy.py", "np.array([[1, 2+1j], [3, 4]])");
    EXPECT_EQ(test::Lines(ui.MatrixB->toPlainText()), CliEditor({QStringLiteral("import-b=") + file}, "b"));
}

TEST_F(Exchange, TheCommaHintShowsOnTheBottomBorderAndOffersPasteAsMatrix) {
    ui.MatrixA->setPlainText(QStringLiteral("1,2\n3,4"));
    test::RunStep(window, "A'");
    const test::CliRun cli = RunCli({QStringLiteral("1,2\n3,4"), {}}, {QStringLiteral("A'")}, true);
    const QJsonArray notices = cli.Json.value(QStringLiteral("notices")).toArray();
    ASSERT_FALSE(notices.isEmpty());
    auto* hint = Child<QWidget>(window, "HintLine");
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(Child<QLabel>(window, "HintText")->text(), notices.last().toString());
    // No modal box: the watchdog would have failed the test. The offer reads
    // the values one by one.
    QApplication::clipboard()->setText(QStringLiteral("1,2\n3,4"));
    auto* paste = Child<QPushButton>(window, "HintPasteAsMatrix");
    ASSERT_TRUE(paste->isVisible());
    paste->click();
    window.WaitForCommand();
    EXPECT_EQ(test::Lines(ui.MatrixA->toPlainText()), QStringList({"1 2", "3 4"}));
    // Once per text: the same text again gives no new hint.
    Child<QPushButton>(window, "HintClose")->click();
    EXPECT_FALSE(hint->isVisible());
    test::RunStep(window, "A'");
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(Exchange, OpenProjectOnAMatrixMarketFileOffersToImportIt) {
    const QString path = Write("m.mtx", "%%MatrixMarket matrix array real general\n2 1\n7\n8\n");
    watchdog.ExpectFileDialog(QStringLiteral("OpenDialog1"), path);
    watchdog.ExpectMessage(
        QMessageBox::Question,
        QStringLiteral("\"%1\" is a Matrix Market file, not a project: import it into Matrix A or B.").arg(path),
        QStringLiteral("Into Matrix &B"));
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(test::Lines(ui.MatrixB->toPlainText()), QStringList({"7", "8"}));
    EXPECT_EQ(ui.MatrixA->toPlainText(), inputs.A);

    // Cancel changes nothing.
    watchdog.ExpectMessage(
        QMessageBox::Question,
        QStringLiteral("\"%1\" is a Matrix Market file, not a project: import it into Matrix A or B.").arg(path),
        QStringLiteral("Cancel"));
    window.OpenProjectFile(path.toStdString());
    window.WaitForCommand();
    EXPECT_EQ(ui.MatrixA->toPlainText(), inputs.A);
}

TEST_F(Exchange, ATextProjectKeepsComplexAndPolarInputAndTheResults) {
    const QString a = QStringLiteral("10+5i 2\n-3i 4(30)");
    ui.MatrixA->setPlainText(a);
    ui.MatrixB->clear();
    ui.X->setText(QStringLiteral("2"));
    test::RunStep(window, "inv(A)");
    const QString panel = ui.Result->toPlainText();
    // A complex editor makes the text project the default: "work" gets ".qvx".
    QString suffix;
    watchdog.OnFileDialog = [&](QWidget* w) { suffix = static_cast<QFileDialog*>(w)->defaultSuffix(); };
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog2"), dir.filePath(QStringLiteral("work")));
    Key(Qt::Key_F2);
    EXPECT_EQ(suffix, QStringLiteral("qvx"));
    const QString project = dir.filePath(QStringLiteral("work.qvx"));
    ASSERT_TRUE(QFile::exists(project));

    ui.MatrixA->setPlainText(QStringLiteral("1"));
    ui.MatrixB->setPlainText(QStringLiteral("9"));
    ui.X->setText(QStringLiteral("7"));
    Child<QAction>(window, "Clear1")->trigger();
    watchdog.ExpectFileDialog(QStringLiteral("OpenDialog1"), project);
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(ui.MatrixA->toPlainText().trimmed(), a);
    EXPECT_TRUE(ui.MatrixB->toPlainText().isEmpty()) << "an editor saved empty opens empty";
    EXPECT_EQ(ui.X->text(), QStringLiteral("2"));
    EXPECT_EQ(ui.Result->toPlainText(), panel);
    // The results came back with their values: Use as works on them.
    Key(Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(test::Lines(ui.MatrixB->toPlainText()),
              CliEditor({QStringLiteral("open=") + project, QStringLiteral("use-b")}, "b"));
}

TEST_F(Exchange, ComplexElementsAreNotSavedIntoAMtxProject) {
    ui.MatrixA->setPlainText(QStringLiteral("10+5i 2\n3 4"));
    const QString path = dir.filePath(QStringLiteral("work.mtx"));
    const test::CliRun cli =
        RunCli({QStringLiteral("10+5i 2\n3 4"), inputs.B}, {QStringLiteral("save=") + dir.filePath("cli.mtx")});
    ASSERT_EQ(cli.Code, 1);
    watchdog.ExpectFileDialog(QStringLiteral("SaveDialog2"), path);
    watchdog.ExpectMessage(QMessageBox::Critical, cli.ErrorText());
    Key(Qt::Key_F2);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(cli.ErrorText().contains(QStringLiteral(".qvx")));
}

}  // namespace
}  // namespace quorvix
