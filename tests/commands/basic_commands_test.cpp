// The basic commands: their labels, checks and messages.
#include <gtest/gtest.h>

#include "command_test_util.h"
#include "core/errors.h"

namespace quorvix {
namespace {

using testing_util::Lines;
using testing_util::RunOf;
using testing_util::StateWith;

TEST(BasicCommands, SumOfTwoEmptyEditorsPrintsAnEmptyMatrix) {
    CalcState s = StateWith("", "");
    RunOf("A+B")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"A+B=", ""}));
}

TEST(BasicCommands, MessagesOfTheSameSizeFamily) {
    CalcState s = StateWith("1 2 3\n4 5 6", "1 2\n3 4\n5 6");
    RunOf("A-B")(s);
    RunOf("A&B")(s);
    RunOf("A|B")(s);
    RunOf("A#B")(s);
    EXPECT_EQ(s.Panel.Lines(),
              Lines({"A-B", " Error: To Calculate A-B, the two Matrice must be same dimensions!", "", "A&B",
                     " Error: To Calculate A&B, the two Matrice must be same dimensions!", "", "A|B",
                     " Error: To Calculate A|B, the two Matrice must be same dimensions!", "", "A#B",
                     " Error: To Calculate A#B, the two Matrice must be same dimensions!", ""}));
}

TEST(BasicCommands, ProductShapesAndMessage) {
    CalcState s = StateWith("1 2 3\n4 5 6", "1\n1\n1");
    RunOf("A*B")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"A*B=", "          6", "         15", ""}));
    CalcState bad = StateWith("1 2", "1 2");
    RunOf("A*B")(bad);
    EXPECT_EQ(bad.Panel.Lines(), Lines({"A*B", " Error: To Calculate A*B, A(Col)=B(Row)!", ""}));
}

TEST(BasicCommands, ComplexLogicalOperandCountsAsNonZero) {
    CalcState s = StateWith("0+2i 0", "1 1");
    RunOf("A&B")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"A&B=", "          1          0", ""}));
}

TEST(BasicCommands, MissingElementsAreZeroAfterAnEarlierCommand) {
    CalcState s = StateWith("9 9\n9 9", "9 9\n9 9");
    RunOf("A+B")(s);
    s.MatrixA = {"1 2", "3"};
    s.MatrixB = {"1 1", "1 1"};
    s.Panel.Clear();
    RunOf("A+B")(s);
    EXPECT_EQ(s.Panel.Lines(),
              Lines({"Warning : Matrix is incomplete, and the null elements will be replaced by zeros.",
                     "A+B=", "          2          3", "          4          1", ""}));
}

TEST(BasicCommands, TraceOfNonSquareAndComplex) {
    CalcState s = StateWith("1 2 3\n4 5 6", "1+i 0\n0 2");
    RunOf("Trace(A)")(s);
    RunOf("Trace(B)")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"Trace(A)=", "", "            6", "", "Trace(B)=", "", "          3+i", ""}));
}

TEST(BasicCommands, ParseErrorKeepsLabelWithoutEquals) {
    CalcState s = StateWith("1 2\n3 4", "1 2\n3 +2i");
    try {
        RunOf("A+B")(s);
        FAIL();
    } catch (const ComplexParseError& e) {
        EXPECT_STREQ(e.what(), "Could not parse required '+' (or '-') symbol [+2<?>i]");
    }
    EXPECT_EQ(s.Panel.Lines(), Lines({"A+B"}));
}

TEST(BasicCommands, TransposeOfARow) {
    CalcState s = StateWith("1 2 3");
    RunOf("A'")(s);
    EXPECT_EQ(s.Panel.Lines(), Lines({"A'=", "          1", "          2", "          3", ""}));
}

}  // namespace
}  // namespace quorvix

namespace quorvix {
namespace {

TEST(StartState, IdentitiesOnlyForPointAndComma) {
    const CalcState comma = StartStateForLocale(",");
    EXPECT_EQ(comma.MatrixA, testing_util::Lines({"1 0 0", "0 1 0", "0 0 1"}));
    EXPECT_EQ(comma.Settings.DecimalMark, ',');
    const CalcState other = StartStateForLocale("'");
    EXPECT_TRUE(other.MatrixA.empty());
    EXPECT_EQ(other.Settings.DecimalMark, '\'');
    // A mark of more than one byte cannot be printed by the number formats:
    // no identities, and numbers printed with ".", never with a NUL byte.
    CalcState wide = StartStateForLocale("\xd9\xab");
    EXPECT_TRUE(wide.MatrixA.empty());
    EXPECT_TRUE(wide.MatrixB.empty());
    EXPECT_EQ(wide.Settings.DecimalMark, '.');
    wide.MatrixA = {"1.5"};
    RunOf("A")(wide);
    EXPECT_EQ(wide.Panel.Lines(), testing_util::Lines({"A=", "        1.5", ""}));
}

}  // namespace
}  // namespace quorvix
