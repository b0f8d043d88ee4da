#pragma once
// AboutBox: what "Homepage" and "Home" show when the build names no home
// page. The program's name and version, one sentence of what it is, its
// licence, the Qt it was built with and runs on, and a button that opens the
// manual.
#include <QDialog>

class QLabel;

namespace quorvix {

class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);

    // The About box of `owner`, made on first use and shown in front of it
    // (modal to that window, without blocking the caller).
    static AboutBox* ShowFor(QWidget* owner);

    // The box's text as shown, one paragraph a line.
    QString Text() const;

private:
    void OpenManual();

    QList<QLabel*> paragraphs_;
};

}  // namespace quorvix
