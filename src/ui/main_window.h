#pragma once
// MainWindow: the calculator's one window. A borderless, skinned window that
// opens at its smallest size and may be resized and maximized, assembled from its parts: the frame with its title bar
// (TitleFrame), the menu bar (MainMenu), the toolbar (MainToolBar), the
// inputs (InputPane, with the PrecisionBox), the grid of operation buttons
// and the result panel (ResultView).
//
// The window does no calculation: its CommandRunner holds the state, the
// window copies its controls into it, runs the engine's command on it (the
// same code quorvix-cli runs) and shows the state's text in the controls.
//
// Every control carries the design's name as its object name ("RichEdit1",
// "SpeedButton13", "Open1"), so that tests and the design can find it.
#include <QElapsedTimer>
#include <QWidget>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "commands/operation_table.h"
#include "files/export_formats.h"
#include "ui/command_runner.h"
#include "ui/file_dialogs.h"
#include "ui/input_pane.h"

namespace quorvix {

class BusyStrip;
class HintLine;
class MainMenu;
class PrecisionBox;
class ResultView;
class TitleFrame;

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
    // Starts resizing the window by `edges` with the mouse; false where the
    // platform cannot.
    virtual bool StartSystemResize(Qt::Edges edges);
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Job = CommandRunner::Job;
    // A command on the worker: whether the busy cursor shows at once, and
    // whether the command (an open or a save) makes A, B and x as it leaves
    // them the saved ones.
    struct WorkerRun {
        bool BusyAtOnce = false;
        bool SavesInputs = false;
        bool SavesResults = false;  // the result panel's lines are saved with it (a result file, a .qvx project)
    };

    // Building the window (main_window.cpp).
    void CreatePanel();
    void ChainFocus(const std::vector<QWidget*>& operationButtons, const std::vector<QWidget*>& tools);
    void ShowStartState();
    // Places the parts that grow with the window for its size.
    void LayOut();

    // The menu and toolbar commands (main_window_actions.cpp).
    void AskAndOpenProject();
    void AskAndSaveProject();
    void AskAndSaveResult();
    void ClearResult();
    void StartAuto();
    void ApplyComplexFormat(ComplexFormat format);
    void OpenManual();
    void WatchManualKey();
    void OpenHomePage();
    void PressEscape();

    // Results that carry on, imports and the menus beyond the grid's
    // (main_window_results.cpp).
    void CreateResultMenus();
    const CalcState* IdleState();
    void UseAs(Operand which, std::optional<std::size_t> number, const std::string& name);
    void UseNewestAs(Operand which);
    void CopyAs(std::optional<std::size_t> number, const std::string& name, ExportFormat format);
    void CopyNewestAsTabs();
    void AskAndExport(std::optional<std::size_t> number, const std::string& name);
    void AskAndImport(Operand which);
    void PasteAsMatrix(Operand which);
    bool OfferImport(const std::string& path);
    void ShowHints();
    bool TextProjectNeeded();

    // Running commands (main_window_commands.cpp).
    void RunOperation(const Operation& op);
    void RunNow(const Job& job, PrecisionUse precision);
    void RunOnWorker(const Job& job, PrecisionUse precision, WorkerRun run);
    bool ReadyToRun(PrecisionUse precision);
    void ReadControls();
    void ShowState();
    void CommandDone();
    void Report(const GuardedOutcome& outcome);
    void LockInput(bool locked);

    // Whether closing loses matrices that were typed or results that were
    // shown but not saved (main_window.cpp).
    bool InputsChanged() const;
    bool ResultsUnsaved();

    CommandRunner runner_;
    TitleFrame* frame_ = nullptr;
    MainMenu* menu_ = nullptr;
    BusyStrip* busyStrip_ = nullptr;  // Cancel and the progress, while a long command runs
    QWidget* panel_ = nullptr;
    QWidget* panelBackground_ = nullptr;
    QWidget* toolBar_ = nullptr;
    HintLine* hints_ = nullptr;  // hints that need no answer, on the bottom border
    InputPane* inputs_ = nullptr;
    PrecisionBox* precision_ = nullptr;
    ResultView* result_ = nullptr;
    FileDialogs dialogs_;

    // A, B and x as last started, opened or saved.
    InputTexts savedInputs_;
    bool runSavesInputs_ = false;  // the running command makes its inputs the saved ones
    // The result panel's lines as last saved or opened (empty: none).
    std::vector<std::string> savedResults_;
    bool runSavesResults_ = false;  // the running command makes the panel's lines the saved ones
    bool closePending_ = false;     // closing waits for the running command to stop
    bool manualByKey_ = false;      // "Manual" was chosen with its key (F1), not from a menu or the toolbar
    QElapsedTimer cancelledAt_;     // since the last cancel
};

}  // namespace quorvix
