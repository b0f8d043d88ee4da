// The operations computed in the command layer: extreme components, norm,
// dimension, element-wise product and quotient, A/B, x times a matrix and
// the integer powers, with their labels, refusals and the decided cases.
#include <gtest/gtest.h>

#include "command_test_util.h"
#include "core/cancel.h"
#include "core/errors.h"

namespace quorvix {
namespace {

using testing_util::Lines;
using testing_util::RunOf;
using testing_util::StateWith;

TEST(ExtremeComponents, CompareRealPartsAndPrintWholeElement) {
    CalcState s = StateWith("1+5i 3\n3 -2");
    RunOf("Max(A)")(s);
    RunOf("Min(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"Max(A)=", "", "            3", "", "Min(A)=", "", "           -2", ""}));
    CalcState c = StateWith("2-7i");
    RunOf("Max(A)")(c);
    EXPECT_EQ(c.Panel.Lines()[2], "         2-7i");
}

TEST(ExtremeComponents, EmptyEditorWritesAMessage) {
    CalcState s = StateWith("");
    RunOf("Max(B)")(s);  // Max(B) of an empty B
    RunOf("Min(A)")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"Max(B)", " Error: To Calculate Max(B), the Matrix is empty!", "", "Min(A)",
                                      " Error: To Calculate Min(A), the Matrix is empty!", ""}));
}

TEST(Norm, FrobeniusOfRealAndComplex) {
    CalcState s = StateWith("3 4", "3+4i");
    RunOf("Norm(A)")(s);
    RunOf("Norm(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"Norm(A)=", "", "            5", "", "Norm(B)=", "", "            5", ""}));
    CalcState e = StateWith("");
    RunOf("Norm(A)")(e);
    EXPECT_EQ(e.Panel.Lines()[2], "            0");
}

TEST(Norm, OverflowIsAnError) {
    CalcState s = StateWith("1e200 1e200");
    EXPECT_THROW(RunOf("Norm(A)")(s), ArithmeticError);
    EXPECT_EQ(s.Panel.Lines(), Lines({"Norm(A)"}));
}

TEST(Dimension, CountsRowsAndColumnsAndStillParses) {
    CalcState s = StateWith("1 2 3\n\n4 5 6\n");
    RunOf("Dim(A)")(s);
    RunOf("Dim(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"Dim(A)=", "", "       2*3", "", "Dim(B)=", "", "       0*0", ""}));
    CalcState bad = StateWith("1 x");
    EXPECT_THROW(RunOf("Dim(A)")(bad), ComplexParseError);
}

TEST(ElementwiseProduct, MultipliesAndKeepsMissingElementsZero) {
    CalcState s = StateWith("1 2\n3 4", "2 2\n0.5 1");
    RunOf("A.*B")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"A.*B=", "          2          4", "        1.5          4", ""}));
}

TEST(ElementwiseQuotient, StopsAtAZeroInB) {
    CalcState s = StateWith("1 2\n3 4", "1 0\n1 1");
    RunOf("A./B")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"A./B", " Error: To Calculate A./B, the Matrix B without 0!", ""}));
    CalcState ragged = StateWith("2 4\n6 8", "2 4\n3");  // the missing element is not tested
    RunOf("A./B")(ragged);
    EXPECT_EQ(ragged.Panel.Lines(),
              Lines({"Warning : Matrix is incomplete, and the null elements will be replaced by zeros.",
                     "A./B=", "          1          1", "          2          0", ""}));
}

TEST(RightDivision, ShapesAndSingularDivisor) {
    CalcState s = StateWith("1 2 3\n4 5 6", "2 0 0\n0 4 0\n0 0 8");
    RunOf("A/B")(s);
    EXPECT_EQ(s.Panel.Lines(),
              Lines({"A/B=", "        0.5        0.5      0.375", "          2       1.25       0.75", ""}));
    CalcState wrong = StateWith("1 0 0\n0 1 0\n0 0 1", "1 2\n3 4\n5 6");
    RunOf("A/B")(wrong);
    EXPECT_EQ(wrong.Panel.Lines()[1], " Error: To Calculate A/B, B Should be square, and A(Col)=B(Row)!");
    CalcState singular = StateWith("1 2\n3 4", "1 2\n2 4");
    RunOf("A/B")(singular);
    EXPECT_EQ(singular.Panel.Lines(), Lines({"A/B", " Error: To Calculate A/B, Matrix B is singular!", ""}));
    // A divisor whose elements have no real part is not singular: A/(iI) = -iA.
    CalcState imaginary = StateWith("1 2\n3 4", "i 0\n0 i");
    RunOf("A/B")(imaginary);
    EXPECT_EQ(imaginary.Panel.Lines(), Lines({"A/B=", "         -i        -2i", "        -3i        -4i", ""}));
}

