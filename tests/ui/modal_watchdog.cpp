#include "modal_watchdog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>

namespace quorvix::test {

ModalWatchdog::ModalWatchdog() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::Check);
    timer_.start();
}

ModalWatchdog::~ModalWatchdog() {
    for (const Expectation& e : expected_) ADD_FAILURE() << "an expected dialog did not come: " << e.Text.toStdString();
}

void ModalWatchdog::ExpectMessage(QMessageBox::Icon icon, const QString& text, const QString& answer) {
    expected_.push_back({true, icon, text, {}, answer});
}

void ModalWatchdog::ExpectFileDialog(const QString& objectName, const QString& path) {
    expected_.push_back({false, QMessageBox::NoIcon, objectName, path, {}});
}

void ModalWatchdog::Check() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    auto* dialog = qobject_cast<QDialog*>(modal);
    auto* box = qobject_cast<QMessageBox*>(modal);
    auto* files = qobject_cast<QFileDialog*>(modal);
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected modal dialog " << modal->metaObject()->className() << ": "
                      << (box ? box->text().toStdString() : modal->objectName().toStdString());
        if (dialog)
            dialog->reject();
        else
            modal->close();
        return;
    }
    const Expectation e = expected_.front();
    expected_.pop_front();
    if (e.Message) {
        if (box == nullptr) {
            ADD_FAILURE() << "expected a message box \"" << e.Text.toStdString() << "\", got "
                          << modal->metaObject()->className();
            if (dialog) dialog->reject();
            return;
        }
        EXPECT_EQ(box->icon(), e.Icon) << box->text().toStdString();
        EXPECT_EQ(box->text().toStdString(), e.Text.toStdString());
        if (e.Answer.isEmpty()) {
            box->done(QMessageBox::Ok);
            return;
        }
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == e.Answer) {
                button->click();
                return;
            }
        }
        ADD_FAILURE() << "the box has no button " << e.Answer.toStdString();
        box->reject();
        return;
    }
    if (files == nullptr) {
        ADD_FAILURE() << "expected the file dialog " << e.Text.toStdString() << ", got "
                      << modal->metaObject()->className()
                      << (box ? " \"" + box->text().toStdString() + "\"" : std::string());
        if (dialog) dialog->reject();
        return;
    }
    EXPECT_EQ(files->objectName().toStdString(), e.Text.toStdString());
    if (OnFileDialog) OnFileDialog(files);
    if (e.Path.isEmpty()) {
        files->reject();
        return;
    }
    files->selectFile(e.Path);
    static_cast<QDialog*>(files)->accept();
}

}  // namespace quorvix::test
