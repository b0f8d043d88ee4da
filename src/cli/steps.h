#pragma once
// The window's actions as named steps, so that quorvix-cli (and the fuzzers)
// drive the same command layer as the window's buttons, menus and controls.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/calc_state.h"
#include "commands/operation_table.h"

namespace quorvix {

enum class StepKind {
    Operation,     // an operation button
    Auto,          // "Auto"
    SetX,          // x=TEXT
    SetPrecision,  // precision=TEXT
    SetFormat,     // format=rect|polar
    SetA,          // a=TEXT
    SetB,          // b=TEXT
    PolarToRectA,
    RectToPolarA,
    PolarToRectB,
    RectToPolarB,
    AlignA,
    AlignB,
    AlignR,
    CommaToDot,
    DotToComma,
    Clear,
    ClearA,
    ClearB,
    Open,        // open=FILE
    Save,        // save=FILE (a .qvx name: a text project)
    SaveResult,  // save-result=FILE
    UseA,        // use-a, use-a=NAME, use-a=N, use-a=N:NAME
    UseB,        // use-b and the same
    ImportA,     // import-a=FILE
    ImportB,     // import-b=FILE
    Export,      // export=FILE, export=FILE:NAME
};

struct Step {
    StepKind Kind = StepKind::Operation;
    const Operation* Op = nullptr;  // for StepKind::Operation
    std::string Argument;           // the text after "=", or the format; the file of export=
    // use-a=N:NAME: the kept result's number (none: the newest); NAME, also
    // of export=FILE:NAME ("" for none).
    std::optional<std::size_t> Number;
    std::string Name;
};

// The step a command-line word names, or nothing for an unknown or an
// ambiguous word. Besides its step word ("Det(A)", "A^x"), an operation is
// named by its button's caption ("det A") or hint ("Determinant of Matrix A")
// as the window shows them, and Auto by "Auto", "AuTo", "Auto calculate" or
// "Auto Generate"; these names are compared without regard to case, to
// leading and trailing blanks or to the length of a run of blanks.
std::optional<Step> ParseStep(std::string_view word);
// The step words of the operations a caption or hint names: one for a name
// of one operation, several for a hint that two buttons share ("Matrix
// inverse": inv(A) and inv(B)), none for a word that names no operation.
std::vector<std::string> OperationsNamedBy(std::string_view word);
// The known step words nearest to an unknown word by edit distance (compared
// as names are), at most `most` of them: the operations' step words first,
// then the other steps, the captions, the hints and the steps with a value
// (shown as "open=FILE"), which are compared by the part up to "=".
std::vector<std::string> NearestStepWords(std::string_view word, std::size_t most = 5);
// Runs one step on the state; errors propagate as CalcError.
void RunStep(CalcState& state, const Step& step);

}  // namespace quorvix
