// The QR, Cholesky, eigenvalue and singular value commands, as the user sees
// them in the result panel.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "commands/calc_state.h"
#include "commands/command_test_util.h"
#include "core/errors.h"
#include "core/mat_test_util.h"

namespace quorvix {
namespace {

using Lines = std::vector<std::string>;
using mattest::ErrorOf;
using testing_util::RunOf;

// One printed matrix row: each element right-aligned in 10 characters after a blank.
std::string Row(std::initializer_list<const char*> elements) {
    std::string line;
    for (const char* e : elements) {
        const std::string text = e;
        line += ' ';
        if (text.size() < 10) line.append(10 - text.size(), ' ');
        line += text;
    }
    return line;
}

// One eigenvalue line.
std::string Eig(const char* re, const char* im = nullptr) {
    std::string line = Row({re});
    if (im != nullptr) {
        line += '+';
        line += Row({im}).substr(1);
        line += 'i';
    }
    return line;
}

CalcState StateWith(Lines a, Lines b = {}) {
    CalcState s;
    s.MatrixA = std::move(a);
    s.MatrixB = std::move(b);
    return s;
}

void UsePrecision4(CalcState& s) {
    s.Precision = "4";
    s.Settings.RoundingFactor = 10000.0L;
}

// ---- QR ------------------------------------------------------------------

const Lines kClassic = {"12 -51 4", "6 167 -68", "-4 24 -41"};
Lines ClassicQR(const char* label) {
    return {std::string(label) + "=",
            "",
            "   Q:",
            Row({"-0.857", "-0.429", "0.286"}),
            Row({"0.394", "-0.903", "-0.171"}),
            Row({"0.331", "-0.034", "0.943"}),
            "",
            "   R:",
            Row({"-14", "-21", "14"}),
            Row({"0", "-175", "70"}),
            Row({"0", "0", "-35"}),
            ""};
}

TEST(QRCommand, ClassicExample) {
    CalcState s = StateWith(kClassic);
    RunOf("QR(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), ClassicQR("QR(A)"));
}

TEST(QRCommand, MatrixBPrintsWhatMatrixAPrints) {
    CalcState s = StateWith({"1"}, kClassic);
    RunOf("QR(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), ClassicQR("QR(B)"));
}

TEST(QRCommand, SingleColumn) {
    CalcState s = StateWith({"3", "4"});
    RunOf("QR(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"QR(A)=", "", "   Q:", Row({"-0.6", "-0.8"}), Row({"-0.8", "0.6"}), "",
                                      "   R:", Row({"-5"}), Row({"0"}), ""}));
}

TEST(QRCommand, ZeroFirstColumnIsLeftAlone) {
    CalcState s = StateWith({"0 1", "0 1"});
    RunOf("QR(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"QR(A)=", "", "   Q:", Row({"1", "0"}), Row({"0", "1"}), "",
                                      "   R:", Row({"0", "1"}), Row({"0", "1"}), ""}));
}

TEST(QRCommand, WideMatrixIsRefused) {
    CalcState s = StateWith({"1 2 3", "4 5 6"}, {"1 2 3", "4 5 6"});
    RunOf("QR(A)")(s);
    RunOf("QR(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"QR(A)", " Error: To Calculate QR, Row>=Col!", "", "QR(B)",
                                      " Error: To Calculate QR, Row>=Col!", ""}));
}

TEST(QRCommand, ComplexElementIsRefused) {
    CalcState s = StateWith({"1 2", "2i 4"});
    RunOf("QR(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"QR(A)", " Notice: Please input real matrix!", ""}));
}

TEST(QRCommand, TokenThatIsNoNumberStopsTheCommand) {
    CalcState s = StateWith({"1 2", "x 4"});
    EXPECT_EQ(ErrorOf([&] { RunOf("QR(A)")(s); }), "'x' is not a valid floating point value");
    EXPECT_EQ(s.Panel.Lines(), (Lines{"QR(A)"}));
}

TEST(QRCommand, IncompleteMatrixGetsZeros) {
    CalcState s = StateWith({"3 0", "4"});
    RunOf("QR(A)")(s);
    EXPECT_EQ(s.Panel.Lines(),
              (Lines{"Warning : Matrix is incomplete, and the null elements will be replaced by zeros.", "QR(A)=", "",
                     "   Q:", Row({"-0.6", "-0.8"}), Row({"-0.8", "0.6"}), "", "   R:", Row({"-5", "0"}),
                     Row({"0", "0"}), ""}));
}

// ---- Cholesky --------------------------------------------------------------

TEST(CholCommand, PositiveDefinite) {
    CalcState s = StateWith({"4 2", "2 3"});
    RunOf("Chol(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Chol(A)=", "", "   L:", Row({"1", "0"}), Row({"0.5", "1"}), "",
                                      "   D:", Row({"4", "0"}), Row({"0", "2"}), ""}));
}

