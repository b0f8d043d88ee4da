#include "commands/command_frame.h"

#include "textio/result_writer.h"

namespace quorvix {

const EditorLines& EditorOf(const CalcState& state, Operand which) {
    return which == Operand::A ? state.MatrixA : state.MatrixB;
}

EditorSize MeasureEditor(CalcState& state, Operand which) {
    const EditorLines& editor = EditorOf(state, which);
    EditorSize size;
    size.Rows = CountRows(editor);
    size.Cols = CountColumns(editor, state.Panel);
    return size;
}

void AppendLabel(CalcState& state, std::string_view label) { state.Panel.AddLine(std::string(label)); }

void Refuse(CalcState& state, std::string_view message) {
    state.Panel.AddLine(std::string(message));
    state.Panel.AddLine("");
}

void ReadOperand(CalcState& state, Operand which, EditorSize size, RCOMat& target) {
    SizeMatrix(target, size.Rows, size.Cols);
    ReadMatrix(EditorOf(state, which), size.Rows, size.Cols, target, state.Settings);
}

bool ReadRealOperand(CalcState& state, Operand which, EditorSize size, RCOMat& target) {
    SizeMatrix(target, size.Rows, size.Cols);
    return ReadRealMatrix(EditorOf(state, which), size.Rows, size.Cols, target, state.Settings.DecimalMark,
                          state.Panel);
}

void PrintResult(CalcState& state) { WriteResult(state.Result, state.Panel, state.Settings); }

}  // namespace quorvix
