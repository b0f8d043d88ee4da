#pragma once
// Runs one command of the engine on a worker thread, so that the window
// keeps drawing and can take Esc or Cancel while a long command runs. The
// engine is not re-entrant: one command at a time, and the state is moved to
// the worker for the run and handed back when it ends.
#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "commands/calc_state.h"
#include "commands/guarded_run.h"

namespace quorvix {

// Commands that print or rewrite numbers apply the precision box's text
// first, and do not run while it is not a precision.
enum class PrecisionUse { None, Apply };

class CommandRunner : public QObject {
    Q_OBJECT

public:
    using Job = std::function<void(CalcState&)>;

    explicit CommandRunner(QObject* parent = nullptr);
    ~CommandRunner() override;

    bool Running() const { return running_; }
    // Lowers the cancel flag, then runs `job` on `state` in a worker thread.
    // Finished() is emitted on this object's thread when it is done.
    void Start(CalcState state, Job job);
    // Asks the running command to stop at its next check.
    void Cancel();
    // Blocks until the running command has ended (used when closing).
    void Wait();

    // After Finished(): the state, and how the command ended (its error and
    // the error's place, or a cancel).
    CalcState TakeState();
    const GuardedOutcome& Outcome() const { return outcome_; }

signals:
    void Finished();

private:
    void Done();

    std::thread worker_;
    bool running_ = false;
    CalcState state_;
    GuardedOutcome outcome_;
};

}  // namespace quorvix