TEST(CholCommand, LowerTriangleIsNotReadAndBMatchesA) {
    CalcState s = StateWith({"4 2", "2 3"}, {"4 2", "100 3"});
    RunOf("Chol(A)")(s);
    const Lines a = s.Panel.Lines();
    s.Panel.Clear();
    RunOf("Chol(B)")(s);
    Lines b = s.Panel.Lines();
    ASSERT_FALSE(b.empty());
    EXPECT_EQ(b.front(), "Chol(B)=");
    b.front() = "Chol(A)=";
    EXPECT_EQ(a, b);
}

TEST(CholCommand, IndefiniteIsAccepted) {
    CalcState s = StateWith({}, {"1 2", "2 1"});
    RunOf("Chol(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Chol(B)=", "", "   L:", Row({"1", "0"}), Row({"2", "1"}), "",
                                      "   D:", Row({"1", "0"}), Row({"0", "-3"}), ""}));
}

TEST(CholCommand, ZeroPivot) {
    CalcState s = StateWith({"0 1", "1 0"}, {"0 0", "0 5"});
    RunOf("Chol(A)")(s);
    RunOf("Chol(B)")(s);
    EXPECT_EQ(s.Panel.Lines(),
              (Lines{"Chol(A)", " No Cholesky decomposition!", "", "Chol(B)=", "", "   L:", Row({"1", "0"}),
                     Row({"1", "1"}), "", "   D:", Row({"0", "0"}), Row({"0", "5"}), ""}));
}

TEST(CholCommand, NonSquareIsRefused) {
    CalcState s = StateWith({"1 2 3", "4 5 6"});
    RunOf("Chol(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Chol(A)", " Error: To Calculate Cholesky, Row=Col!", ""}));
}

TEST(CholCommand, ComplexElements) {
    CalcState s = StateWith({"2i 1", "1 1"});
    RunOf("Chol(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Chol(A)=", "", "   L:", Row({"1", "0"}), Row({"-0.5i", "1"}), "",
                                      "   D:", Row({"2i", "0"}), Row({"0", "1+0.5i"}), ""}));
}

TEST(CholCommand, TinyPivotStopsWithTheDivisionError) {
    CalcState s = StateWith({"1e-7 1", "1 1"});
    EXPECT_EQ(ErrorOf([&] { RunOf("Chol(A)")(s); }), "Division by zero");
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Chol(A)"}));
}

// ---- Eigenvalues -------------------------------------------------------------

TEST(EigCommand, OneByOne) {
    CalcState s = StateWith({"5"});
    RunOf("Eig(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Eig(A)=", "", "", Eig("5"), ""}));
}

TEST(EigCommand, PositionsAreNotSorted) {
    CalcState s = StateWith({"2 0 0", "0 3 4", "0 4 9"});
    RunOf("Eig(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Eig(A)=", "", "", Eig("2"), Eig("1"), Eig("11"), ""}));
}

TEST(EigCommand, ComplexPair) {
    CalcState s = StateWith({"1 -2", "2 1"}, {"0 1", "-1 0"});
    RunOf("Eig(A)")(s);
    RunOf("Eig(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Eig(A)=", "", "", Eig("1", "-2"), Eig("1", "2"), "", "Eig(B)=", "", "",
                                      Eig("0", "-1"), Eig("0", "1"), ""}));
}

// A zero eigenvalue that the iteration found prints as 0 in its field.
TEST(EigCommand, ZeroEigenvaluesPrintTheirLine) {
    CalcState s = StateWith({"1 2", "2 4"}, {"0 1", "0 0"});
    RunOf("Eig(A)")(s);
    RunOf("Eig(B)")(s);
    s.MatrixA = {"2 0 0", "0 0 0", "0 0 3"};
    RunOf("Eig(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Eig(A)=", "", "", Eig("0"), Eig("5"), "", "Eig(B)=", "", "", Eig("0"), Eig("0"),
                                      "", "Eig(A)=", "", "", Eig("2"), Eig("0"), Eig("3"), ""}));
}

