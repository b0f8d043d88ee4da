// The border between the editors and the double-precision library: the
// calculator's reader decides real or complex and the error places, the
// library's doubles come back unchanged (no -0), and the check and notice
// texts are written as the panel shows them.
#include "commands/more_operand.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>

#include "command_test_util.h"
#include "core/errors.h"

namespace quorvix {
namespace {

using testing_util::StateWith;

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

TEST(MoreOperand, RealElementsGiveARealMatrixInColumnMajorOrder) {
    CalcState s = StateWith("1 2 3\n4 5.5 -6");
    const LinalgMatrix m = ReadLinalgOperand(s, Operand::A, {2, 3});
    ASSERT_FALSE(IsComplexOperand(m));
    const auto& r = std::get<linalg::RealMatrix>(m);
    EXPECT_EQ(r.Rows(), 2);
    EXPECT_EQ(r.Cols(), 3);
    EXPECT_EQ(r(1, 1), 5.5);
    EXPECT_EQ(r(1, 2), -6);
    EXPECT_EQ(r.Data()[1], 4);  // column-major: (1, 0) follows (0, 0)
}

TEST(MoreOperand, OneComplexElementMakesTheMatrixComplexAndShortLinesGiveZeros) {
    CalcState s = StateWith("1 2\n3+4i");
    const LinalgMatrix m = ReadLinalgOperand(s, Operand::A, {2, 2});
    ASSERT_TRUE(IsComplexOperand(m));
    const auto& c = std::get<linalg::ComplexMatrix>(m);
    EXPECT_EQ(c(1, 0), linalg::Complex(3, 4));
    EXPECT_EQ(c(1, 1), linalg::Complex(0, 0));
    // "2+0i" has no imaginary part: the matrix is real.
    CalcState z = StateWith("", "1 2+0i");
    EXPECT_FALSE(IsComplexOperand(ReadLinalgOperand(z, Operand::B, {1, 2})));
}

TEST(MoreOperand, AnElementThatIsNotANumberIsPlacedInItsEditor) {
    CalcState s = StateWith("1 2", "\n3 x4");
    try {
        ReadLinalgOperand(s, Operand::B, {1, 2});
        FAIL() << "no error";
    } catch (const CalcError& e) {
        ASSERT_TRUE(e.Place().has_value());
        EXPECT_EQ(e.Place()->Editor, ErrorEditor::B);
        EXPECT_EQ(e.Place()->Line, 2);  // the blank first line counts
        EXPECT_EQ(e.Place()->Element, 2);
    }
}

TEST(MoreOperand, ResultsKeepTheirDoublesAndLoseOnlyTheSignOfZero) {
    linalg::RealMatrix r(1, 3);
    r(0, 0) = 0.1 + 0.2;
    r(0, 1) = -0.0;
    r(0, 2) = 1e-300;
    const RCOMat rows = ToResultMatrix(r);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(SameBits(RealPart(rows[0][0]), 0.1 + 0.2));
    EXPECT_TRUE(SameBits(RealPart(rows[0][1]), 0.0));
    EXPECT_TRUE(SameBits(RealPart(rows[0][2]), 1e-300));

    linalg::ComplexMatrix c(2, 1);
    c(0, 0) = linalg::Complex(2, 0);
    c(1, 0) = linalg::Complex(-0.0, 0.75);
    const RCOMat crows = ToResultMatrix(c);
    EXPECT_FALSE(IsComplex(crows[0][0]));  // no imaginary part: printed as real
    EXPECT_TRUE(IsComplex(crows[1][0]));
    EXPECT_TRUE(SameBits(RealPart(crows[1][0]), 0.0));
    EXPECT_EQ(ImagPart(crows[1][0]), 0.75);

    const RCOMat column = ToResultColumn({3, 2, 1});
    ASSERT_EQ(column.size(), 3u);
    EXPECT_EQ(RealPart(column[2][0]), 1);
}

TEST(MoreOperand, TheCheckLineIsInExponentFormWithTheDecimalMark) {
    EXPECT_EQ(CheckLineText(1.234e-16, '.'), "   check: 1.234E-016");
    EXPECT_EQ(CheckLineText(0, ','), "   check: 0,000E+000");
    CalcState s = StateWith("1");
    AppendCheckLine(s, 2.5e-15);
    ASSERT_GE(s.Panel.LineCount(), 2u);
    EXPECT_EQ(s.Panel.Lines()[s.Panel.LineCount() - 2], "   check: 2.500E-015");
    EXPECT_EQ(s.Panel.Lines().back(), "");
}

TEST(MoreOperand, TheNoticeComesOnlyBelowEpsAndSaysTheCondition) {
    EXPECT_EQ(ConditionText(3.2e17, '.'), "3.2E+017");
    EXPECT_EQ(ConditionText(1.2e300, ','), "1,2E+300");
    CalcState s = StateWith("1");
    const std::size_t before = s.Panel.LineCount();
    AppendSingularNotice(s, "A", std::numeric_limits<double>::epsilon());
    EXPECT_EQ(s.Panel.LineCount(), before);
    AppendSingularNotice(s, "A", 1 / 3.2e17);
    EXPECT_EQ(s.Panel.Lines()[s.Panel.LineCount() - 2],
              " Notice: A is close to singular (condition 3.2E+017); the result may be inaccurate.");
    AppendSingularNotice(s, "B", 0);
    EXPECT_EQ(s.Panel.Lines()[s.Panel.LineCount() - 2], " Notice: B is singular; the result may be inaccurate.");
    // A condition beyond the double's range says no more than that.
    AppendSingularNotice(s, "A", 1e-310);
    EXPECT_EQ(s.Panel.Lines()[s.Panel.LineCount() - 2], " Notice: A is singular; the result may be inaccurate.");
}

}  // namespace
}  // namespace quorvix
