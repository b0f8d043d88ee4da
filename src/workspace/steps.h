#pragma once
// The window's actions as named steps, so that quorvix-cli (and the fuzzers)
// drive the same command layer as the window's buttons, menus and controls.
#include <optional>
#include <string>
#include <string_view>

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
    Save,        // save=FILE
    SaveResult,  // save-result=FILE
};

struct Step {
    StepKind Kind = StepKind::Operation;
    const Operation* Op = nullptr;  // for StepKind::Operation
    std::string Argument;           // the text after "=", or the format
};

// The step a command-line word names, or nothing for an unknown word.
std::optional<Step> ParseStep(std::string_view word);
// Runs one step on the state; errors propagate as CalcError.
void RunStep(CalcState& state, const Step& step);

// Editor text as lines: breaks are "\n", "\r\n" or "\r"; a final break does
// not make an extra line, and an empty text is an empty editor.
EditorLines SplitEditorText(std::string_view text);

}  // namespace quorvix