TEST(EigCommand, MatrixBRunsWithoutMatrixAEverHavingRun) {
    CalcState s = StateWith({}, {"0 4", "1 0"});
    RunOf("Eig(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Eig(B)=", "", "", Eig("2"), Eig("-2"), ""}));
}

TEST(EigCommand, SmallerRunAfterALargerOneShowsNothingOld) {
    CalcState s = StateWith({"1 0 0", "0 2 0", "0 0 3"}, {"7"});
    RunOf("Eig(A)")(s);
    s.Panel.Clear();
    RunOf("Eig(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Eig(B)=", "", "", Eig("7"), ""}));
}

TEST(EigCommand, ComplexElementIsRefused) {
    CalcState s = StateWith({"1 2i", "3 4"});
    RunOf("Eig(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Eig(A)", " Notice: Please input real matrix!", ""}));
}

TEST(EigCommand, ShapeIsCheckedBeforeTheElements) {
    CalcState s = StateWith({"1 2i 3", "3 4 5"}, {"1 2"});
    RunOf("Eig(A)")(s);
    RunOf("Eig(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Eig(A)", " Error: To Calculate Eig(A), Row=Col!", "", "Eig(B)",
                                      " Error: To Calculate Eig(B), Row=Col!", ""}));
}

TEST(EigCommand, EmptyEditorIsRefused) {
    CalcState s = StateWith({}, {"", "   "});
    RunOf("Eig(A)")(s);
    RunOf("Eig(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Eig(A)", " Error: To Calculate Eig(A), the Matrix is empty!", "", "Eig(B)",
                                      " Error: To Calculate Eig(B), the Matrix is empty!", ""}));
}

TEST(EigCommand, IterationLimitShowsTheFoundValuesAndANotice) {
    // The leading 4 x 4 block is the companion matrix of (x^2 - 1)^2, on which
    // the double shifts never split; the trailing 5 splits off first.
    CalcState s = StateWith({"0 2 0 -1 0", "1 0 0 0 0", "0 1 0 0 0", "0 0 1 0 0", "0 0 0 0 5"});
    RunOf("Eig(A)")(s);
    EXPECT_EQ(s.Panel.Lines(),
              (Lines{"Eig(A)=", "", "", Eig("5"), "", " Notice: Not all eigenvalues were found!", ""}));
}

TEST(EigCommand, IterationLimitAfterAnEarlierRunShowsNoOldValue) {
    CalcState s =
        StateWith({"1 0 0 0", "0 2 0 0", "0 0 3 0", "0 0 0 4"}, {"0 2 0 -1", "1 0 0 0", "0 1 0 0", "0 0 1 0"});
    RunOf("Eig(A)")(s);
    s.Panel.Clear();
    RunOf("Eig(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Eig(B)=", "", "", "", " Notice: Not all eigenvalues were found!", ""}));
}

TEST(EigCommand, OverflowIsAnError) {
    CalcState s = StateWith({"1e300 1e300", "1e300 1e300"});
    EXPECT_EQ(ErrorOf([&] { RunOf("Eig(A)")(s); }), "Floating point overflow");
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Eig(A)"}));
}

// ---- Singular value decomposition --------------------------------------------

TEST(SvdCommand, TwoByTwo) {
    CalcState s = StateWith({"1 2", "3 4"});
    UsePrecision4(s);
    RunOf("Svd(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Svd(A)=", "", "   U:", Row({"-0.4046", "-0.9145"}), Row({"-0.9145", "0.4046"}),
                                      "", "   S:", Row({"5.465", "0"}), Row({"0", "0.366"}), "",
                                      "   V:", Row({"-0.576", "-0.8174"}), Row({"0.8174", "-0.576"}), ""}));
}

TEST(SvdCommand, TwoByThree) {
    CalcState s = StateWith({"1 2 3", "4 5 6"});
    UsePrecision4(s);
    RunOf("Svd(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Svd(A)=", "", "   U:", Row({"-0.3863", "-0.9224"}), Row({"-0.9224", "0.3863"}),
                                      "", "   S:", Row({"9.508", "0", "0"}), Row({"0", "0.7729", "0"}), "",
                                      "   V:", Row({"-0.4287", "-0.5663", "-0.7039"}),
                                      Row({"0.806", "0.1124", "-0.5812"}), Row({"0.4082", "-0.8165", "0.4082"}), ""}));
}

