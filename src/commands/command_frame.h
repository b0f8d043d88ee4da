#pragma once
// The common shape of a command: set the result kind, measure the editors,
// append the label, check, size and read the operands, compute, print.
#include <cstdint>
#include <string_view>

#include "commands/calc_state.h"

namespace quorvix {

struct EditorSize {
    std::int32_t Rows = 0;
    std::int32_t Cols = 0;
    bool operator==(const EditorSize&) const = default;
};

// Which editor a command reads.
enum class Operand { A, B };
const EditorLines& EditorOf(const CalcState& state, Operand which);

// CountRows, then CountColumns (which may append the incomplete warning).
EditorSize MeasureEditor(CalcState& state, Operand which);
// Appends the command's label as a new line.
void AppendLabel(CalcState& state, std::string_view label);
// A refused command: the message line, then one empty line.
void Refuse(CalcState& state, std::string_view message);
// Sizes `target` to the editor's size (every element zero) and fills it with
// the general reader (complex Scalars).
void ReadOperand(CalcState& state, Operand which, EditorSize size, RCOMat& target);
// The same with the real-only reader; false when the command was refused
// (the real-matrix notice has been written).
bool ReadRealOperand(CalcState& state, Operand which, EditorSize size, RCOMat& target);
// Prints the result state below the label (appends "=").
void PrintResult(CalcState& state);

}  // namespace quorvix
