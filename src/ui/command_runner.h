#pragma once
// CommandRunner: runs the engine's commands for the window, one at a time,
// on the state it holds between them. A rewrite of the controls runs at once
// on the window's thread; a command that can take long runs on a worker
// thread, so that the window keeps drawing and can take Esc or Cancel. While
// that one runs the state is the worker's alone, the window's input is
// dropped (InputGate) and the busy cursor shows; Finished() hands the state
// back. The engine is not re-entrant: there is never a second command.
#include <QObject>
#include <functional>
#include <optional>
#include <thread>

#include "commands/calc_state.h"
#include "commands/guarded_run.h"
#include "ui/input_gate.h"

class QTimer;
class QWidget;

namespace quorvix {

// Commands that print or rewrite numbers apply the precision box's text
// first, and do not run while it is not a precision.
enum class PrecisionUse { None, Apply };

class CommandRunner : public QObject {
    Q_OBJECT

public:
    using Job = std::function<void(CalcState&)>;

    // Runs the commands of `window`, starting from `state`.
    CommandRunner(QWidget* window, CalcState state);
    ~CommandRunner() override;

    bool Running() const { return running_; }
    // The state between commands; never while one runs.
    CalcState& State();

    // Lowers the cancel flag and runs `job` at once; nothing while a command
    // runs.
    std::optional<GuardedOutcome> RunNow(const Job& job);
    // Lowers the cancel flag and starts `job` on the worker thread; nothing
    // while a command runs. The busy cursor shows at once with `busyAtOnce`,
    // otherwise when Slow() is told.
    void Start(Job job, bool busyAtOnce);
    // Asks the running command to stop at its next check.
    void Cancel();
    // Blocks until the running command has ended (used when closing).
    void Wait();
    // After Finished(): how the command ended (its error and the error's
    // place, or a cancel).
    const GuardedOutcome& Outcome() const { return outcome_; }

    // What stays usable while a command runs.
    InputGate& Gate() { return gate_; }

signals:
    // The command still runs a moment after it started: time to show its
    // progress.
    void Slow();
    // The command has ended; the state is back and the input taken again.
    void Finished();

private:
    void ShowBusyCursor();
    void Done();

    CalcState state_;
    InputGate gate_;
    QTimer* slowTimer_;
    std::thread worker_;
    bool running_ = false;
    bool busyCursor_ = false;
    GuardedOutcome outcome_;
};

}  // namespace quorvix
