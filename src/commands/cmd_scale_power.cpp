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
#include "core/kernel/fpu.h"
#include "textio/locale_number.h"

namespace quorvix {

namespace {

// A whole number that must fit the 64-bit exponent; larger magnitudes are an
// invalid operation, as when the rounding itself cannot store them.
std::int64_t ToExponent(long double whole) {
    if (!(whole > -9223372036854775808.0L && whole < 9223372036854775808.0L)) RaiseInvalidOp();
    return static_cast<std::int64_t>(whole);
}

// The exponent n from the x box. A^x reads x with the element parser and
// rounds its real part, ties to even; B^x reads a plain locale number and
// truncates it toward zero. So "2+3i" is 2 for A^x and an error for B^x.
// An x too large for the exponent is an error of x's text, like a bad one.
}  // namespace

std::int64_t PowerExponent(const CalcState& s, Operand which) {
    if (which == Operand::A) {
        const Scalar x = ReadCoefficient(s);
        return ReadingX([&] { return ToExponent(std::nearbyint(static_cast<long double>(RealPart(x)))); });
    }
    return ReadingX([&] {
        const double x = LocaleToDouble(s.X, s.Settings.DecimalMark);
        return ToExponent(std::trunc(static_cast<long double>(x)));
    });
}

namespace {

// operand^count by count-1 products, each multiplying the running power on
// the left of the operand.
RCOMat RepeatedProduct(const RCOMat& operand, std::uint64_t count) {
    RCOMat power = operand;
    RCOMat product;
    SizeMatrix(product, static_cast<std::int32_t>(operand.size()), static_cast<std::int32_t>(operand.size()));
    // The power's progress is that of its products: those done, and the
    // running one's own fraction within its part.
    for (std::uint64_t k = 1; k < count; ++k) {
        SetProgressPart(static_cast<std::int64_t>(k - 1), static_cast<std::int64_t>(count - 1));
        CheckCancelled();
        MatMultiply(power, operand, product);
        std::swap(power, product);
    }
    return power;
}

}  // namespace

void ScaleMatrix(CalcState& s, const Operation& op, Operand which) {
    const EditorSize size = BeginCommand(s, which, op.Label);
    // The matrix is read before x, so its warnings come before an error about x.
    const RCOMat m = ReadOperand(s, which, size);
    const Scalar x = ReadCoefficient(s);
    MatrixResult result;
    SizeMatrix(result.Matrix, size.Rows, size.Cols);
    MatScale(x, m, result.Matrix);
    PrintResult(s, std::move(result));
}

void PowerOfMatrix(CalcState& s, const Operation& op, Operand which) {
    // The exponent is found first: a bad x stops the command before anything is written.
    const std::int64_t n = PowerExponent(s, which);
    // The row's label is the prefix "A^(" or "B^(" of the label with the exponent.
    const EditorSize size = BeginCommand(s, which, op.Label + std::to_string(n) + ")");
    const char* name = OperandName(which);
    if (size.Rows != size.Cols) {
        Refuse(s, std::string(" Error: To Calculate ") + name + "^x, " + name + " must be square! ");
        return;
    }
    RCOMat operand = ReadOperand(s, which, size);
    const std::string singular = std::string(" Error: To Calculate ") + name + "^x, " + name + " is singular!";

    MatrixResult result;
    SizeMatrix(result.Matrix, size.Rows, size.Rows);
    if (n == 0) {
        for (std::int32_t i = 0; i < size.Rows; ++i)
            for (std::int32_t j = 0; j < size.Rows; ++j) result.Matrix[i][j] = Scalar::Integer(i == j ? 1 : 0);
    } else if (n == 1) {
        result.Matrix = std::move(operand);
    } else if (n == -1) {
        if (MatInvertLU(operand, result.Matrix) == MatStatus::Singular) return Refuse(s, singular);
    } else if (n > 1) {
        result.Matrix = RepeatedProduct(operand, static_cast<std::uint64_t>(n));
    } else {
        const std::uint64_t magnitude = static_cast<std::uint64_t>(-(n + 1)) + 1;
        RCOMat power = RepeatedProduct(operand, magnitude);
        if (MatInvertLU(power, result.Matrix) == MatStatus::Singular) return Refuse(s, singular);
    }
    PrintResult(s, std::move(result));
}

}  // namespace quorvix
