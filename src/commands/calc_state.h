#pragma once
// What the user sees, as plain state: the editors' lines, the coefficient and
// precision boxes, the output settings and the result panel. The window binds
// its controls to this; quorvix-cli drives it without a window. Nothing a
// command computes is kept here unless a front end asks for it (CommandLog):
// its numbers live in the command and leave only as text in the panel.
#include <optional>
#include <string>
#include <vector>

#include "textio/command_result.h"
#include "textio/matrix_reader.h"
#include "textio/output_settings.h"
#include "textio/result_panel.h"

namespace quorvix {

// What quorvix-cli reports besides the panel's text. Each part is kept only
// when its flag is on; the window leaves both off, since it shows the panel
// alone and a kept result would hold a second copy of a large matrix.
struct CommandLog {
    bool KeepRefusals = false;
    bool KeepLastResult = false;
    // Every message line a command wrote instead of its result, in order.
    std::vector<std::string> Refusals;
    // The result printed last, moved here once it is printed.
    std::optional<CommandResult> LastResult;
};

struct CalcState {
    EditorLines MatrixA;          // the Matrix A editor
    EditorLines MatrixB;          // the Matrix B editor
    std::string X = "1";          // the coefficient box
    std::string Precision = "3";  // the precision box's text
    OutputSettings Settings;      // rounding factor, complex format, decimal mark
    ResultPanel Panel;            // the result panel

    // Message boxes that are not errors ("Successed!"), newest last.
    std::vector<std::string> Notices;

    CommandLog Log;
};

// The start state of the window: both editors hold the 3 x 3 identity when
// the decimal mark is "." or ",", otherwise they are empty; x "1", precision "3".
CalcState StartState(char decimalMark);
// The same from the locale's decimal symbol as the system reports it. A mark
// of more than one byte (such as the Arabic decimal separator) cannot be
// printed by the one-byte number formats: the editors start empty, as for any
// mark other than "." or ",", and numbers use "." rather than a broken byte.
CalcState StartStateForLocale(const std::string& localeMark);

}  // namespace quorvix
