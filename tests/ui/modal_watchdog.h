#pragma once
// Answers the modal dialogs a test expects (message boxes, file dialogs) and
// fails the test on any other one, closing it so that the test never hangs.
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

namespace quorvix::test {

class ModalWatchdog : public QObject {
public:
    ModalWatchdog();
    // Checks that every expected dialog came.
    ~ModalWatchdog() override;

    // A message box with this icon and exactly this text, answered with OK,
    // or with the button whose text is `answer`.
    void ExpectMessage(QMessageBox::Icon icon, const QString& text, const QString& answer = QString());
    // A file dialog of this object name; `path` is chosen, or the dialog is
    // cancelled when it is empty.
    void ExpectFileDialog(const QString& objectName, const QString& path);
    // Reads a file dialog's settings before it is answered.
    std::function<void(QWidget*)> OnFileDialog;

    int Pending() const { return static_cast<int>(expected_.size()); }

private:
    struct Expectation {
        bool Message = false;
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        QString Text;    // message text, or the file dialog's object name
        QString Path;    // the file dialog's choice
        QString Answer;  // the message box's button
    };
    void Check();

    QTimer timer_;
    std::deque<Expectation> expected_;
};

}  // namespace quorvix::test
