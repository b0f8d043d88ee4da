// The inv, Det, Rank and LU commands: what each writes into the result panel
// for results, refusals and the shapes the routines treat specially.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/calc_state.h"
#include "commands/command_test_util.h"
#include "core/errors.h"

namespace quorvix {
namespace {

using testing_util::RunOf;

using Panel = std::vector<std::string>;

// A state with the given editor lines, precision 3, rectangular format.
CalcState WithEditors(EditorLines a, EditorLines b = {}) {
    CalcState s;
    s.MatrixA = std::move(a);
    s.MatrixB = std::move(b);
    return s;
}

Panel PanelAfter(const std::function<void(CalcState&)>& handler, EditorLines a, EditorLines b = {}) {
    CalcState s = WithEditors(std::move(a), std::move(b));
    handler(s);
    return s.Panel.Lines();
}

// ---- inv -----------------------------------------------------------------

TEST(InverseCommand, OneByOneIsPrintedAsAComplexValue) {
    EXPECT_EQ(PanelAfter(RunOf("inv(A)"), {"2"}), (Panel{"inv(A)=", "        0.5", ""}));
}

// Element-wise reciprocals under "inv(A)=" would pass for an inverse.
TEST(InverseCommand, NonSquareIsRefused) {
    EXPECT_EQ(PanelAfter(RunOf("inv(A)"), {"1 2 0", "4 5 8"}),
              (Panel{"inv(A)", " Error: To Calculate inv(A), the Matrix must be square!", ""}));
    EXPECT_EQ(PanelAfter(RunOf("inv(B)"), {}, {"1 2"}),
              (Panel{"inv(B)", " Error: To Calculate inv(B), the Matrix must be square!", ""}));
}

TEST(InverseCommand, SingularHasNoResult) {
    EXPECT_EQ(PanelAfter(RunOf("inv(A)"), {"1e-10"}), (Panel{"inv(A)", " Error: inv(A) has no result!", ""}));
    EXPECT_EQ(PanelAfter(RunOf("inv(B)"), {}, {"1 2", "2 4"}), (Panel{"inv(B)", " Error: inv(B) has no result!", ""}));
    EXPECT_EQ(PanelAfter(RunOf("inv(A)"), {"0 0", "0 0"}), (Panel{"inv(A)", " Error: inv(A) has no result!", ""}));
}

TEST(InverseCommand, SmallButAboveTheThreshold) {
    EXPECT_EQ(PanelAfter(RunOf("inv(A)"), {"1e-9"}), (Panel{"inv(A)=", " 1000000000", ""}));
    // The Scalar LU inverse would refuse this divisor; Gauss-Jordan on doubles does not.
    EXPECT_EQ(PanelAfter(RunOf("inv(A)"), {"0.0000001"}), (Panel{"inv(A)=", "   10000000", ""}));
}

TEST(InverseCommand, PurelyImaginaryDiagonal) {
    EXPECT_EQ(PanelAfter(RunOf("inv(A)"), {"i 0", "0 i"}),
              (Panel{"inv(A)=", "         -i          0", "          0         -i", ""}));
}

TEST(InverseCommand, ExchangesAreUndone) {
    EXPECT_EQ(PanelAfter(RunOf("inv(A)"), {"0 1", "1 0"}),
              (Panel{"inv(A)=", "          0          1", "          1          0", ""}));
    EXPECT_EQ(PanelAfter(RunOf("inv(A)"), {"1 2", "3 4"}),
              (Panel{"inv(A)=", "         -2          1", "        1.5       -0.5", ""}));
}

TEST(InverseCommand, IncompleteMatrixWarnsBeforeTheLabel) {
    EXPECT_EQ(PanelAfter(RunOf("inv(A)"), {"1 2", "3"}),
              (Panel{"Warning : Matrix is incomplete, and the null elements will be replaced by zeros.",
                     "inv(A)=", "          0      0.333", "        0.5     -0.167", ""}));
}

TEST(InverseCommand, BReadsMatrixB) {
    EXPECT_EQ(PanelAfter(RunOf("inv(B)"), {"5"}, {"4"}), (Panel{"inv(B)=", "       0.25", ""}));
}

TEST(InverseCommand, EmptyEditorPrintsAnEmptyResult) {
    EXPECT_EQ(PanelAfter(RunOf("inv(A)"), {}), (Panel{"inv(A)=", ""}));
}

TEST(InverseCommand, ParseErrorStopsAfterTheLabel) {
    CalcState s = WithEditors({"1 abc", "2 3"});
    EXPECT_THROW(RunOf("inv(A)")(s), ComplexParseError);
    EXPECT_EQ(s.Panel.Lines(), (Panel{"inv(A)"}));
}

// A non-square operand is refused before its elements are read, so a tiny
// element no longer stops it with the division error of its reciprocal.
TEST(InverseCommand, TinyElementOfANonSquareOperandIsRefusedUnread) {
    CalcState s = WithEditors({"1 0.0000001"});
    RunOf("inv(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Panel{"inv(A)", " Error: To Calculate inv(A), the Matrix must be square!", ""}));
}

TEST(InverseCommand, EarlierValuesNeverShowThrough) {
    CalcState s = WithEditors({"9 9 9", "9 9 9", "9 9 9"});
    RunOf("Rank(A)")(s);  // fills the result matrix with nines
    s.Panel.Clear();
    s.MatrixA = {"4 0", "0"};
    RunOf("inv(A)")(s);
    EXPECT_EQ(s.Panel.Lines(),
              (Panel{"Warning : Matrix is incomplete, and the null elements will be replaced by zeros.", "inv(A)",
                     " Error: inv(A) has no result!", ""}));
}

// ---- Det -------------------------------------------------------------------

TEST(DeterminantCommand, Values) {
    EXPECT_EQ(PanelAfter(RunOf("Det(A)"), {"1 2", "3 4"}), (Panel{"Det(A)=", "", "           -2", ""}));
    EXPECT_EQ(PanelAfter(RunOf("Det(A)"), {"2 1", "1 3"}), (Panel{"Det(A)=", "", "            5", ""}));
    EXPECT_EQ(PanelAfter(RunOf("Det(B)"), {}, {"1 2 3", "4 5 6", "7 8 9"}),
              (Panel{"Det(B)=", "", "            0", ""}));
    EXPECT_EQ(PanelAfter(RunOf("Det(A)"), {"1+i 2", "3 4-i"}), (Panel{"Det(A)=", "", "        -1+3i", ""}));
}

TEST(DeterminantCommand, NotSquare) {
    EXPECT_EQ(PanelAfter(RunOf("Det(A)"), {"1 2 3", "4 5 6"}),
              (Panel{"Det(A)", " Error: To Calculate Det(A), the Matrix must be square!", ""}));
    EXPECT_EQ(PanelAfter(RunOf("Det(B)"), {}, {"1 2"}),
              (Panel{"Det(B)", " Error: To Calculate Det(B), the Matrix must be square!", ""}));
}

TEST(DeterminantCommand, SquarenessIsCheckedBeforeReading) {
    CalcState s = WithEditors({"1 abc 3"});
    RunOf("Det(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Panel{"Det(A)", " Error: To Calculate Det(A), the Matrix must be square!", ""}));
}

TEST(DeterminantCommand, EmptyEditorHasNoDeterminant) {
    EXPECT_EQ(PanelAfter(RunOf("Det(A)"), {}),
              (Panel{"Det(A)", " Error: To Calculate Det(A), the Matrix is empty!", ""}));
    EXPECT_EQ(PanelAfter(RunOf("Det(B)"), {"1"}, {"", "  "}),
              (Panel{"Det(B)", " Error: To Calculate Det(B), the Matrix is empty!", ""}));
}

TEST(DeterminantCommand, Threshold) {
    EXPECT_EQ(PanelAfter(RunOf("Det(A)"), {"0.00001 0", "0 0.00001"}), (Panel{"Det(A)=", "", "            0", ""}));
    CalcState s = WithEditors({"1 0", "0 0.00001"});
    s.Settings.RoundingFactor = 0;  // precision "e"
    RunOf("Det(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Panel{"Det(A)=", "", "   1.000E-005", ""}));
    CalcState one = WithEditors({"0.00001"});
    one.Settings.RoundingFactor = 0;
    RunOf("Det(A)")(one);
    EXPECT_EQ(one.Panel.Lines(), (Panel{"Det(A)=", "", "   1.000E-005", ""}));
}

TEST(DeterminantCommand, MagnitudesBeyondTheFixedPointCount) {
    EXPECT_EQ(PanelAfter(RunOf("Det(A)"), {"1e15 0", "0 1"}), (Panel{"Det(A)=", "", "         1E15", ""}));
}

TEST(DeterminantCommand, PurelyImaginaryPivotsCount) {
    // Pivots are chosen by |re| + |im|, so a block of imaginary elements is not singular.
    EXPECT_EQ(PanelAfter(RunOf("Det(A)"), {"i 0", "0 i"}), (Panel{"Det(A)=", "", "           -1", ""}));
}

TEST(DeterminantCommand, OneByOneComplex) {
    EXPECT_EQ(PanelAfter(RunOf("Det(A)"), {"2-7i"}), (Panel{"Det(A)=", "", "         2-7i", ""}));
}

// ---- Rank ------------------------------------------------------------------

TEST(RankCommand, Values) {
    EXPECT_EQ(PanelAfter(RunOf("Rank(A)"), {"1 2 3", "4 5 6", "7 8 9"}), (Panel{"Rank(A)=", "", "            2", ""}));
    EXPECT_EQ(PanelAfter(RunOf("Rank(A)"), {"1 2 3", "2 4 6"}), (Panel{"Rank(A)=", "", "            1", ""}));
    EXPECT_EQ(PanelAfter(RunOf("Rank(B)"), {}, {"0 0 0", "0 0 0"}), (Panel{"Rank(B)=", "", "            0", ""}));
    // Complex pivots by |re| + |im|, and the whole complex quotient eliminates.
    EXPECT_EQ(PanelAfter(RunOf("Rank(B)"), {}, {"i 0", "0 i"}), (Panel{"Rank(B)=", "", "            2", ""}));
    EXPECT_EQ(PanelAfter(RunOf("Rank(A)"), {"1 i", "i -1"}), (Panel{"Rank(A)=", "", "            1", ""}));
    EXPECT_EQ(PanelAfter(RunOf("Rank(A)"), {"2i 1", "3i 5"}), (Panel{"Rank(A)=", "", "            2", ""}));
    EXPECT_EQ(PanelAfter(RunOf("Rank(A)"), {"1 0 0", "0 1 0", "0 0 1"}), (Panel{"Rank(A)=", "", "            3", ""}));
}

TEST(RankCommand, EmptyEditorHasRankZero) {
    EXPECT_EQ(PanelAfter(RunOf("Rank(A)"), {}), (Panel{"Rank(A)=", "", "            0", ""}));
}

// ---- LU --------------------------------------------------------------------

TEST(LUCommand, FactorsOfFourThreeSixThree) {
    EXPECT_EQ(PanelAfter(RunOf("LU(A)"), {"4 3", "6 3"}),
              (Panel{"LU(A)=", "", "   L:", "          1          0", "        1.5          1", "",
                     "   U:", "          4          3", "          0       -1.5", ""}));
}

TEST(LUCommand, NotSquareIsDecidedByTheRoutine) {
    EXPECT_EQ(PanelAfter(RunOf("LU(A)"), {"1 2 3", "4 5 6"}),
              (Panel{"LU(A)", " Error: To Calculate LU, Matrix must be square!", ""}));
    EXPECT_EQ(PanelAfter(RunOf("LU(B)"), {}, {"1 2"}),
              (Panel{"LU(B)", " Error: To Calculate LU, Matrix must be square!", ""}));
    // The matrix is read first, so a bad element wins over the shape.
    CalcState s = WithEditors({"1 abc 3"});
    EXPECT_THROW(RunOf("LU(A)")(s), ComplexParseError);
    EXPECT_EQ(s.Panel.Lines(), (Panel{"LU(A)"}));
}

TEST(LUCommand, ZeroPivotFails) {
    EXPECT_EQ(PanelAfter(RunOf("LU(A)"), {"0 1", "1 0"}), (Panel{"LU(A)", " Error:  Calculate LU failed!", ""}));
    EXPECT_EQ(PanelAfter(RunOf("LU(B)"), {}, {"0 1", "1 0"}), (Panel{"LU(B)", " Error:  Calculate LU failed!", ""}));
}

TEST(LUCommand, ZeroLastPivotSucceeds) {
    EXPECT_EQ(PanelAfter(RunOf("LU(B)"), {}, {"1 2", "2 4"}),
              (Panel{"LU(B)=", "", "   L:", "          1          0", "          2          1", "",
                     "   U:", "          1          2", "          0          0", ""}));
}

TEST(LUCommand, EmptyEditorPrintsEmptyFactors) {
    EXPECT_EQ(PanelAfter(RunOf("LU(A)"), {}), (Panel{"LU(A)=", "", "   L:", "", "   U:", ""}));
}

}  // namespace
}  // namespace quorvix
