#pragma once
// The strip on the bottom border that shows while a long command runs: the
// Cancel button, a progress bar, the time the command has taken and an
// estimate of the time left. The bar is filled from the engine's own progress
// record, read a few times a second: the whole command's fraction where it is
// known (for a power, its products done and the running one's part; for
// Auto, its commands done), which never goes back; for Auto it also says
// which command runs.
#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include "core/cancel.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace quorvix {

// What the bar shows for a progress record.
struct ProgressView {
    int Maximum = 0;  // 0 with Value 0: the routine cannot tell how far it is
    int Value = 0;
    QString Text;  // the bar's caption
};
ProgressView ViewOf(const Progress& progress);

class BusyStrip : public QWidget {
    Q_OBJECT

public:
    explicit BusyStrip(QWidget* parent);

    // A command starts: the clock runs from now (the strip stays hidden).
    void Start();
    // The command has run for a moment: show the strip and follow the progress.
    void Reveal();
    // The command has ended.
    void Stop();
    // Reads the engine's progress once and shows it.
    void Poll();

signals:
    void CancelClicked();

private:
    QPushButton* cancelButton_;
    QProgressBar* progressBar_;
    QLabel* elapsed_;
    QTimer* pollTimer_;
    QElapsedTimer clock_;
};

}  // namespace quorvix