TEST(SvdCommand, OrderedValuesAndSigns) {
    CalcState s = StateWith({"2 0", "0 3"}, {"-3"});
    RunOf("Svd(A)")(s);
    RunOf("Svd(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Svd(A)=",
                                      "",
                                      "   U:",
                                      Row({"0", "-1"}),
                                      Row({"1", "0"}),
                                      "",
                                      "   S:",
                                      Row({"3", "0"}),
                                      Row({"0", "2"}),
                                      "",
                                      "   V:",
                                      Row({"0", "1"}),
                                      Row({"-1", "0"}),
                                      "",
                                      "Svd(B)=",
                                      "",
                                      "   U:",
                                      Row({"1"}),
                                      "",
                                      "   S:",
                                      Row({"3"}),
                                      "",
                                      "   V:",
                                      Row({"-1"}),
                                      ""}));
}

TEST(SvdCommand, TallAndWideShapes) {
    CalcState s = StateWith({"3", "4", "0"}, {"3 4"});
    RunOf("Svd(A)")(s);
    RunOf("Svd(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Svd(A)=", "", "   U:",
                                      // U's last two columns complete it orthonormally.
                                      Row({"-0.6", "0", "0.8"}), Row({"-0.8", "0", "-0.6"}), Row({"0", "1", "0"}), "",
                                      "   S:", Row({"5"}), Row({"0"}), Row({"0"}), "", "   V:", Row({"-1"}), "",
                                      "Svd(B)=", "", "   U:", Row({"1"}), "", "   S:", Row({"5", "0"}), "",
                                      "   V:", Row({"0.6", "0.8"}), Row({"-0.8", "0.6"}), ""}));
}

TEST(SvdCommand, ZeroMatrix) {
    CalcState s = StateWith({"0 0", "0 0"});
    RunOf("Svd(A)")(s);
    EXPECT_EQ(s.Panel.Lines(),
              (Lines{"Svd(A)=", "", "   U:", Row({"1", "0"}), Row({"0", "1"}), "", "   S:", Row({"0", "0"}),
                     Row({"0", "0"}), "", "   V:", Row({"1", "0"}), Row({"0", "1"}), ""}));
}

TEST(SvdCommand, MatrixBPrintsWhatMatrixAPrints) {
    CalcState s = StateWith({"1 2 3", "4 5 6", "7 8 10", "1 0 1"}, {"1 2 3", "4 5 6", "7 8 10", "1 0 1"});
    RunOf("Svd(A)")(s);
    Lines a = s.Panel.Lines();
    s.Panel.Clear();
    RunOf("Svd(B)")(s);
    Lines b = s.Panel.Lines();
    ASSERT_FALSE(b.empty());
    EXPECT_EQ(b.front(), "Svd(B)=");
    b.front() = "Svd(A)=";
    EXPECT_EQ(a, b);
}

TEST(SvdCommand, ComplexElementIsRefused) {
    CalcState s = StateWith({"1 2", "3 -i"});
    RunOf("Svd(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Svd(A)", " Notice: Please input real matrix!", ""}));
}

TEST(SvdCommand, EmptyEditorIsRefused) {
    CalcState s = StateWith({}, {});
    RunOf("Svd(A)")(s);
    RunOf("Svd(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), (Lines{"Svd(A)", " Error: To Calculate Svd(A), the Matrix is empty!", "", "Svd(B)",
                                      " Error: To Calculate Svd(B), the Matrix is empty!", ""}));
}

TEST(SvdCommand, HugeAndTinyElementsDecompose) {
    CalcState s = StateWith({"1e300 2e300", "3e300 4e300"}, {"1e-300 2e-300", "3e-300 4e-300"});
    s.Settings.RoundingFactor = 0.0L;  // "e"
    RunOf("Svd(A)")(s);
    RunOf("Svd(B)")(s);
    const Lines& lines = s.Panel.Lines();
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_EQ(lines[7], Row({"5.465E+300", "0.000E+000"}));
    EXPECT_EQ(lines[8], Row({"0.000E+000", "3.660E+299"}));
    EXPECT_EQ(lines[21], Row({"5.465E-300", "0.000E+000"}));
    EXPECT_EQ(lines[22], Row({"0.000E+000", "3.660E-301"}));
}

}  // namespace
}  // namespace quorvix
