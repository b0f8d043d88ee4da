#include "ui/title_frame.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/control_look.h"
#include "ui/image_button.h"
#include "ui/skin.h"
#include "ui/skin_widgets.h"

namespace quorvix {

namespace {

// A title-bar button with its three cells of the skin's button picture.
ImageButton* TitleButton(QWidget* parent, const char* name, int width, const TitleButtonCells& cells) {
    auto* button = Named(new ImageButton(parent), name);
    button->setGeometry(0, 0, width, 25);
    button->SetPic(cells.Pic);
    button->SetPicUp(cells.PicUp);
    button->SetPicDown(cells.PicDown);
    return button;
}

}  // namespace

TitleFrame::TitleFrame(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("TitleFrame"));
    setGeometry(window->rect());
    const int w = width(), h = height();
    titleBar_ = Picture(this, "Image1", QRect(0, 0, w, 25), QString());
    menuBarStrip_ = Picture(this, "Image3", QRect(0, 25, w, 28), QString());
    bottomBorder_ = Picture(this, "Image2", QRect(0, h - 30, w, 30), QString());
    leftBorder_ = Picture(this, "Image9", QRect(0, 53, 8, h - 83), QStringLiteral("ImageLeft.png"), true);
    rightBorder_ = Picture(this, "Image10", QRect(w - 8, 53, 8, h - 83), QStringLiteral("ImageRight.png"), true);
    connect(titleBar_, &SkinImage::MouseDown, this, [this](QMouseEvent* event) {
        if (!this->window()->isMaximized() && event->button() == Qt::LeftButton) emit MoveAsked();
    });
    connect(titleBar_, &SkinImage::DoubleClicked, this, &TitleFrame::ToggleMaximized);
    WatchBorder(leftBorder_, Qt::LeftEdge);
    WatchBorder(rightBorder_, Qt::RightEdge);
    WatchBorder(bottomBorder_, Qt::BottomEdge);

    ImageButton* minimize = TitleButton(this, "ImgBtnMin", 27, CutTitleButtonCells(Skin().ImageM, 0, 27, 20));
    ImageButton* maximize = TitleButton(this, "ImgBtnMax", 25, CutTitleButtonCells(Skin().ImageM, 27, 25, 20));
    ImageButton* close = TitleButton(this, "ImgBtnClose", 49, CutTitleButtonCells(Skin().ImageM, 52, 42, 20));
    maximize->setToolTip(QStringLiteral("Maximize or restore"));
    connect(minimize, &ImageButton::Clicked, this, [this] { this->window()->showMinimized(); });
    connect(maximize, &ImageButton::Clicked, this, &TitleFrame::ToggleMaximized);
    connect(close, &ImageButton::Clicked, this, [this] { this->window()->close(); });
    titleButtons_ = {close, maximize, minimize};
}

void TitleFrame::ToggleMaximized() {
    QWidget* window = this->window();
    if (window->isMaximized())
        window->showNormal();
    else
        window->showMaximized();
}

void TitleFrame::WatchBorder(SkinImage* border, Qt::Edges edges) {
    // The last few pixels of a border's ends take the corner too.
    constexpr int kCorner = 16;
    border->setCursor(edges == Qt::BottomEdge ? Qt::SizeVerCursor : Qt::SizeHorCursor);
    connect(border, &SkinImage::MouseDown, this, [this, border, edges](QMouseEvent* event) {
        if (this->window()->isMaximized() || event->button() != Qt::LeftButton) return;
        Qt::Edges at = edges;
        const QPoint p = event->position().toPoint();
        if (edges == Qt::BottomEdge) {
            if (p.x() < kCorner) at |= Qt::LeftEdge;
            if (p.x() >= border->width() - kCorner) at |= Qt::RightEdge;
        } else if (p.y() >= border->height() - kCorner) {
            at |= Qt::BottomEdge;
        }
        emit ResizeAsked(at);
    });
}

void TitleFrame::Redraw() {
    // The rounded outline stands in for the frame the window does not have.
    QWidget* window = this->window();
    window->setMask(RoundedWindowRegion(window->size()));
    setGeometry(window->rect());
    const int w = width(), h = height();
    titleBar_->setGeometry(0, 0, w, 25);
    menuBarStrip_->setGeometry(0, 25, w, 28);
    bottomBorder_->setGeometry(0, h - 30, w, 30);
    leftBorder_->setGeometry(0, 53, 8, h - 83);
    rightBorder_->setGeometry(w - 8, 53, 8, h - 83);
    BuildStrips();
    PlaceTitleButtons();
    DrawTitle();
}

std::vector<QWidget*> TitleFrame::WindowControls() const {
    std::vector<QWidget*> controls{titleBar_, leftBorder_, rightBorder_, bottomBorder_};
    controls.insert(controls.end(), titleButtons_.begin(), titleButtons_.end());
    return controls;
}

void TitleFrame::BuildStrips() {
    titleBar_->SetPicture(ThreeSliceStrip(titleBar_->size(), Skin().ImageTop, 25, 100));
    bottomBorder_->SetPicture(ThreeSliceStrip(bottomBorder_->size(), Skin().ImageBottom, 69, 100));
    menuBarStrip_->SetPicture(ThreeSliceStrip(menuBarStrip_->size(), Skin().ImageMenu, 28, 10));
}

void TitleFrame::PlaceTitleButtons() {
    // Close at its design place; each button before it stands right beside
    // it, as wide as its picture, so that no gap opens between them.
    int left = width() - 48;
    for (ImageButton* button : titleButtons_) {
        if (button != titleButtons_.front()) left -= button->Pic().width();
        button->raise();
        button->move(left, 1);
    }
}

void TitleFrame::DrawTitle() {
    const QWidget* window = this->window();
    QPainter canvas(&titleBar_->Canvas());
    canvas.drawPixmap(10, 5, window->windowIcon().pixmap(16, 16));
    canvas.setBackgroundMode(Qt::TransparentMode);
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSize(11);
    canvas.setFont(titleFont);
    canvas.setPen(Qt::white);
    canvas.drawText(QRect(QPoint(34, 2), QPoint(533, titleBar_->height() - 1)),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, window->windowTitle());
    canvas.end();
    titleBar_->update();
}

}  // namespace quorvix
