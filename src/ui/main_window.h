#pragma once
// MainWindow: the calculator's one window. A fixed-size, borderless, skinned
// window with its own title bar, menu bar and toolbar, the editors of Matrix
// A and Matrix B, the coefficient, precision and complex-format controls,
// the grid of operation buttons and the result panel.
//
// The window does no calculation: it copies its controls into a CalcState,
// runs the engine's command on it (the same code quorvix-cli runs) and puts
// the state's text back into the controls.
//
// Every control carries the design's name as its object name ("RichEdit1",
// "SpeedButton13", "Open1"), so that tests and the design can find it.
#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "commands/calc_state.h"
#include "commands/operation_table.h"
#include "ui/command_runner.h"
#include "ui/file_dialogs.h"

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace quorvix {

class BusyStrip;
class MainMenu;
class PrecisionBox;
class ResultView;
class SkinImage;
class TitleFrame;

// The title of the window's message boxes.

inline constexpr int kWindowWidth = 783;
inline constexpr int kWindowHeight = 651;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // True while a command runs on the worker.
    bool CommandRunning() const { return runner_.Running(); }
    // Processes events until no command runs.
    void WaitForCommand();
    // Refuses every size change: puts the window's own size into the size
    // asked for and returns false, so the window keeps its design size.
    bool CanResize(int& width, int& height) const;
    // The address "Homepage" and "Home" open, set when the program is built;
    // empty when there is none, and they show the About box instead.
    static const char* HomePageAddress();
    // Opens a project as "Open project" does after its dialog: the file
    // named on the command line (`quorvix FILE.mtx`, a double click on a
    // project). A missing or damaged file shows the error box.
    void OpenProjectFile(const std::string& path);

public slots:
    // Stops the running command (the Cancel button, or Esc while one runs).
    void CancelCommand();

signals:
    // A command has ended and its results are in the controls.
    void CommandFinished();

protected:
    // Starts moving the window with the mouse; false where the platform cannot.
    virtual bool StartSystemMove();
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    // The title bar's and the help menu's (main_window.cpp).
    void OpenManual();
    void OpenHomePage();

    // The menu and toolbar commands (main_window_actions.cpp).
    void AskAndOpenProject();
    void AskAndSaveProject();
    void AskAndSaveResult();
    void ClearResult();
    void StartAuto();
    void ApplyComplexFormat();

private:
    using Job = CommandRunner::Job;
    // A command on the worker: whether the busy cursor shows at once, and
    // whether the command (an open or a save) makes A, B and x as it leaves
    // them the saved ones.
    struct WorkerRun {
        bool BusyAtOnce = false;
        bool SavesInputs = false;
    };

    // Building the window (main_window_controls.cpp, main_window_menus.cpp).
    void CreateFrame();
    void ConnectMenu();
    void CreatePanel();
    void CreateInputs();
    void CreateEditorMenus();
    void ChainFocus(const std::vector<QWidget*>& operationButtons, const std::vector<QWidget*>& tools);

    // The start state (main_window.cpp).
    void ShowStartState();

    // Quitting with matrices that were typed but not saved (main_window.cpp).
    struct InputTexts {
        QString MatrixA, MatrixB, X;
        bool operator==(const InputTexts&) const = default;
    };
    InputTexts CurrentInputs() const;
    void RememberInputs();
    bool InputsChanged() const;

    // Running commands (main_window_commands.cpp).
    void RunOperation(const Operation& op);
    void RunNow(const Job& job, PrecisionUse precision);
    void RunOnWorker(const Job& job, PrecisionUse precision, WorkerRun run);
    bool ReadyToRun(PrecisionUse precision);
    void PullControls();
    void PushControls();
    void ShowComplexFormat();
    void CommandDone();
    void Report(const GuardedOutcome& outcome);
    void ShowPlace(const ErrorPlace& place);
    void LockInput(bool locked);
    void PressEscape();

    // The frame: title bar, borders, title-bar buttons, and the menu bar on it.
    TitleFrame* frame_ = nullptr;
    MainMenu* menu_ = nullptr;
    BusyStrip* busyStrip_ = nullptr;  // Cancel and the progress, while a long command runs

    // The panel below the frame, which holds everything else.
    QWidget* panel_ = nullptr;
    SkinImage* panelBackground_ = nullptr;
    // Pictures with the titles of the editors and boxes below them.
    SkinImage* matrixATitle_ = nullptr;
    SkinImage* matrixBTitle_ = nullptr;
    SkinImage* resultTitle_ = nullptr;
    SkinImage* coefficientTitle_ = nullptr;
    SkinImage* precisionTitle_ = nullptr;
    QPlainTextEdit* matrixAEditor_ = nullptr;
    QPlainTextEdit* matrixBEditor_ = nullptr;
    ResultView* result_ = nullptr;
    QLineEdit* coefficientBox_ = nullptr;  // x
    PrecisionBox* precision_ = nullptr;
    QGroupBox* complexFormatGroup_ = nullptr;
    QRadioButton* rectangularButton_ = nullptr;
    QRadioButton* polarButton_ = nullptr;

    CommandRunner runner_;
    FileDialogs dialogs_;
    // What the controls showed when the command started, to see what it changed.
    EditorLines pulledA_, pulledB_;
    bool closePending_ = false;
    // A, B and x as last started, opened or saved.
    InputTexts savedInputs_;
    bool runSavesInputs_ = false;  // the running command makes its inputs the saved ones
    QElapsedTimer cancelledAt_;    // since the last cancel
};

}  // namespace quorvix
