#pragma once
// What the checks share: the operands read again as double matrices, the
// design's results as double matrices, the tolerances, and the wording of
// the " Check: " line.
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <variant>

#include "commands/calc_state.h"
#include "commands/command_frame.h"
#include "commands/operation_table.h"
#include "linalg/matrix.h"

namespace quorvix::checks {

using linalg::Complex;
using linalg::ComplexMatrix;
using linalg::Matrix;
using linalg::RealMatrix;

inline constexpr double kEps = std::numeric_limits<double>::epsilon();
// Differences below this share of the answer's size are never reported: no
// printed digit can show them, and the reading's 1e-12 rounding of parts of
// a well-scaled operand stays below it.
inline constexpr double kSmallestReported = 1e-10;
// A double computation decides only while its own error bound, relative to
// the answer, stays below this.
inline constexpr double kUndecided = 0.25;

// The rules of the design's arithmetic that a check can name.
inline constexpr const char* kRoundingRule = "the design's rounding of small values changed it";
inline constexpr const char* kRoundingStop = "the design's rounding of small values stopped it";
inline constexpr const char* kDivisionRule =
    "the design's complex division, which refuses a divisor of modulus at most 1e-6, stopped it";
inline constexpr const char* kBlockRule =
    "Det's rule that a block of elements all below 0.00005 is singular changed it";
inline constexpr const char* kPivotRule = "inv's refusal of a pivot of squared modulus at most 2^-64 stopped it";

// An operand read as the command read it: real when no element has an
// imaginary part.
using Operand2 = std::variant<RealMatrix, ComplexMatrix>;

// The operand of a command on one matrix: "B" in its step word picks B.
Operand OperandOf(const Operation& op);
// The operand with the general reader (complex elements), at the editor's
// measure.
Operand2 ReadChecked(const CalcState& s, Operand which);
// The operand of a command on one matrix with the real-only reader of Eig,
// QR and Svd, and which editor it is.
struct RealOperand {
    Operand Which;
    RealMatrix Values;
};
RealOperand ReadCheckedReal(const CalcState& s, const Operation& op);

// A result matrix as doubles (T real: real parts only).
template <typename T>
Matrix<T> FromResult(const RCOMat& m, std::int32_t rows, std::int32_t cols);

// The transpose, without conjugation.
template <typename T>
Matrix<T> Transposed(const Matrix<T>& a);

// The design's scalar result, as a double complex.
Complex ScalarValue(const Scalar& v);

// ‖a − b‖_F in long double; the shapes agree.
template <typename T>
long double DifferenceNorm(const Matrix<T>& a, const Matrix<T>& b);

// The element where a and b differ most (0-based), by modulus.
struct Place {
    std::int32_t Row = 0;
    std::int32_t Col = 0;
};
template <typename T>
Place LargestDifference(const Matrix<T>& a, const Matrix<T>& b);

// Numbers as the line prints them: up to 8 significant digits ("1",
// "0.45454545", "2E-012"), a condition with two ("1.1E+010").
std::string CheckNumber(double v);
std::string CheckNumber(Complex z);
std::string CheckCondition(double cond);
// `exact` with as many digits (8 to 17) as it takes to tell it from `shown`.
std::string CheckNumberBeside(Complex exact, Complex shown);
// " (1,2)": the element's place as the user counts, from 1.
std::string ElementPlace(Place p);

// " Check: a double-precision computation gives " + what + (condition) +
// "; " + rule + "; " + advice + ".". No condition when it is not finite.
std::string CheckLine(const std::string& what, std::optional<double> condition, const char* rule,
                      const std::string& advice);

// "use PLU(A)" etc. with the operand's name.
std::string WithOperand(const char* text, Operand which);

}  // namespace quorvix::checks
