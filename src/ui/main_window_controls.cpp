// The form's controls at their places, with their fonts, texts and hints.
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "commands/operation_table.h"
#include "ui/image_button.h"
#include "ui/main_window.h"
#include "ui/operation_grid.h"
#include "ui/skin_draw.h"
#include "ui/skin_widgets.h"

namespace quorvix {

namespace {

QFont Font(const QString& family, int pixelHeight) {
    QFont font(family);
    font.setPixelSize(pixelHeight);
    return font;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPlainTextEdit* Editor(QWidget* parent, const char* name, QRect geometry) {
    auto* editor = Named(new QPlainTextEdit(parent), name);
    editor->setGeometry(geometry);
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->setWordWrapMode(QTextOption::NoWrap);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setFont(Font(QStringLiteral("Arial"), 11));
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    return editor;
}

SkinImage* Picture(QWidget* parent, const char* name, QRect geometry, const QString& file, bool stretch = false) {
    auto* image = Named(new SkinImage(parent, stretch), name);
    image->setGeometry(geometry);
    if (!file.isEmpty()) image->SetPicture(QPixmap::fromImage(SkinPicture(file)));
    return image;
}

}  // namespace

void TForm1::CreateFrame() {
    // Title bar, menu-bar background, bottom border and side borders around
    // the panel that holds everything else.
    Image1 = Picture(this, "Image1", QRect(0, 0, kFormWidth, 25), QString());
    Image3 = Picture(this, "Image3", QRect(0, 25, kFormWidth, 28), QString());
    Image2 = Picture(this, "Image2", QRect(0, kFormHeight - 30, kFormWidth, 30), QString());
    Image9 = Picture(this, "Image9", QRect(0, 53, 8, kFormHeight - 83), QStringLiteral("ImageLeft.png"), true);
    Image10 = Picture(this, "Image10", QRect(kFormWidth - 8, 53, 8, kFormHeight - 83),
                      QStringLiteral("ImageRight.png"), true);
    connect(Image1, &SkinImage::MouseDown, this, &TForm1::Image1MouseDown);
    connect(Image1, &SkinImage::DoubleClicked, this, &TForm1::Image1DblClick);

    ImgBtnMin = Named(new ImageButton(this), "ImgBtnMin");
    ImgBtnMin->setGeometry(0, 0, 33, 25);
    ImgBtnMax = Named(new ImageButton(this), "ImgBtnMax");
    ImgBtnMax->setGeometry(0, 0, 33, 25);
    ImgBtnClose = Named(new ImageButton(this), "ImgBtnClose");
    ImgBtnClose->setGeometry(0, 0, 49, 25);
    PlaceTitleButtons();
    connect(ImgBtnMin, &ImageButton::Click, this, &TForm1::ImgBtnMinClick);
    connect(ImgBtnMax, &ImageButton::Click, this, &TForm1::ImgBtnMaxClick);
    connect(ImgBtnClose, &ImageButton::Click, this, &TForm1::ImgBtnCloseClick);

    ToolBar1 = Named(new SkinToolBar(this, DrawMenuBarBackground), "ToolBar1");
    ToolBar1->setGeometry(8, 25, 761, 28);
    QFont menuBarFont = font();
    ToolButton1 = Named(new MenuBarButton(ToolBar1), "ToolButton1");
    ToolButton1->setText(QStringLiteral("File"));
    ToolButton1->setGeometry(0, 0, 65, 28);
    ToolButton2 = Named(new MenuBarButton(ToolBar1), "ToolButton2");
    ToolButton2->setText(QStringLiteral("Help"));
    ToolButton2->setGeometry(65, 0, 65, 28);
    for (MenuBarButton* button : {ToolButton1, ToolButton2}) {
        button->setFont(menuBarFont);
        SetTextColour(button, Qt::white);
    }

    Panel1 = Named(new QWidget(this), "Panel1");
    Panel1->setGeometry(8, 53, kFormWidth - 16, kFormHeight - 83);

    CancelButton = Named(new QPushButton(QStringLiteral("Cancel"), this), "CancelButton");
    CancelButton->setGeometry(kFormWidth / 2 - 40, kFormHeight - 27, 80, 24);
    CancelButton->setToolTip(QStringLiteral("Stop the running calculation (Esc)"));
    CancelButton->setFocusPolicy(Qt::NoFocus);
    CancelButton->hide();
    connect(CancelButton, &QPushButton::clicked, this, &TForm1::CancelCommand);
}

void TForm1::CreatePanel() {
    Image5 = Picture(Panel1, "Image5", Panel1->rect(), QStringLiteral("Image5.jpg"), true);

    ToolBar2 = Named(new SkinToolBar(Panel1, DrawToolBarBackground), "ToolBar2");
    ToolBar2->setGeometry(0, 0, 767, 57);
    struct ToolButtonDef {
        QToolButton** Target;
        const char* Name;
        const char* Caption;
        const char* Hint;
        void (TForm1::*Slot)();
    };
    const ToolButtonDef tools[] = {
        {&SpeedButton3, "SpeedButton3", "Save", "Save Result", &TForm1::Save1Click},
        {&SpeedButton4, "SpeedButton4", "Clear", "Clear Result", &TForm1::Clear1Click},
        {&SpeedButton5, "SpeedButton5", "Auto", "Auto Generate", &TForm1::Auto1Click},
        {&SpeedButton6, "SpeedButton6", "Manual", "Manual", &TForm1::Manual1Click},
        {&SpeedButton7, "SpeedButton7", "Home", "HomePage", &TForm1::SpeedButton7Click},
    };
    int left = 0;
    for (const ToolButtonDef& def : tools) {
        auto* button = Named(new QToolButton(ToolBar2), def.Name);
        const int width = left == 0 ? 49 : 47;
        button->setGeometry(left, 1, width, 55);
        left += width;
        button->setText(QString::fromLatin1(def.Caption));
        button->setToolTip(QString::fromLatin1(def.Hint));
        button->setIcon(QIcon(ToolButtonGlyph(QString::fromLatin1(def.Name))));
        button->setIconSize(QSize(32, 32));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFont(Font(QStringLiteral("Arial"), 11));
        SetTextColour(button, QColor(0, 128, 128));
        connect(button, &QToolButton::clicked, this, def.Slot);
        *def.Target = button;
    }

    Image4 = Picture(Panel1, "Image4", QRect(8, 64, 200, 27), QStringLiteral("Image4.jpg"));
    Image6 = Picture(Panel1, "Image6", QRect(8, 256, 200, 27), QStringLiteral("Image6.jpg"));
    Image7 = Picture(Panel1, "Image7", QRect(448, 64, 313, 31), QStringLiteral("Image7.jpg"));
    Image8 = Picture(Panel1, "Image8", QRect(112, 456, 100, 27), QStringLiteral("Image8.jpg"));
    Image11 = Picture(Panel1, "Image11", QRect(110, 512, 100, 27), QStringLiteral("Image11.jpg"));

    RichEdit1 = Editor(Panel1, "RichEdit1", QRect(8, 88, 201, 161));
    RichEdit2 = Editor(Panel1, "RichEdit2", QRect(8, 280, 201, 169));
    RichEdit3 = Editor(Panel1, "RichEdit3", QRect(448, 88, 315, 473));
    connect(RichEdit3, &QPlainTextEdit::textChanged, this, [this] {
        if (!syncing_) panelEdited_ = true;
    });

    Edit1 = Named(new QLineEdit(Panel1), "Edit1");
    Edit1->setGeometry(112, 480, 98, 24);
    Edit1->setText(QStringLiteral("1"));
    Edit1->setToolTip(QStringLiteral("Coefficient X"));

    ComboBox1 = Named(new QComboBox(Panel1), "ComboBox1");
    ComboBox1->setGeometry(112, 538, 97, 21);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({"1", "2", "3", "4", "5", "6", "7", "8", "e"});
    ComboBox1->setEditText(QStringLiteral("3"));
    ComboBox1->setToolTip(QStringLiteral("Precision of result"));
    connect(ComboBox1, &QComboBox::editTextChanged, this, &TForm1::ComboBox1Change);

    RadioGroup1 = Named(new QGroupBox(QStringLiteral("Complex Format"), Panel1), "RadioGroup1");
    RadioGroup1->setGeometry(8, 456, 97, 105);
    RadioGroup1->setToolTip(QStringLiteral("Rectangular: a+bi   Polar: Radius(degrees)       "));
    RadioGroup1Rectangular = Named(new QRadioButton(QStringLiteral("Rectangular"), RadioGroup1), "RadioGroup1Item0");
    RadioGroup1Rectangular->setGeometry(8, 24, 86, 20);
    RadioGroup1Polar = Named(new QRadioButton(QStringLiteral("polar"), RadioGroup1), "RadioGroup1Item1");
    RadioGroup1Polar->setGeometry(8, 52, 86, 20);
    RadioGroup1Rectangular->setChecked(true);
    auto* group = new QButtonGroup(RadioGroup1);
    group->addButton(RadioGroup1Rectangular, 0);
    group->addButton(RadioGroup1Polar, 1);
    connect(group, &QButtonGroup::idClicked, this, [this](int) { RadioGroup1Click(); });
}

void TForm1::CreateOperationButtons() {
    for (const Operation& op : Operations()) {
        auto* button = Named(new QToolButton(Panel1), op.Control);
        button->setGeometry(OperationButtonGeometry(op));
        const QPixmap glyph = OperationGlyph(QString::fromLatin1(op.Control));
        button->setIcon(QIcon(glyph));
        button->setIconSize(glyph.size());
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setToolTip(QString::fromLatin1(op.Hint));
        button->setFocusPolicy(Qt::NoFocus);
        const ButtonFont font = OperationButtonFont(op);
        button->setFont(font.Font);
        SetTextColour(button, font.Colour);
        connect(button, &QToolButton::clicked, this, [this, &op] { OperationClick(op); });
        OperationButtons[op.Control] = button;
    }

    SpeedButton10 = Named(new QToolButton(Panel1), "SpeedButton10");
    SpeedButton10->setGeometry(368, 496, 65, 57);
    SpeedButton10->setText(QStringLiteral("AuTo"));
    SpeedButton10->setToolTip(QStringLiteral("Auto calculate"));
    SpeedButton10->setFocusPolicy(Qt::NoFocus);
    QFont autoFont = Font(QStringLiteral("Arial"), 16);
    autoFont.setBold(true);
    autoFont.setItalic(true);
    SpeedButton10->setFont(autoFont);
    SetTextColour(SpeedButton10, QColor(0, 128, 0));
    connect(SpeedButton10, &QToolButton::clicked, this, &TForm1::Auto1Click);
}

}  // namespace quorvix
