#include "ui/main_window.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <QWindow>
#include <algorithm>

#include "quorvix_version.h"
#include "textio/locale_number.h"
#include "ui/busy_strip.h"
#include "ui/control_look.h"
#include "ui/hint_line.h"
#include "ui/main_menu.h"
#include "ui/main_tool_bar.h"
#include "ui/message_boxes.h"
#include "ui/operation_grid.h"
#include "ui/precision_box.h"
#include "ui/result_view.h"
#include "ui/skin.h"
#include "ui/title_frame.h"

namespace quorvix {

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      // The identity in both input editors where the locale's decimal mark
      // is one the editors can read; the start settings.
      runner_(this, StartStateForLocale(LocaleDecimalMark())) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kProgramTitle));  // "Quorvix 5.4": the name and the short version
    setWindowIcon(ApplicationIcon());
    setFont(Font(QStringLiteral("MS Sans Serif"), 11));
    // The design's size is the one it opens with and the smallest it takes.
    setMinimumSize(kWindowWidth, kWindowHeight);
    resize(kWindowWidth, kWindowHeight);
    move(252, 72);

    frame_ = new TitleFrame(this);
    connect(frame_, &TitleFrame::MoveAsked, this, &MainWindow::StartSystemMove);
    connect(frame_, &TitleFrame::ResizeAsked, this, &MainWindow::StartSystemResize);
    menu_ = new MainMenu(frame_);
    connect(menu_, &MainMenu::OpenProjectChosen, this, &MainWindow::AskAndOpenProject);
    connect(menu_, &MainMenu::SaveProjectChosen, this, &MainWindow::AskAndSaveProject);
    connect(menu_, &MainMenu::SaveResultChosen, this, &MainWindow::AskAndSaveResult);
    connect(menu_, &MainMenu::ClearChosen, this, &MainWindow::ClearResult);
    connect(menu_, &MainMenu::AutoChosen, this, &MainWindow::StartAuto);
    connect(menu_, &MainMenu::ExitChosen, this, &MainWindow::PressEscape);
    connect(menu_, &MainMenu::ManualChosen, this, &MainWindow::OpenManual);
    connect(menu_, &MainMenu::HomePageChosen, this, &MainWindow::OpenHomePage);
    WatchManualKey();

    CreatePanel();
    hints_ = new HintLine(this);
    CreateResultMenus();
    // Centred on the bottom border.
    busyStrip_ = new BusyStrip(this);
    connect(inputs_, &InputPane::FirstTabTyped, hints_,
            [this] { hints_->ShowKeyHint(QStringLiteral("Ctrl+Tab moves to the next field")); });
    connect(busyStrip_, &BusyStrip::CancelClicked, this, &MainWindow::CancelCommand);

    // Moving, minimizing and closing the window and Cancel work while a
    // command runs; so do the editors' scroll bars.
    InputGate& gate = runner_.Gate();
    gate.KeepUsable(busyStrip_);
    for (QWidget* control : frame_->WindowControls()) gate.KeepUsable(control);
    for (QWidget* editor : inputs_->Editors()) gate.KeepScrollable(editor);
    gate.KeepScrollable(result_);
    connect(&gate, &InputGate::EscapePressed, this, &MainWindow::PressEscape);
    connect(&runner_, &CommandRunner::Slow, busyStrip_, &BusyStrip::Reveal);
    connect(&runner_, &CommandRunner::Slow, hints_, &HintLine::hide);
    connect(&runner_, &CommandRunner::Finished, this, &MainWindow::CommandDone);

    LayOut();
    ShowStartState();
    // The keyboard starts in Matrix A, so that the first digits typed go there.
    inputs_->Editors().front()->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() {
    // A command still running is stopped; its results go nowhere.
    disconnect(&runner_, nullptr, this, nullptr);
    if (runner_.Running()) {
        runner_.Cancel();
        runner_.Wait();
    }
}

