#include "window_driver.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "ui/main_window.h"

namespace quorvix::test {

QString CliRun::ErrorText() const {
    if (Code != 1) return {};
    QStringList lines = Err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // Where the error's text was follows on a line of its own ("  in the x
    // box"); the window's box has it as its second line.
    QString place;
    if (!lines.isEmpty() && lines.last().startsWith(QStringLiteral("  in "))) place = lines.takeLast().mid(5);
    if (lines.isEmpty()) return {};
    return place.isEmpty() ? lines.last() : lines.last() + QLatin1Char('\n') + place;
}

CliRun RunCli(const Inputs& inputs, const QStringList& steps, bool json) {
    QTemporaryDir dir;
    auto write = [&](const char* name, const QString& text) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return file.fileName();
    };
    QStringList args{QStringLiteral("-a"),     write("a.txt", inputs.A), QStringLiteral("-b"),
                     write("b.txt", inputs.B), QStringLiteral("-x"),     inputs.X,
                     QStringLiteral("-p"),     inputs.Precision,         QStringLiteral("--decimal-mark"),
                     QStringLiteral(".")};
    if (json) args << QStringLiteral("--json");
    args << steps;
    QProcess cli;
    cli.start(QStringLiteral(QUORVIX_CLI), args);
    EXPECT_TRUE(cli.waitForFinished(-1));
    CliRun run;
    run.Code = cli.exitCode();
    run.Out = QString::fromUtf8(cli.readAllStandardOutput());
    run.Err = QString::fromUtf8(cli.readAllStandardError());
    if (json) run.Json = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    return run;
}

Controls::Controls(const MainWindow& window)
    : MatrixA(Child<QPlainTextEdit>(window, "RichEdit1")), MatrixB(Child<QPlainTextEdit>(window, "RichEdit2")),
      Result(Child<QPlainTextEdit>(window, "RichEdit3")), X(Child<QLineEdit>(window, "Edit1")),
      Precision(Child<QComboBox>(window, "ComboBox1")) {}

void SetInputs(MainWindow& window, const Inputs& inputs) {
    const Controls ui(window);
    ui.MatrixA->setPlainText(inputs.A);
    ui.MatrixB->setPlainText(inputs.B);
    ui.X->setText(inputs.X);
    ui.Precision->setEditText(inputs.Precision);
}

void Click(MainWindow& window, QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(button->width() / 2, button->height() / 2));
    window.WaitForCommand();
}

QStringList Lines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

}  // namespace quorvix::test
