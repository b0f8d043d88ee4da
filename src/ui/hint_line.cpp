#include "ui/hint_line.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace quorvix {

namespace {

// The bottom border's height and the room it leaves on either side.
constexpr int kHeight = 24;
constexpr int kBottom = 3;
constexpr int kSide = 10;

QPushButton* SmallButton(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    // Clicked with the mouse; the keyboard has the same in the menus.
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedHeight(kHeight - 4);
    return button;
}

}  // namespace

HintLine::HintLine(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("HintLine"));
    setFocusPolicy(Qt::NoFocus);
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("HintText"));
    QPalette palette = text_->palette();
    palette.setColor(QPalette::WindowText, Qt::white);  // on the dark bottom border
    text_->setPalette(palette);
    text_->setMinimumWidth(0);
    text_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    paste_ = SmallButton(this, "HintPasteAsMatrix", QStringLiteral("Paste as matrix"),
                         QStringLiteral("Read the clipboard's text value by value into the matrix"));
    import_ = SmallButton(this, "HintImport", QStringLiteral("Import…"),
                          QStringLiteral("Read a file value by value into the matrix"));
    close_ = SmallButton(this, "HintClose", QStringLiteral("x"), QStringLiteral("Hide the hint"));
    close_->setFixedWidth(kHeight - 4);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(text_, 1);
    row->addWidget(paste_);
    row->addWidget(import_);
    row->addWidget(close_);
    connect(paste_, &QPushButton::clicked, this, [this] {
        if (editor_) emit PasteAsked(*editor_);
    });
    connect(import_, &QPushButton::clicked, this, [this] {
        if (editor_) emit ImportAsked(*editor_);
    });
    connect(close_, &QPushButton::clicked, this, [this] {
        hint_.clear();
        editor_.reset();
        hide();
    });
    keyHintTimer_.setSingleShot(true);
    connect(&keyHintTimer_, &QTimer::timeout, this, [this] { ShowItemHint(QString()); });
    window->installEventFilter(this);
    Place();
    hide();
}

void HintLine::ShowHint(const QString& text) {
    keyHintTimer_.stop();
    hint_ = text;
    // The comma hint names its editor first.
    editor_.reset();
    if (text.startsWith(QStringLiteral("Matrix A"))) editor_ = Operand::A;
    if (text.startsWith(QStringLiteral("Matrix B"))) editor_ = Operand::B;
    ShowText(text, editor_.has_value());
}

void HintLine::ShowItemHint(const QString& text) {
    if (!text.isEmpty())
        ShowText(text, false);
    else if (!hint_.isEmpty())
        ShowText(hint_, editor_.has_value());
    else
        hide();
}

void HintLine::ShowKeyHint(const QString& text, int milliseconds) {
    ShowText(text, false);
    raise();
    keyHintTimer_.start(milliseconds);
}

QString HintLine::Text() const { return isHidden() ? QString() : text_->toolTip(); }

void HintLine::ShowText(const QString& text, bool offers) {
    // A long hint is cut at the border's end; all of it is the tool tip.
    text_->setToolTip(text);
    text_->setText(text);
    paste_->setVisible(offers);
    import_->setVisible(offers);
    close_->setVisible(!hint_.isEmpty());
    show();
}

bool HintLine::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) Place();
    return QWidget::eventFilter(watched, event);
}

void HintLine::Place() {
    const QWidget* window = parentWidget();
    setGeometry(kSide, window->height() - kHeight - kBottom, window->width() - 2 * kSide, kHeight);
}

}  // namespace quorvix
