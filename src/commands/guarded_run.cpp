#include "commands/guarded_run.h"

#include <exception>
#include <new>

#include "commands/command_frame.h"

namespace quorvix {

GuardedOutcome RunGuarded(CalcState& state, const StateJob& job) {
    GuardedOutcome outcome;
    try {
        job(state);
    } catch (const CancelledError& e) {
        // Without it the panel would end at a bare label ("A^(100000000)").
        AppendNotice(state, kCancelNotice);
        outcome.Error = e.what();
        outcome.Cancelled = true;
    } catch (const CalcError& e) {
        outcome.Error = e.what();
        outcome.Place = e.Place();
    } catch (const std::bad_alloc&) {
        outcome.Error = "Out of memory";
    } catch (const std::exception& e) {
        outcome.Error = e.what();
    }
    return outcome;
}

}  // namespace quorvix
