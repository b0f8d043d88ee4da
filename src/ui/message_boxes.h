#pragma once
// The window's message boxes, titled with the program's name.
#include <string>
#include <vector>

#include "commands/guarded_run.h"

class QWidget;

namespace quorvix {

// How a command ended: its error in the error box, with its period and, for
// an error caused by typed text, where that text is on a second line
// ("Matrix A, line 2, element 1"); then each notice ("Successed!") in a box
// of its own. A cancel is the user's own wish: nothing to tell.
void ReportOutcome(QWidget* window, const GuardedOutcome& outcome, const std::vector<std::string>& notices);

// What closing the window would lose.
struct UnsavedWork {
    bool Inputs = false;   // A, B or x as typed
    bool Results = false;  // the result panel's lines
};

// Whether the user quits although the matrices typed, the results or both
// have not been saved. Enter and Esc keep the window: only a deliberate
// "Quit" loses them.
bool AskToQuitUnsaved(QWidget* window, UnsavedWork unsaved);

}  // namespace quorvix
