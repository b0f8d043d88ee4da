// The window's controls at their places, with their fonts, texts and hints.
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <vector>

#include "ui/busy_strip.h"
#include "ui/control_look.h"
#include "ui/focus_widgets.h"
#include "ui/main_menu.h"
#include "ui/main_tool_bar.h"
#include "ui/main_window.h"
#include "ui/operation_grid.h"
#include "ui/precision_box.h"
#include "ui/result_view.h"
#include "ui/skin.h"
#include "ui/skin_widgets.h"
#include "ui/title_frame.h"

namespace quorvix {

namespace {

QPlainTextEdit* TextEditor(QWidget* parent, const char* name, QRect geometry) {
    auto* editor = Named(new TabTypingEditor(parent), name);
    SetUpTextEditor(editor, geometry);
    return editor;
}

}  // namespace

void MainWindow::CreateFrame() {
    frame_ = new TitleFrame(this);
    connect(frame_, &TitleFrame::MoveAsked, this, &MainWindow::StartSystemMove);
    menu_ = new MainMenu(frame_);

    panel_ = Named(new QWidget(this), "Panel1");
    panel_->setGeometry(8, 53, kWindowWidth - 16, kWindowHeight - 83);

    // Centred on the bottom border.
    busyStrip_ = new BusyStrip(this);
    const QSize strip = busyStrip_->sizeHint();
    busyStrip_->setGeometry((kWindowWidth - strip.width()) / 2, kWindowHeight - 27, strip.width(), 24);
    connect(busyStrip_, &BusyStrip::CancelClicked, this, &MainWindow::CancelCommand);
}

void MainWindow::CreatePanel() {
    panelBackground_ = Picture(panel_, "Image5", panel_->rect(), QStringLiteral("Image5.jpg"), true);
    auto* tools = new MainToolBar(panel_);
    connect(tools, &MainToolBar::SaveClicked, this, &MainWindow::AskAndSaveResult);
    connect(tools, &MainToolBar::ClearClicked, this, &MainWindow::ClearResult);
    connect(tools, &MainToolBar::AutoClicked, this, &MainWindow::StartAuto);
    connect(tools, &MainToolBar::ManualClicked, this, &MainWindow::OpenManual);
    connect(tools, &MainToolBar::HomeClicked, this, &MainWindow::OpenHomePage);
    matrixATitle_ = Picture(panel_, "Image4", QRect(8, 64, 200, 27), QStringLiteral("Image4.jpg"));
    matrixBTitle_ = Picture(panel_, "Image6", QRect(8, 256, 200, 27), QStringLiteral("Image6.jpg"));
    resultTitle_ = Picture(panel_, "Image7", QRect(448, 64, 313, 31), QStringLiteral("Image7.jpg"));
    coefficientTitle_ = Picture(panel_, "Image8", QRect(112, 456, 100, 27), QStringLiteral("Image8.jpg"));
    precisionTitle_ = Picture(panel_, "Image11", QRect(110, 512, 100, 27), QStringLiteral("Image11.jpg"));
    CreateInputs();
    const std::vector<QWidget*> operationButtons = AddOperationButtons(
        panel_, [this](const Operation& op) { RunOperation(op); }, [this] { StartAuto(); });
    ChainFocus(operationButtons, tools->Buttons());
}

void MainWindow::CreateInputs() {
    matrixAEditor_ = TextEditor(panel_, "RichEdit1", QRect(8, 88, 201, 161));
    matrixBEditor_ = TextEditor(panel_, "RichEdit2", QRect(8, 280, 201, 169));
    result_ = new ResultView(panel_);
    connect(result_, &ResultView::RewriteAsked, this,
            [this](const Job& job, PrecisionUse precision) { RunNow(job, precision); });
    connect(result_, &ResultView::SaveAsked, this, &MainWindow::AskAndSaveResult);

    coefficientBox_ = Named(new QLineEdit(panel_), "Edit1");
    coefficientBox_->setGeometry(112, 480, 98, 24);
    coefficientBox_->setText(QStringLiteral("1"));
    coefficientBox_->setToolTip(QStringLiteral("Coefficient X"));

    precision_ = new PrecisionBox(panel_, QRect(112, 538, 97, 21));
    connect(precision_, &PrecisionBox::ApplyAsked, this, [this] { precision_->Apply(runner_); });
    connect(precision_, &PrecisionBox::Refused, this, &MainWindow::Report);

    complexFormatGroup_ = Named(new QGroupBox(QStringLiteral("Complex Format"), panel_), "RadioGroup1");
    complexFormatGroup_->setGeometry(8, 456, 97, 105);
    complexFormatGroup_->setToolTip(QStringLiteral("Rectangular: a+bi   Polar: Radius(degrees)       "));
    rectangularButton_ =
        Named(new QRadioButton(QStringLiteral("Rectangular"), complexFormatGroup_), "RadioGroup1Item0");
    rectangularButton_->setGeometry(8, 24, 86, 20);
    polarButton_ = Named(new QRadioButton(QStringLiteral("polar"), complexFormatGroup_), "RadioGroup1Item1");
    polarButton_->setGeometry(8, 52, 86, 20);
    rectangularButton_->setChecked(true);
    auto* group = new QButtonGroup(complexFormatGroup_);
    group->addButton(rectangularButton_, 0);
    group->addButton(polarButton_, 1);
    connect(group, &QButtonGroup::idClicked, this, [this](int) { ApplyComplexFormat(); });
}

void MainWindow::ChainFocus(const std::vector<QWidget*>& operationButtons, const std::vector<QWidget*>& tools) {
    // Tab goes through the inputs, then the operation buttons column by
    // column and top to bottom (AuTo last, as it stands), then the result
    // panel and the toolbar.
    std::vector<QWidget*> chain{matrixAEditor_,    matrixBEditor_,     coefficientBox_,
                                precision_->Box(), rectangularButton_, polarButton_};
    chain.insert(chain.end(), operationButtons.begin(), operationButtons.end());
    chain.push_back(result_);
    chain.insert(chain.end(), tools.begin(), tools.end());
    for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace quorvix
