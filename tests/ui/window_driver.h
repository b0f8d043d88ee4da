#pragma once
// Drives the window the way a user does and asks quorvix-cli for what the
// same state gives, so that the two front ends can be compared.
#include <gtest/gtest.h>

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <string>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace quorvix {
class MainWindow;
}

namespace quorvix::test {

// The child of `parent` of this type and object name (the design's name of
// the control, "RichEdit1", "Clear1"). A missing one fails the test and
// ends it.
template <typename T>
T* Child(const QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        ADD_FAILURE() << "the window has no " << name;
        throw std::runtime_error(std::string("no child ") + name);
    }
    return child;
}

// The controls that hold the window's state.
struct Controls {
    explicit Controls(const MainWindow& window);
    QPlainTextEdit* MatrixA;  // "RichEdit1"
    QPlainTextEdit* MatrixB;  // "RichEdit2"
    QPlainTextEdit* Result;   // "RichEdit3"
    QLineEdit* X;             // "Edit1"
    QComboBox* Precision;     // "ComboBox1"
};

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
    // The error box text the window should show, or empty: the error with
    // its period, and where its text was on a second line.
    QString ErrorText() const;
};

// Runs quorvix-cli on `inputs` and `steps` (its step words).
CliRun RunCli(const Inputs& inputs, const QStringList& steps, bool json = false);

// Puts `inputs` into the window's controls.
void SetInputs(MainWindow& window, const Inputs& inputs);
// Clicks a button with the left mouse button and waits until its command ended.
void Click(MainWindow& window, QWidget* button);
// The editor's text as lines (as the CLI's JSON gives them).
QStringList Lines(const QString& text);

}  // namespace quorvix::test
