// Largest and smallest component, norm and dimension of one operand.
#include <cmath>
#include <string>
#include <utility>

#include "commands/command_frame.h"
#include "commands/handlers.h"
#include "core/kernel/fpu.h"

namespace quorvix {

namespace {

// The component with the strictly largest (or smallest) real part, the first
// in row-major order on ties; the printed value keeps its imaginary part.
void ExtremeComponent(CalcState& s, Operand which, const char* label, bool largest) {
    const EditorSize size = BeginCommand(s, which, label);
    const RCOMat m = ReadOperand(s, which, size);
    if (m.empty() || m[0].empty()) {
        // An empty editor has no component to start from.
        Refuse(s, std::string(" Error: To Calculate ") + label + ", the Matrix is empty!");
        return;
    }
    double best = RealPart(m[0][0]);
    ScalarResult result{m[0][0]};
    for (const RCOVec& row : m) {
        for (const Scalar& element : row) {
            const double key = RealPart(element);
            if (largest ? key > best : key < best) {
                best = key;
                result.Value = element;
            }
        }
    }
    PrintResult(s, std::move(result));
}

}  // namespace

void LargestComponent(CalcState& s, const Operation& op, Operand which) { ExtremeComponent(s, which, op.Label, true); }

void SmallestComponent(CalcState& s, const Operation& op, Operand which) {
    ExtremeComponent(s, which, op.Label, false);
}

// The Frobenius norm: the square root of the sum of the squared moduli, the
// running sum a double, each term formed in extended precision.
void NormOfMatrix(CalcState& s, const Operation& op, Operand which) {
    const EditorSize size = BeginCommand(s, which, op.Label);
    const RCOMat m = ReadOperand(s, which, size);
    double sum = 0.0;
    for (const RCOVec& row : m) {
        for (const Scalar& element : row) {
            const long double re = RealPart(element), im = ImagPart(element);
            const long double term = re * re + im * im;
            sum = StoreDouble(static_cast<long double>(sum) + term);
        }
    }
    PrintResult(s, ScalarResult{Scalar::Real(StoreDouble(SqrtExtended(sum)))});
}

void DimensionOfMatrix(CalcState& s, const Operation& op, Operand which) {
    const EditorSize size = BeginCommand(s, which, op.Label);
    // Every element is still parsed, so a bad token shows its error instead of a dimension.
    const RCOMat m = ReadOperand(s, which, size);
    DimensionResult result;
    MatSize(m, result.Rows, result.Cols);
    PrintResult(s, std::move(result));
}

}  // namespace quorvix
