#pragma once
// TitleFrame: what stands in for the frame the borderless window does not
// have. The title bar with the program's icon and caption, the strip the
// menu bar lies on, the side and bottom borders, the minimize and close
// buttons and the window's rounded outline. It is as large as the window and
// lies under the window's other controls.
//
// The maximize button and a double click on the title bar maximize the
// window and restore it; the side and bottom borders resize it.
#include <QWidget>
#include <vector>

namespace quorvix {

class ImageButton;
class SkinImage;

class TitleFrame : public QWidget {
    Q_OBJECT

public:
    // Covers `window`; drawn by the first Redraw().
    explicit TitleFrame(QWidget* window);

    // Draws the frame for the window's size: the outline, the strips, the
    // title-bar buttons' places and the title. The window calls it once it
    // is built and at every size the platform reports, so that it looks the
    // same whatever the platform did to it. The buttons come out on top of
    // whatever lies on the frame (the menu bar).
    void Redraw();

    // The controls that move, resize, maximize, minimize and close the
    // window: they stay usable while a command runs.
    std::vector<QWidget*> WindowControls() const;

signals:
    // The left button went down on the title bar of a window that is not
    // maximized: the window is to follow the mouse.
    void MoveAsked();
    // The left button went down on a border of a window that is not
    // maximized: that edge (or corner) is to follow the mouse.
    void ResizeAsked(Qt::Edges edges);

public:
    // Maximizes the window, or restores the size it had before.
    void ToggleMaximized();

private:
    void WatchBorder(SkinImage* border, Qt::Edges edges);
    void BuildStrips();
    void PlaceTitleButtons();
    void DrawTitle();

    SkinImage* titleBar_;
    SkinImage* menuBarStrip_;
    SkinImage* bottomBorder_;
    SkinImage* leftBorder_;
    SkinImage* rightBorder_;
    // The title-bar buttons, right to left from close.
    std::vector<ImageButton*> titleButtons_;
};

}  // namespace quorvix
