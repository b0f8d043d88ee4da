#pragma once
// InputGate: while a command runs the window takes no input. Keys, clicks,
// the wheel, menus asked for, text from an input method and dropped files
// meant for the window are dropped, not kept for later: a click or a key
// meant for the window as it was could land on changed results. Esc is told
// instead (it stops the command), and a few controls stay usable.
#include <QEvent>
#include <QObject>
#include <vector>

class QWidget;

namespace quorvix {

class InputGate : public QObject {
    Q_OBJECT

public:
    explicit InputGate(QWidget* window);
    ~InputGate() override;

    // `widget` and what it holds stay usable (Cancel, the title bar and its
    // buttons: moving, minimizing or closing the window stops nothing, or
    // stops the command first).
    void KeepUsable(QWidget* widget);
    // The scroll bars and the wheel of `editor` stay usable: looking changes
    // nothing.
    void KeepScrollable(QWidget* editor);

    // Drops the window's input from now on, until EndDropping().
    void BeginDropping();
    void EndDropping();

signals:
    // Esc was pressed on the window while its input is dropped.
    void EscapePressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Drops(QObject* watched, QEvent::Type type) const;

    QWidget* window_;
    std::vector<QWidget*> usable_;
    std::vector<QWidget*> scrollable_;
    bool dropping_ = false;
};

}  // namespace quorvix
