#pragma once
// HintLine: a line on the window's bottom border for what needs no answer
// and stops nothing: the hint a command gave (an editor that looks like
// comma-separated values, with the two ways to read it value by value) and
// the hint of the menu item the user has highlighted. It never takes the
// focus from what the user types, and it stays until its "x" or another
// hint replaces it.
#include <QString>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "commands/command_frame.h"

class QLabel;
class QPushButton;

namespace quorvix {

class HintLine : public QWidget {
    Q_OBJECT

public:
    // Along the bottom border of `window`, following its size.
    explicit HintLine(QWidget* window);

    // Shows a command's hint; one about an editor's text (it begins "Matrix
    // A" or "Matrix B") offers to paste or import that editor's matrix.
    void ShowHint(const QString& text);
    // Shows a menu item's hint while it is highlighted; an empty text puts
    // back the command's hint, if any.
    void ShowItemHint(const QString& text);
    // Shows a key the user may be looking for ("Ctrl+Tab moves to the next
    // field") for `milliseconds`; then the command's hint, if any, comes back.
    void ShowKeyHint(const QString& text, int milliseconds = 6000);
    QString Text() const;

signals:
    void PasteAsked(Operand which);
    void ImportAsked(Operand which);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();
    void ShowText(const QString& text, bool offers);

    QLabel* text_;
    QPushButton* paste_;
    QPushButton* import_;
    QPushButton* close_;
    QString hint_;                   // the command's hint shown, or empty
    std::optional<Operand> editor_;  // the editor it is about
    QTimer keyHintTimer_;            // ends a key hint
};

}  // namespace quorvix