void MainWindow::CreatePanel() {
    // Below the frame, holding everything else, on its background picture.
    auto* panel = panel_ = Named(new QWidget(this), "Panel1");
    panel->setGeometry(8, 53, kWindowWidth - 16, kWindowHeight - 83);
    panelBackground_ = Picture(panel, "Image5", panel->rect(), QStringLiteral("Image5.jpg"), true);

    auto* tools = new MainToolBar(panel);
    toolBar_ = tools;
    connect(tools, &MainToolBar::SaveClicked, this, &MainWindow::AskAndSaveResult);
    connect(tools, &MainToolBar::ClearClicked, this, &MainWindow::ClearResult);
    connect(tools, &MainToolBar::AutoClicked, this, &MainWindow::StartAuto);
    connect(tools, &MainToolBar::ManualClicked, this, &MainWindow::OpenManual);
    connect(tools, &MainToolBar::HomeClicked, this, &MainWindow::OpenHomePage);

    inputs_ = new InputPane(panel);
    precision_ = inputs_->Precision();
    connect(inputs_, &InputPane::FormatChosen, this, &MainWindow::ApplyComplexFormat);
    connect(inputs_, &InputPane::RewriteAsked, this, &MainWindow::RunNow);
    connect(precision_, &PrecisionBox::ApplyAsked, this, [this] { precision_->Apply(runner_); });
    connect(precision_, &PrecisionBox::Refused, this, &MainWindow::Report);

    Picture(panel, "Image7", QRect(448, 64, 313, 31), QStringLiteral("Image7.jpg"));
    result_ = new ResultView(panel);
    connect(result_, &ResultView::RewriteAsked, this, &MainWindow::RunNow);
    connect(result_, &ResultView::SaveAsked, this, &MainWindow::AskAndSaveResult);

    const std::vector<QWidget*> operationButtons = AddOperationButtons(
        panel, [this](const Operation& op) { RunOperation(op); }, [this] { StartAuto(); });
    ChainFocus(operationButtons, tools->Buttons());
}

void MainWindow::ChainFocus(const std::vector<QWidget*>& operationButtons, const std::vector<QWidget*>& tools) {
    // Tab goes through the inputs, then the operation buttons column by
    // column and top to bottom (AuTo last, as it stands), then the result
    // panel and the toolbar.
    std::vector<QWidget*> chain = inputs_->FocusChain();
    chain.insert(chain.end(), operationButtons.begin(), operationButtons.end());
    chain.push_back(result_);
    chain.insert(chain.end(), tools.begin(), tools.end());
    for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void MainWindow::ShowStartState() {
    ShowState();
    // What the editors start with is nothing to lose.
    inputs_->ForgetUndo();
    savedInputs_ = inputs_->Texts();
}

void MainWindow::LayOut() {
    // The frame's strips stretch; the panel, its background and the toolbar
    // are as wide as the window; the editors share the extra height and the
    // result panel takes the extra width and height; the button grid and
    // the picture titles stay where they are.
    const int extraWidth = std::max(width() - kWindowWidth, 0);
    const int extraHeight = std::max(height() - kWindowHeight, 0);
    panel_->setGeometry(8, 53, kWindowWidth - 16 + extraWidth, kWindowHeight - 83 + extraHeight);
    panelBackground_->setGeometry(panel_->rect());
    toolBar_->resize(panel_->width(), toolBar_->height());
    inputs_->Stretch(extraHeight);
    result_->setGeometry(QRect(448, 88, 315 + extraWidth, 473 + extraHeight));
    const QSize strip = busyStrip_->sizeHint();
    busyStrip_->setGeometry((width() - strip.width()) / 2, height() - 27, strip.width(), 24);
    frame_->Redraw();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Sizes reported while the window is still being built find its parts
    // not made yet.
    if (busyStrip_ != nullptr) LayOut();
}

bool MainWindow::StartSystemMove() {
    QWindow* window = windowHandle();
    return window != nullptr && window->startSystemMove();
}

bool MainWindow::StartSystemResize(Qt::Edges edges) {
    QWindow* window = windowHandle();
    return window != nullptr && window->startSystemResize(edges);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (runner_.Running()) {
        // Close once the command has stopped.
        closePending_ = true;
        runner_.Cancel();
        event->ignore();
        return;
    }
    const UnsavedWork unsaved{.Inputs = InputsChanged(), .Results = ResultsUnsaved()};
    if ((unsaved.Inputs || unsaved.Results) && !AskToQuitUnsaved(this, unsaved)) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool MainWindow::InputsChanged() const { return !(inputs_->Texts() == savedInputs_); }

bool MainWindow::ResultsUnsaved() {
    // What the user typed into the panel counts as its lines.
    ResultPanel& panel = runner_.State().Panel;
    result_->Read(panel);
    return !panel.Lines().empty() && panel.Lines() != savedResults_;
}

}  // namespace quorvix
