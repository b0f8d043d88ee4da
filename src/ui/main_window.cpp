#include "ui/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "textio/locale_number.h"
#include "ui/image_button.h"
#include "ui/skin_widgets.h"

namespace quorvix {

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), runner_(this) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kFormCaption));
    setWindowIcon(ApplicationIcon());
    QFont formFont(QStringLiteral("MS Sans Serif"));
    formFont.setPixelSize(11);
    setFont(formFont);
    setFixedSize(kFormWidth, kFormHeight);
    move(252, 72);
    PanelImage = Skin();

    busyTimer_ = new QTimer(this);
    busyTimer_->setSingleShot(true);
    busyTimer_->setInterval(250);
    connect(busyTimer_, &QTimer::timeout, this, &TForm1::ShowBusy);
    connect(&runner_, &CommandRunner::Finished, this, &TForm1::CommandDone);

    CreateFrame();
    CreatePanel();
    CreateOperationButtons();
    CreateMenus();
    CreatePopupMenus();
    FormCreate();
}

TForm1::~TForm1() {
    // A command still running is stopped; its results go nowhere.
    disconnect(&runner_, nullptr, this, nullptr);
    if (runner_.Running()) {
        runner_.Cancel();
        runner_.Wait();
    }
    qApp->removeEventFilter(this);
}

void TForm1::FormCreate() {
    // 1-2. The rounded outline; the menu bar leaves a little more room on the left.
    setMask(RoundedWindowRegion(size()));
    ToolBar1->move(12, ToolBar1->y());

    // 3-5. Strips, title-bar buttons, icon and caption.
    BuildStrips();
    ImgBtnMin->raise();
    ImgBtnMin->move(width() - 100, 1);
    const TitleButtonCells minCells = CutTitleButtonCells(PanelImage.ImageM, 0, 27, 20);
    ImgBtnMin->SetPic(minCells.Pic);
    ImgBtnMin->SetPicUp(minCells.PicUp);
    ImgBtnMin->SetPicDown(minCells.PicDown);
    ImgBtnClose->raise();
    ImgBtnClose->move(width() - 48, 1);
    const TitleButtonCells closeCells = CutTitleButtonCells(PanelImage.ImageM, 52, 42, 20);
    ImgBtnClose->SetPic(closeCells.Pic);
    ImgBtnClose->SetPicUp(closeCells.PicUp);
    ImgBtnClose->SetPicDown(closeCells.PicDown);
    DrawTitle();

    // 6-8. Empty editors; the identity in both input editors where the
    // locale's decimal mark is one the editors can read; the start settings.
    syncing_ = true;
    RichEdit3->clear();
    RichEdit1->clear();
    RichEdit2->clear();
    syncing_ = false;
    shownPanel_.clear();
    state_ = StartStateForLocale(LocaleDecimalMark());
    pulledA_.clear();
    pulledB_.clear();
    PushControls();
}

void TForm1::BuildStrips() {
    Image1->SetPicture(ThreeSliceStrip(Image1->size(), PanelImage.ImageTop, 25, 100));
    Image2->SetPicture(ThreeSliceStrip(Image2->size(), PanelImage.ImageBottom, 69, 100));
    Image3->SetPicture(ThreeSliceStrip(Image3->size(), PanelImage.ImageMenu, 28, 10));
}

void TForm1::DrawTitle() {
    QPainter canvas(&Image1->Canvas());
    canvas.drawPixmap(10, 5, windowIcon().pixmap(16, 16));
    canvas.setBackgroundMode(Qt::TransparentMode);
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSize(11);
    canvas.setFont(titleFont);
    canvas.setPen(Qt::white);
    canvas.drawText(QRect(QPoint(34, 2), QPoint(533, Image1->height() - 1)),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, windowTitle());
    canvas.end();
    Image1->update();
}

void TForm1::PlaceTitleButtons() {
    ImgBtnMin->raise();
    ImgBtnMin->move(width() - 100, 1);
    ImgBtnMax->raise();
    ImgBtnMax->move(width() - 74, 1);
    ImgBtnClose->raise();
    ImgBtnClose->move(width() - 48, 1);
}

void TForm1::FormResize() {
    // The title bar is drawn again as at creation, so that it looks the same
    // whenever the platform reports a size.
    setMask(RoundedWindowRegion(size()));
    BuildStrips();
    PlaceTitleButtons();
    DrawTitle();
}

bool TForm1::FormCanResize(int& NewWidth, int& NewHeight) {
    NewWidth = width();
    NewHeight = height();
    return false;
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize design(kFormWidth, kFormHeight);
    if (event->size() != design) {
        // The fixed size already keeps the window from growing or shrinking;
        // a platform that ignores it is put back.
        int w = event->size().width(), h = event->size().height();
        if (!FormCanResize(w, h)) {
            QTimer::singleShot(0, this, [this] { resize(kFormWidth, kFormHeight); });
            return;
        }
    }
    if (Image1 != nullptr) FormResize();
}

bool TForm1::StartSystemMove() {
    QWindow* window = windowHandle();
    return window != nullptr && window->startSystemMove();
}

void TForm1::Image1MouseDown(QMouseEvent* event) {
    if (isMaximized() || event->button() != Qt::LeftButton) return;
    StartSystemMove();
}

void TForm1::Image1DblClick() { ImgBtnMaxClick(); }

void TForm1::ImgBtnMinClick() { showMinimized(); }

void TForm1::ImgBtnMaxClick() {}

void TForm1::ImgBtnCloseClick() { close(); }

void TForm1::Exit2Click() {
    // Esc is the key of Exit; while a command runs it stops the command instead.
    if (runner_.Running()) {
        CancelCommand();
        return;
    }
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (runner_.Running()) {
        // Close once the command has stopped.
        closePending_ = true;
        runner_.Cancel();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TForm1::OpenThroughShell(const QString& address) {
    // What the desktop does with it (or reports) is its own affair.
    QDesktopServices::openUrl(QUrl(address));
}

void TForm1::Manual1Click() {
    const QString manual = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("matrix.chm"));
    QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

const char* TForm1::HomePageAddress() { return "https://quorvix.example/"; }
const char* TForm1::ProductPageAddress() { return "https://quorvix.example/matrix-calculator/"; }

void TForm1::Connectto1Click() { OpenThroughShell(QString::fromLatin1(HomePageAddress())); }

void TForm1::SpeedButton7Click() { OpenThroughShell(QString::fromLatin1(ProductPageAddress())); }

}  // namespace quorvix
