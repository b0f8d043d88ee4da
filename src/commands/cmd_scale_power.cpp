// x times a matrix, and the integer powers A^x and B^x. The power is made by
// successive products, so its work grows linearly with the exponent; a
// running power can be cancelled between two products.
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "commands/command_frame.h"
#include "commands/handlers.h"
#include "core/cancel.h"
#include "core/fpu.h"
#include "textio/locale_number.h"

namespace quorvix {

namespace {

void ScaleOperand(CalcState& s, Operand which, const char* label) {
    s.Result.ResultKind = rkMatrix;
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, label);
    s.Result.ResultRows = size.Rows;
    s.Result.ResultCols = size.Cols;
    SizeMatrix(s.Result.ResultMatrix, size.Rows, size.Cols);
    // The matrix is read before x, so its warnings come before an error about x.
    ReadOperand(s, which, size, s.WorkT);
    s.Coefficient = ComplexFromText(NormalizeToken(s.X, s.Settings));
    MatScale(s.Coefficient, s.WorkT, s.Result.ResultMatrix);
    PrintResult(s);
}

// A whole number that must fit the 64-bit exponent; larger magnitudes are an
// invalid operation, as when the rounding itself cannot store them.
std::int64_t ToExponent(long double whole) {
    if (!(whole > -9223372036854775808.0L && whole < 9223372036854775808.0L)) RaiseInvalidOp();
    return static_cast<std::int64_t>(whole);
}

// operand^count by count-1 products, each multiplying the running power on
// the left of the operand; the power ends in both `power` and `product`.
void RepeatedProduct(const RCOMat& operand, std::uint64_t count, RCOMat& power, RCOMat& product) {
    power = operand;
    for (std::uint64_t k = 1; k < count; ++k) {
        CheckCancelled();
        MatMultiply(power, operand, product);
        std::swap(power, product);
    }
    product = power;
}

void Power(CalcState& s, Operand which, std::int64_t n) {
    const char* name = which == Operand::A ? "A" : "B";
    s.Result.ResultKind = rkMatrix;
    const EditorSize size = MeasureEditor(s, which);
    AppendLabel(s, std::string(name) + "^(" + std::to_string(n) + ")");
    if (size.Rows != size.Cols) {
        Refuse(s, std::string(" Error: To Calculate ") + name + "^x, " + name + " must be square! ");
        return;
    }
    ResultState& r = s.Result;
    RCOMat& operand = which == Operand::A ? r.WorkA : r.WorkB;
    r.ResultRows = r.ResultCols = size.Rows;
    SizeMatrix(r.ResultMatrix, size.Rows, size.Rows);
    SizeMatrix(s.WorkT, size.Rows, size.Rows);
    ReadOperand(s, which, size, operand);

    const char* singular = which == Operand::A ? " Error: To Calculate A^x, A is singular!"
                                               : " Error: To Calculate B^x, B is singular!";
    if (n == 0) {
        for (std::int32_t i = 0; i < size.Rows; ++i)
            for (std::int32_t j = 0; j < size.Rows; ++j) r.ResultMatrix[i][j] = Scalar::Integer(i == j ? 1 : 0);
    } else if (n == 1) {
        r.ResultMatrix = operand;
    } else if (n == -1) {
        MatInvertLU(operand, r.ResultMatrix);
        if (MatError == kMatSingular) return Refuse(s, singular);
    } else if (n > 1) {
        RepeatedProduct(operand, static_cast<std::uint64_t>(n), s.WorkT, r.ResultMatrix);
    } else {
        const std::uint64_t magnitude = static_cast<std::uint64_t>(-(n + 1)) + 1;
        RepeatedProduct(operand, magnitude, s.WorkT, r.ResultMatrix);
        MatInvertLU(s.WorkT, r.ResultMatrix);
        if (MatError == kMatSingular) return Refuse(s, singular);
    }
    PrintResult(s);
}

}  // namespace

void SpeedButton16Click(CalcState& s) { ScaleOperand(s, Operand::A, "A*x"); }
void SpeedButton17Click(CalcState& s) { ScaleOperand(s, Operand::B, "B*x"); }

void SpeedButton27Click(CalcState& s) {
    // A^x reads x with the element parser and rounds its real part, ties to even.
    const Scalar x = ComplexFromText(NormalizeToken(s.X, s.Settings));
    Power(s, Operand::A, ToExponent(std::nearbyint(static_cast<long double>(RealPart(x)))));
}

void SpeedButton44Click(CalcState& s) {
    // B^x reads x as a plain locale number and truncates it toward zero.
    s.Coefficient = Scalar::Real(LocaleToDouble(s.X, s.Settings.DecimalMark));
    Power(s, Operand::B, ToExponent(std::trunc(static_cast<long double>(s.Coefficient.RealValue()))));
}

}  // namespace quorvix
