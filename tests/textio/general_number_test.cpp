// The general number form and the general complex text form.
#include "textio/general_number.h"

#include <gtest/gtest.h>

namespace quorvix {
namespace {

TEST(ComplexToText, GeneralForm) {
    EXPECT_EQ(ComplexToText(Scalar::Complex(1, 2)), "1 + 2i");
    EXPECT_EQ(ComplexToText(Scalar::Complex(3, -0.5)), "3 - 0.5i");
    EXPECT_EQ(ComplexToText(Scalar::Complex(0, 0)), "0 + 0i");
    EXPECT_EQ(ComplexToText(Scalar::Complex(1e-5, 1e15)), "1E-005 + 1E015i");
    EXPECT_EQ(ComplexToText(Scalar::Complex(1.5, 0), ','), "1,5 + 0i");
}

TEST(FormatGeneral, FixedAndScientificRanges) {
    EXPECT_EQ(FormatGeneral(0.0001L), "0.0001");
    EXPECT_EQ(FormatGeneral(0.00001L), "1E-5");
    EXPECT_EQ(FormatGeneral(999999999999999.0L), "999999999999999");
    EXPECT_EQ(FormatGeneral(1e15L), "1E15");
    EXPECT_EQ(FormatGeneral(-1234567.891L), "-1234567.891");
    EXPECT_EQ(FormatGeneral(-0.0L), "0");
    EXPECT_EQ(FormatGeneral(1.0L / 3.0L), "0.333333333333333");
    EXPECT_EQ(FormatGeneral(2.5e-300L), "2.5E-300");
}

}  // namespace
}  // namespace quorvix
