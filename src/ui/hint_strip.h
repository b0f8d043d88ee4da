#pragma once
// HintStrip: a line of text on the bottom border that tells the user a key
// they may be looking for ("Ctrl+Tab moves to the next field"). It shows for
// a few seconds and goes by itself.
#include <QLabel>
#include <QTimer>

namespace quorvix {

class HintStrip : public QLabel {
    Q_OBJECT

public:
    explicit HintStrip(QWidget* window);

    // Shows `text` for `milliseconds`, over whatever it showed before.
    void ShowHint(const QString& text, int milliseconds = 6000);

private:
    QTimer hideTimer_;
};

}  // namespace quorvix
