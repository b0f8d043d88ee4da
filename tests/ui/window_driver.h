#pragma once
// Drives the window the way a user does and asks quorvix-cli for what the
// same state gives, so that the two front ends can be compared.
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace quorvix {
class TForm1;
}

namespace quorvix::test {

// The inputs of the window: the editors' texts, x and the precision box.
struct Inputs {
    QString A;
    QString B;
    QString X = QStringLiteral("1");
    QString Precision = QStringLiteral("3");
};

struct CliRun {
    QString Out;  // the result panel, one line per line
    QString Err;  // notices, then the error text with its period
    int Code = -1;
    QJsonObject Json;  // with json: a, b, x, precision, format, results, error, notices
    // The error box text the window should show, or empty.
    QString ErrorText() const;
};

// Runs quorvix-cli on `inputs` and `steps` (its step words).
CliRun RunCli(const Inputs& inputs, const QStringList& steps, bool json = false);

// Puts `inputs` into the window's controls.
void SetInputs(TForm1& form, const Inputs& inputs);
// Clicks a button with the left mouse button and waits until its command ended.
void Click(TForm1& form, QWidget* button);
// The editor's text as lines (as the CLI's JSON gives them).
QStringList Lines(const QString& text);

}  // namespace quorvix::test
