#pragma once
// What the user sees, as plain state: the editors' lines, the coefficient and
// precision boxes, the output settings, the result panel and the results it
// shows, kept with their values. The window binds its controls to this;
// quorvix-cli drives it without a window. A command's scratch numbers live
// in the command; only its printed result is kept.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "textio/command_result.h"
#include "textio/matrix_reader.h"
#include "textio/output_settings.h"
#include "textio/result_panel.h"

namespace quorvix {

// What quorvix-cli reports besides the panel's text, kept only when its flag
// is on; the window leaves it off, since it shows the panel alone.
struct CommandLog {
    bool KeepRefusals = false;
    // Every message line a command wrote instead of its result, in order.
    std::vector<std::string> Refusals;
    // Every " Check: " line, in order (they are not refusals).
    std::vector<std::string> Checks;
    // How many results have been printed, so that a front end can tell
    // whether a step printed one (the kept results shrink when cleared).
    std::size_t Printed = 0;
};

// A result the panel printed, with its values (the doubles behind the text),
// as the command built it. The panel's text tools change the panel's text,
// never these.
struct KeptResult {
    std::string Label;  // the label as printed, without "=": "inv(A)", "A^(3)", "LU(A)"
    CommandResult Value;
};

// The editor texts a hint was last given for, each as a digest (0: none),
// so that one text is hinted at once, and again only after it changed.
struct HintedTexts {
    std::uint64_t A = 0;
    std::uint64_t B = 0;
};

struct CalcState {
    EditorLines MatrixA;          // the Matrix A editor
    EditorLines MatrixB;          // the Matrix B editor
    std::string X = "1";          // the coefficient box
    std::string Precision = "3";  // the precision box's text
    OutputSettings Settings;      // rounding factor, complex format, decimal mark
    ResultPanel Panel;            // the result panel
    // The results the panel printed, numbered from 1 in the order printed,
    // until the panel is cleared (Clear, or Auto, which clears it first).
    std::vector<KeptResult> Kept;

    // Message boxes that are not errors ("Successed!"), newest last.
    std::vector<std::string> Notices;
    // Hints that need no answer and stop nothing (an editor that looks like
    // comma-separated values), newest last: the window shows them without a
    // modal box, quorvix-cli as it shows the notices.
    std::vector<std::string> Hints;
    HintedTexts Hinted;

    // Whether the answers of the design's operations are checked against a
    // double-precision computation (on unless the user turns it off).
    bool CheckResults = true;

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
