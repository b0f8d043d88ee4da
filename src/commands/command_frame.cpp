#include "commands/command_frame.h"

#include <utility>

#include "commands/comma_hint.h"
#include "textio/element_parser.h"
#include "textio/element_reader.h"
#include "textio/result_writer.h"

namespace quorvix {

const EditorLines& EditorOf(const CalcState& state, Operand which) {
    return which == Operand::A ? state.MatrixA : state.MatrixB;
}

EditorLines& EditorOf(CalcState& state, Operand which) { return which == Operand::A ? state.MatrixA : state.MatrixB; }

const char* OperandName(Operand which) { return which == Operand::A ? "A" : "B"; }

EditorSize MeasureEditor(CalcState& state, Operand which) {
    const EditorLines& editor = EditorOf(state, which);
    EditorSize size;
    size.Rows = CountRows(editor);
    const ColumnCount columns = CountColumns(editor);
    if (columns.Incomplete) state.Panel.AddLine(kIncompleteWarning);
    size.Cols = columns.Columns;
    HintAtCommaSeparatedLines(state, which);
    return size;
}

EditorSize BeginCommand(CalcState& state, Operand which, std::string_view label) {
    const EditorSize size = MeasureEditor(state, which);
    state.Panel.AddLine(std::string(label));
    return size;
}

PairSize BeginPairCommand(CalcState& state, std::string_view label) {
    PairSize sizes;
    sizes.A = MeasureEditor(state, Operand::A);
    sizes.B = MeasureEditor(state, Operand::B);
    state.Panel.AddLine(std::string(label));
    return sizes;
}

void Refuse(CalcState& state, std::string_view message, std::string_view closingLine) {
    state.Panel.AddLine(std::string(message));
    state.Panel.AddLine(std::string(closingLine));
    if (state.Log.KeepRefusals) state.Log.Refusals.emplace_back(message);
}

bool RefuseUnlessSquare(CalcState& state, EditorSize size, std::string_view label, std::string_view demand) {
    if (size.Rows == size.Cols) return false;
    Refuse(state, " Error: To Calculate " + std::string(label) + ", " + std::string(demand));
    return true;
}

void AppendNotice(CalcState& state, std::string_view notice) {
    state.Panel.AddLine(std::string(notice));
    state.Panel.AddLine("");
}

Scalar ReadCoefficient(const CalcState& state) {
    return ReadingX([&] { return ComplexFromText(NormalizeToken(state.X, state.Settings)); });
}

RCOMat ReadOperand(const CalcState& state, Operand which, EditorSize size) {
    RCOMat m;
    SizeMatrix(m, size.Rows, size.Cols);
    ReadingEditor(which, [&] { ReadMatrix(EditorOf(state, which), size.Rows, size.Cols, m, state.Settings); });
    return m;
}

std::optional<RCOMat> ReadRealOperand(CalcState& state, Operand which, EditorSize size) {
    RCOMat m;
    SizeMatrix(m, size.Rows, size.Cols);
    const bool real = ReadingEditor(which, [&] {
        return ReadRealMatrix(EditorOf(state, which), size.Rows, size.Cols, m, state.Settings.DecimalMark);
    });
    if (!real) {
        RefuseComplexInput(state);
        return std::nullopt;
    }
    return m;
}

void RefuseComplexInput(CalcState& state) { Refuse(state, kRealMatrixNotice); }

void PrintResult(CalcState& state, CommandResult result) {
    // The label is the panel's last line until the writer appends "=".
    std::string label = state.Panel.LineCount() > 0 ? state.Panel.Lines().back() : std::string();
    WriteResult(result, state.Panel, state.Settings);
    state.Kept.push_back({std::move(label), std::move(result)});
    ++state.Log.Printed;
}

}  // namespace quorvix
