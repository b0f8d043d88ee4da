// Largest and smallest component, norm and dimension of one operand.
#include <cmath>
#include <string>

#include "commands/command_frame.h"
#include "commands/handlers.h"
#include "core/fpu.h"

namespace quorvix {

namespace {

// The component with the strictly largest (or smallest) real part, the first
// in row-major order on ties; the printed value keeps its imaginary part.
void ExtremeComponent(CalcState& s, Operand which, const char* label, bool largest) {
    s.Result.ResultKind = rkScalar;
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, label);
    ReadOperand(s, which, size, s.Result.ResultMatrix);
    const RCOMat& m = s.Result.ResultMatrix;
    if (m.empty() || m[0].empty()) {
        // An empty editor has no component to start from.
        Refuse(s, std::string(" Error: To Calculate ") + label + ", the Matrix is empty!");
        return;
    }
    double best = RealPart(m[0][0]);
    s.Result.ResultScalar = m[0][0];
    for (const RCOVec& row : m) {
        for (const Scalar& element : row) {
            const double key = RealPart(element);
            if (largest ? key > best : key < best) {
                best = key;
                s.Result.ResultScalar = element;
            }
        }
    }
    PrintResult(s);
}

// The Frobenius norm: the square root of the sum of the squared moduli.
void Norm(CalcState& s, Operand which, const char* label, RCOMat& work) {
    s.Result.ResultKind = rkScalar;
    s.Result.ResultScalar = Scalar::Integer(0);
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, label);
    ReadOperand(s, which, size, work);
    double sum = 0.0;  // the running sum is the result Scalar, a double
    for (const RCOVec& row : work) {
        for (const Scalar& element : row) {
            const long double re = RealPart(element), im = ImagPart(element);
            const long double term = re * re + im * im;
            sum = StoreDouble(static_cast<long double>(sum) + term);
        }
    }
    s.Result.ResultScalar = Scalar::Real(StoreDouble(SqrtExtended(sum)));
    PrintResult(s);
}

void Dimension(CalcState& s, Operand which, const char* label) {
    s.Result.ResultKind = rkDimension;
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, label);
    ReadOperand(s, which, size, s.Result.ResultMatrix);
    MatSize(s.Result.ResultMatrix, s.Result.DimRows, s.Result.DimCols);
    PrintResult(s);
}

}  // namespace

void SpeedButton40Click(CalcState& s) { ExtremeComponent(s, Operand::A, "Max(A)", true); }
void SpeedButton45Click(CalcState& s) { ExtremeComponent(s, Operand::B, "Max(B)", true); }
void SpeedButton47Click(CalcState& s) { ExtremeComponent(s, Operand::A, "Min(A)", false); }
void SpeedButton48Click(CalcState& s) { ExtremeComponent(s, Operand::B, "Min(B)", false); }
void SpeedButton50Click(CalcState& s) { Norm(s, Operand::A, "Norm(A)", s.Result.WorkA); }
void SpeedButton51Click(CalcState& s) { Norm(s, Operand::B, "Norm(B)", s.Result.WorkB); }
void SpeedButton19Click(CalcState& s) { Dimension(s, Operand::A, "Dim(A)"); }
void SpeedButton20Click(CalcState& s) { Dimension(s, Operand::B, "Dim(B)"); }

}  // namespace quorvix
