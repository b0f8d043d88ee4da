#pragma once
// The common shape of a command: measure the editors it reads, append its
// label, check, read the operands, compute, print. The helpers here are the
// steps every command shares; the numbers a command reads and computes are
// its own locals.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "commands/calc_state.h"
#include "core/errors.h"
#include "textio/command_result.h"

namespace quorvix {

struct EditorSize {
    std::int32_t Rows = 0;
    std::int32_t Cols = 0;
    bool operator==(const EditorSize&) const = default;
};

// Which editor a command reads.
enum class Operand { A, B };
const EditorLines& EditorOf(const CalcState& state, Operand which);
EditorLines& EditorOf(CalcState& state, Operand which);
// "A" or "B".
const char* OperandName(Operand which);

// CountRows, then CountColumns; an editor whose lines disagree in their
// counts gets the incomplete-matrix warning in the panel, once.
EditorSize MeasureEditor(CalcState& state, Operand which);

// Runs `read`, which reads the editor of `which`; an error it raises that the
// reader placed on an element gets this editor as its place.
template <typename Read>
decltype(auto) ReadingEditor(Operand which, Read&& read) {
    try {
        return read();
    } catch (CalcError& e) {
        e.SetEditor(which == Operand::A ? ErrorEditor::A : ErrorEditor::B);
        throw;
    }
}
// Runs `read`, which converts the x box's text; an error it raises is placed
// in the x box.
template <typename Read>
decltype(auto) ReadingX(Read&& read) {
    try {
        return read();
    } catch (CalcError& e) {
        e.SetInXBox();
        throw;
    }
}
// The x box read with the element parser, as A*x, B*x and A^x read it.
Scalar ReadCoefficient(const CalcState& state);

// The start of a command on one operand: measure it, then append the label.
EditorSize BeginCommand(CalcState& state, Operand which, std::string_view label);
// The start of a command on both: measure A, then B, then append the label.
struct PairSize {
    EditorSize A;
    EditorSize B;
};
PairSize BeginPairCommand(CalcState& state, std::string_view label);

// A refused command: the message line written instead of its result, then
// the closing line (one empty line, for A.*B a line holding one blank). The
// message is logged as a refusal when the state keeps them.
void Refuse(CalcState& state, std::string_view message, std::string_view closingLine = "");
// When the operand is not square: the refusal " Error: To Calculate LABEL, "
// + demand ("Row=Col!"), and true.
bool RefuseUnlessSquare(CalcState& state, EditorSize size, std::string_view label, std::string_view demand);
// A notice after a printed result, in the same shape.
void AppendNotice(CalcState& state, std::string_view notice);

// The operand read with the general reader (complex Scalars), sized to the
// editor's measure; elements a short line does not supply are empty (0).
RCOMat ReadOperand(const CalcState& state, Operand which, EditorSize size);
// The same with the real-only reader; nothing when a token holds an "i", in
// which case the real-matrix notice has been written and the command stops.
std::optional<RCOMat> ReadRealOperand(CalcState& state, Operand which, EditorSize size);
// The real-matrix notice and its empty line.
void RefuseComplexInput(CalcState& state);

// Prints the result below the label (appends "="), then keeps it, under the
// label it was printed with, as the newest of the state's kept results.
void PrintResult(CalcState& state, CommandResult result);

}  // namespace quorvix