TEST(ScaleByX, ComplexCoefficientAndOrderOfErrors) {
    CalcState s = StateWith("1 2", "", "1+1i");
    RunOf("A*x")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"A*x=", "        1+i       2+2i", ""}));
    CalcState bad = StateWith("1 2\n3", "", "zz");
    EXPECT_THROW(RunOf("A*x")(bad), ComplexParseError);
    // The warning about the matrix comes before the error about x.
    EXPECT_EQ(bad.Panel.Lines(),
              Lines({"Warning : Matrix is incomplete, and the null elements will be replaced by zeros.", "A*x"}));
}

struct PowerCase {
    const char* name;
    bool onB;
    const char* x;
    const char* matrix;
    std::vector<std::string> expected;
};

class Powers : public ::testing::TestWithParam<PowerCase> {};

TEST_P(Powers, LabelAndResult) {
    const PowerCase& c = GetParam();
    CalcState s = c.onB ? StateWith("", c.matrix, c.x) : StateWith(c.matrix, "", c.x);
    if (c.onB)
        RunOf("B^x")(s);
    else
        RunOf("A^x")(s);
    EXPECT_EQ(s.Panel.Lines(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Exponents, Powers,
    ::testing::Values(
        PowerCase{"zero_gives_identity",
                  false,
                  "0",
                  "5 6\n7 8",
                  {"A^(0)=", "          1          0", "          0          1", ""}},
        PowerCase{"one_gives_operand",
                  false,
                  "1",
                  "5 6\n7 8",
                  {"A^(1)=", "          5          6", "          7          8", ""}},
        PowerCase{"three_products",
                  false,
                  "3",
                  "1 1\n0 1",
                  {"A^(3)=", "          1          3", "          0          1", ""}},
        PowerCase{"ties_to_even",
                  false,
                  "2.5",
                  "1 1\n0 1",
                  {"A^(2)=", "          1          2", "          0          1", ""}},
        PowerCase{"imaginary_part_ignored", false, "2+3i", "2", {"A^(2)=", "          4", ""}},
        PowerCase{"minus_one_inverts",
                  false,
                  "-1",
                  "2 0\n0 4",
                  {"A^(-1)=", "        0.5          0", "          0       0.25", ""}},
        PowerCase{
            "b_truncates", true, "2.9", "1 1\n0 1", {"B^(2)=", "          1          2", "          0          1", ""}},
        PowerCase{"b_negative_two",
                  true,
                  "-2",
                  "2 0\n0 1",
                  {"B^(-2)=", "       0.25          0", "          0          1", ""}},
        PowerCase{"b_negative_truncates", true, "-2.7", "2", {"B^(-2)=", "       0.25", ""}},
        PowerCase{"not_square", false, "2", "1 2", {"A^(2)", " Error: To Calculate A^x, A must be square! ", ""}},
        PowerCase{
            "singular_negative", false, "-2", "1 2\n2 4", {"A^(-2)", " Error: To Calculate A^x, A is singular!", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Powers, BReadsXAsAPlainNumber) {
    CalcState s = StateWith("", "1", "2+3i");
    EXPECT_THROW(RunOf("B^x")(s), ConversionError);
    EXPECT_TRUE(s.Panel.Lines().empty());  // nothing is written before the conversion
    CalcState a = StateWith("1", "", "abc");
    EXPECT_THROW(RunOf("A^x")(a), ComplexParseError);
    EXPECT_TRUE(a.Panel.Lines().empty());
}

TEST(Powers, OverflowSurfacesAtOnce) {
    CalcState s = StateWith("1e200", "", "1000000000000");
    try {
        RunOf("A^x")(s);
        FAIL() << "no overflow";
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
}

TEST(Powers, CancelStopsALongPower) {
    CalcState s = StateWith("1", "", "1000000000000");
    RequestCancel();
    EXPECT_THROW(RunOf("A^x")(s), CancelledError);
    ClearCancel();
    EXPECT_EQ(s.MatrixA, Lines({"1"}));
}

}  // namespace
}  // namespace quorvix
