// The precision box's text and the rounding factor change together, and a
// refused text leaves the factor as it was.
#include "commands/set_precision.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace quorvix {
namespace {

TEST(SetPrecision, TheFactorFollowsTheText) {
    CalcState s = StartState('.');
    SetPrecision(s, "5");
    EXPECT_EQ(s.Precision, "5");
    EXPECT_EQ(s.Settings.RoundingFactor, 100000.0L);
    SetPrecision(s, "e");
    EXPECT_EQ(s.Precision, "e");
    EXPECT_EQ(s.Settings.RoundingFactor, 0.0L);
}

TEST(SetPrecision, ARefusedTextStaysInTheBoxAndKeepsTheFactor) {
    CalcState s = StartState('.');
    SetPrecision(s, "2");
    EXPECT_THROW(SetPrecision(s, "-"), ConversionError);
    EXPECT_EQ(s.Precision, "-");
    EXPECT_EQ(s.Settings.RoundingFactor, 100.0L);
    EXPECT_FALSE(IsPrecisionText("-", s.Settings));
    EXPECT_FALSE(IsPrecisionText("99999", s.Settings));  // 10^99999 is beyond the extended range
    EXPECT_TRUE(IsPrecisionText("8", s.Settings));
}

}  // namespace
}  // namespace quorvix
