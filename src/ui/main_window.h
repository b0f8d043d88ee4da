#pragma once
// TForm1: the calculator's one window. A fixed-size, borderless, skinned
// window with its own title bar, menu bar and toolbar, the editors of Matrix
// A and Matrix B, the coefficient, precision and complex-format controls,
// the grid of operation buttons and the result panel.
//
// The window does no calculation: it copies its controls into a CalcState,
// runs the engine's command on it (the same code quorvix-cli runs) and puts
// the state's text back into the controls.
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/calc_state.h"
#include "commands/operation_table.h"
#include "ui/command_runner.h"
#include "ui/skin.h"

class QAction;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QToolButton;

namespace quorvix {

class SkinImage;
class ImageButton;
class MenuBarButton;
class OwnerDrawMenuStyle;
class SkinToolBar;

inline constexpr int kFormWidth = 783;
inline constexpr int kFormHeight = 651;
inline constexpr const char* kFormCaption = "Quorvix 5.4";

class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The controls, by their names on the form.
    SkinImage* Image1 = nullptr;  // title bar
    SkinImage* Image2 = nullptr;  // bottom border
    SkinImage* Image3 = nullptr;  // menu-bar background
    SkinImage* Image9 = nullptr;  // left border
    SkinImage* Image10 = nullptr; // right border
    ImageButton* ImgBtnMin = nullptr;
    ImageButton* ImgBtnMax = nullptr;
    ImageButton* ImgBtnClose = nullptr;
    SkinToolBar* ToolBar1 = nullptr;  // the menu bar
    MenuBarButton* ToolButton1 = nullptr;
    MenuBarButton* ToolButton2 = nullptr;
    QWidget* Panel1 = nullptr;
    SkinSources PanelImage;  // the skin's source pictures, never shown

    SkinImage* Image5 = nullptr;  // panel background
    SkinToolBar* ToolBar2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;  // Save
    QToolButton* SpeedButton4 = nullptr;  // Clear
    QToolButton* SpeedButton5 = nullptr;  // Auto
    QToolButton* SpeedButton6 = nullptr;  // Manual
    QToolButton* SpeedButton7 = nullptr;  // Home
    SkinImage* Image4 = nullptr;
    SkinImage* Image6 = nullptr;
    SkinImage* Image7 = nullptr;
    SkinImage* Image8 = nullptr;
    SkinImage* Image11 = nullptr;
    QPlainTextEdit* RichEdit1 = nullptr;  // Matrix A
    QPlainTextEdit* RichEdit2 = nullptr;  // Matrix B
    QPlainTextEdit* RichEdit3 = nullptr;  // the result panel
    QLineEdit* Edit1 = nullptr;           // x
    QComboBox* ComboBox1 = nullptr;       // precision
    QGroupBox* RadioGroup1 = nullptr;     // complex format
    QRadioButton* RadioGroup1Rectangular = nullptr;
    QRadioButton* RadioGroup1Polar = nullptr;
    QToolButton* SpeedButton10 = nullptr;  // "AuTo"
    std::map<std::string, QToolButton*> OperationButtons;  // by control name
    QPushButton* CancelButton = nullptr;  // shown while a long command runs

    // MainMenu1.
    QMenu* File1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save3 = nullptr;
    QAction* N4 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Clear1 = nullptr;
    QAction* Auto1 = nullptr;
    QAction* Exit1 = nullptr;  // a separator
    QAction* Exit2 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Manual1 = nullptr;
    QAction* Connectto1 = nullptr;

    // The editors' pop-up menus.
    QMenu* PopupMenu1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* PolarToRect1 = nullptr;
    QAction* RecttoPolar1 = nullptr;
    QAction* Clear3 = nullptr;
    QAction* Align1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* MenuItem1 = nullptr;
    QAction* MenuItem2 = nullptr;
    QAction* PolarToRect2 = nullptr;
    QAction* RecttoPolar2 = nullptr;
    QAction* MenuItem4 = nullptr;
    QAction* Align2 = nullptr;
    QMenu* PopupMenu3 = nullptr;
    QAction* Copy2 = nullptr;
    QAction* Paste2 = nullptr;
    QAction* commatodot1 = nullptr;
    QAction* dottocomma1 = nullptr;
    QAction* Save2 = nullptr;
    QAction* Clear4 = nullptr;
    QAction* Align3 = nullptr;

