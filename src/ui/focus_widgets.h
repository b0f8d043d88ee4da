#pragma once
// The controls a keyboard user moves between: buttons that take the focus
// with Tab, show it with a frame in the skin's colours and are pressed with
// Space or Enter; and editors in which Tab types a tab (it separates
// elements) while Ctrl+Tab and Ctrl+Shift+Tab move on, or in which Tab
// moves on as well (the result panel, whose text is no element input).
#include <QPlainTextEdit>
#include <QToolButton>

namespace quorvix {

class FocusButton : public QToolButton {
    Q_OBJECT

public:
    explicit FocusButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class TabTypingEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TabTypingEditor(QWidget* parent = nullptr);
    // Moves the focus on (Ctrl+Tab) or back (Ctrl+Shift+Tab).
    void MoveFocus(bool next);

signals:
    // The first Tab typed as text since the editor got the focus from
    // another control: the user may be looking for the way out.
    void FirstTabTyped();

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool tabTyped_ = false;
};

// The frame drawn around the focused button: the skin's frame colour of a
// selected menu item, two pixels wide, just inside `rect`.
void DrawFocusFrame(QPainter& canvas, const QRect& rect);

}  // namespace quorvix
