#pragma once
// The border between the editors and the double-precision library: an
// editor read with the calculator's own reader (so its input errors and
// their places are those of every command) into a LAPACK matrix, and the
// library's matrices back into the result shapes the writer prints and the
// panel keeps. Nothing here computes: the numbers pass through unchanged,
// except that a complex Scalar cannot hold a part of magnitude at most
// 1e-12 (it stores such a part as 0), while a real one holds any double.
#include <algorithm>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "commands/calc_state.h"
#include "commands/command_frame.h"
#include "commands/operation_table.h"
#include "core/matrice2.h"
#include "linalg/blas_threads.h"
#include "linalg/matrix.h"

namespace quorvix {

// An operand as the library takes it: real when every element's imaginary
// part is 0, otherwise complex.
using LinalgMatrix = std::variant<linalg::RealMatrix, linalg::ComplexMatrix>;

// Reads the editor of `which`, sized to its measure (elements a short line
// does not supply are 0).
LinalgMatrix ReadLinalgOperand(const CalcState& state, Operand which, EditorSize size);
// The same operand as a complex matrix, whatever its elements.
linalg::ComplexMatrix AsComplex(const LinalgMatrix& m);
bool IsComplexOperand(const LinalgMatrix& m);

// Rows of Scalars for the result writer: a real element, or a complex one
// whose imaginary part is 0, becomes a real Scalar; -0 becomes 0.
RCOMat ToResultMatrix(const linalg::RealMatrix& m);
RCOMat ToResultMatrix(const linalg::ComplexMatrix& m);
// One column, top to bottom.
RCOMat ToResultColumn(const std::vector<double>& values);

// The refusal of an empty editor: " Error: To Calculate LABEL, the Matrix is empty!".
void RefuseEmptyOperand(CalcState& state, std::string_view label);

// Whether a command on one operand takes only a square one.
enum class OperandShape { Any, Square };

// A command on one operand: its label, then the refusal of an operand that
// is not square when `shape` asks for one (" Error: To Calculate LABEL,
// Row=Col!", as the 43 refuse before they read) or of an empty editor; then
// `run` with the operand as a real or a complex matrix, the BLAS on as many
// threads as its size is worth.
template <typename Run>
void RunOnOperand(CalcState& state, const Operation& op, Operand which, OperandShape shape, Run run) {
    const std::string label = op.Label;
    const EditorSize size = BeginCommand(state, which, label);
    if (shape == OperandShape::Square && RefuseUnlessSquare(state, size, label, "Row=Col!")) return;
    if (size.Rows == 0) {
        RefuseEmptyOperand(state, label);
        return;
    }
    const linalg::BlasThreadScope threads(std::max(size.Rows, size.Cols));
    std::visit(run, ReadLinalgOperand(state, which, size));
}

// "   check: 1.234E-016" (the exponent form whatever the precision) and an
// empty line, after a result.
void AppendCheckLine(CalcState& state, double residual);
// When rcond is below the double's epsilon: " Notice: A is close to singular
// (condition 3.2E+017); the result may be inaccurate." and an empty line,
// the condition being 1 / rcond; for an rcond of 0, " Notice: A is
// singular; the result may be inaccurate." Nothing otherwise. `operand` is
// "A" or "B".
void AppendSingularNotice(CalcState& state, std::string_view operand, double rcond);

// The texts of those lines, for the tests and for the manual.
std::string CheckLineText(double residual, char decimalMark);
std::string ConditionText(double condition, char decimalMark);

}  // namespace quorvix