    // True while a command runs on the worker.
    bool CommandRunning() const { return runner_.Running(); }
    // Processes events until no command runs.
    void WaitForCommand();
    // The filters of the file dialogs, as "Name|pattern|Name|pattern".
    static const char* ProjectFilter();
    static const char* ResultFilter();
    // The addresses "Homepage" and "Home" open.
    static const char* HomePageAddress();
    static const char* ProductPageAddress();

public slots:
    void FormCreate();
    void FormResize();
    // Refuses every size change: the window keeps its design size.
    bool FormCanResize(int& NewWidth, int& NewHeight);
    void Image1MouseDown(QMouseEvent* event);
    void Image1DblClick();
    void ImgBtnMinClick();
    void ImgBtnMaxClick();
    void ImgBtnCloseClick();
    void Exit2Click();
    void Manual1Click();
    void Connectto1Click();
    void SpeedButton7Click();

    void Open1Click();
    void Save3Click();
    void Save1Click();
    void Save2Click();
    void Clear1Click();
    void Clear4Click();
    void Clear3Click();
    void MenuItem4Click();
    void Auto1Click();
    void Copy1Click();
    void Paste1Click();
    void MenuItem1Click();
    void MenuItem2Click();
    void Copy2Click();
    void Paste2Click();
    void PolarToRect1Click();
    void RecttoPolar1Click();
    void PolarToRect2Click();
    void RecttoPolar2Click();
    void commatodot1Click();
    void dottocomma1Click();
    void Align1Click();
    void Align2Click();
    void Align3Click();
    void RadioGroup1Click();
    void ComboBox1Change();
    // Cancel (the button, or Esc while a command runs).
    void CancelCommand();

signals:
    // A command has ended and its results are in the controls.
    void CommandFinished();

protected:
    // Starts moving the window with the mouse; false where the platform cannot.
    virtual bool StartSystemMove();
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class RunMode { Inline, Worker };
    using Job = CommandRunner::Job;

    // Building the form (main_window_controls.cpp, main_window_menus.cpp).
    void CreateFrame();
    void CreatePanel();
    void CreateOperationButtons();
    void CreateMenus();
    void CreatePopupMenus();
    void BuildStrips();
    void PlaceTitleButtons();
    void DrawTitle();

    // Running commands (main_window_commands.cpp).
    void Run(const Job& job, RunMode mode, bool busyAtOnce = false);
    void OperationClick(const Operation& op);
    void PullControls();
    void PushControls();
    void SyncPanel();
    void CommandDone();
    void Report(const std::optional<std::string>& error, bool cancelled);
    void BeginBusy(bool busyAtOnce);
    void EndBusy();
    void ShowBusy();
    bool Intercepts(QObject* watched) const;
    void ReplayHeldInput();
    std::optional<std::string> AskFileName(bool save, const char* filter, const char* defaultExt,
                                           bool startInProgramFolder);
    void OpenThroughShell(const QString& address);

    CalcState state_;
    CommandRunner runner_;
    // What the controls showed when the command started, to see what it changed.
    EditorLines pulledA_, pulledB_;
    std::vector<std::string> shownPanel_;  // the result panel's lines as shown
    bool panelEdited_ = false;             // the user typed in the result panel
    bool syncing_ = false;                 // the window itself is changing the controls
    bool busyCursor_ = false;
    bool closePending_ = false;
    QTimer* busyTimer_ = nullptr;
    OwnerDrawMenuStyle* menuStyle_ = nullptr;
    // Input that reached the form while a command ran, handed on afterwards.
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> heldInput_;
};

}  // namespace quorvix
