// Numbers and Scalars as the result panel shows them, and the precision box.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "core/errors.h"
#include "core/scalar.h"
#include "textio/element_parser.h"
#include "textio/element_reader.h"
#include "textio/matrix_reader.h"
#include "textio/number_format.h"
#include "textio/output_settings.h"

namespace quorvix {
namespace {

OutputSettings Precision(const std::string& p, char mark = '.', ComplexFormat format = ComplexFormat::Rectangular) {
    OutputSettings s;
    s.DecimalMark = mark;
    s.Format = format;
    PrecisionChange(p, s);
    return s;
}

OutputSettings Polar(const std::string& p, char mark = '.') { return Precision(p, mark, ComplexFormat::Polar); }

struct FormatRow {
    const char* name;
    const char* precision;
    long double x;
    const char* text;
    char mark = '.';
};

class FormatNumberRows : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatNumberRows, PrintsTheText) {
    const FormatRow& row = GetParam();
    EXPECT_EQ(FormatNumber(row.x, Precision(row.precision, row.mark)), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Digits, FormatNumberRows,
    ::testing::Values(FormatRow{"Whole", "3", 2.0L, "2"}, FormatRow{"Third", "3", 1.0L / 3.0L, "0.333"},
                      FormatRow{"RoundsToZero", "3", 0.0004L, "0"},
                      // 62.5 ties to the even 62.
                      FormatRow{"TieToEven", "3", 0.0625L, "0.062"}, FormatRow{"TieUpToEven", "3", 0.1875L, "0.188"},
                      FormatRow{"Long", "3", 1234567.891L, "1234567.891"}, FormatRow{"Negative", "3", -0.5L, "-0.5"},
                      FormatRow{"NegativeRoundsToZero", "3", -0.0004L, "0"}, FormatRow{"NegativeZero", "3", -0.0L, "0"},
                      FormatRow{"PrecisionZero", "0", 2.5L, "2"}, FormatRow{"NegativePrecision", "-1", 1234.0L, "1230"},
                      FormatRow{"Precision8", "8", 0.123456789L, "0.12345679"},
                      FormatRow{"DecimalComma", "3", 1.5L, "1,5", ','}, FormatRow{"LargeStillFits", "3", 1e15L, "1E15"},
                      FormatRow{"SmallScientific", "8", 0.00001L, "1E-5"},
                      // Beyond 2^63 after scaling: the value itself in the general form.
                      FormatRow{"Beyond2To63AtPrecision8", "8", 1e11L, "100000000000"},
                      FormatRow{"JustBeyondAtPrecision8", "8", 93000000000.0L, "93000000000"},
                      FormatRow{"JustBelowAtPrecision8", "8", 92000000000.5L, "92000000000.5"},
                      // Rounds up to 2^63 itself: still the general form, never a wrapped integer.
                      FormatRow{"RoundsUpTo2To63", "0", 9223372036854775807.5L, "9.22337203685478E18"},
                      FormatRow{"RoundsDownTo2To63", "0", -9223372036854775807.5L, "-9.22337203685478E18"},
                      FormatRow{"LargestWhole", "0", 9223372036854775806.5L, "9.22337203685478E18"},
                      FormatRow{"Beyond2To63AtPrecision3", "3", 1e20L, "1E20"},
                      FormatRow{"Beyond2To63Negative", "3", -1.5e19L, "-1.5E19"},
                      FormatRow{"Beyond2To63Comma", "8", 123456789012.25L, "123456789012,25", ','},
                      // The scaled value is not even finite.
                      FormatRow{"ScaledOverflow", "4000", 1.5L, "1.5"}, FormatRow{"HugeValue", "3", 1e308L, "1E308"}),
    [](const ::testing::TestParamInfo<FormatRow>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Exponent, FormatNumberRows,
    ::testing::Values(FormatRow{"Thousands", "e", 1234.5678L, "1.235E+003"}, FormatRow{"Zero", "e", 0.0L, "0.000E+000"},
                      FormatRow{"NegativeZero", "e", -0.0L, "0.000E+000"},
                      FormatRow{"NegativeHalf", "e", -0.5L, "-5.000E-001"}, FormatRow{"One", "e", 1.0L, "1.000E+000"},
                      FormatRow{"CarryIntoExponent", "e", 9.9996L, "1.000E+001"},
                      // An exact half rounds away from zero.
                      FormatRow{"ExactHalf", "e", 1.0625L, "1.063E+000"},
                      FormatRow{"ExactHalfNegative", "e", -1.0625L, "-1.063E+000"},
                      FormatRow{"BelowHalf", "e", 1.06249L, "1.062E+000"},
                      FormatRow{"Large", "e", 1e300L, "1.000E+300"}, FormatRow{"Small", "e", 2.5e-300L, "2.500E-300"},
                      FormatRow{"FourExponentDigits", "e", 1e4000L, "1.000E+4000"},
                      FormatRow{"Comma", "e", 1234.5678L, "1,235E+003", ','}),
    [](const ::testing::TestParamInfo<FormatRow>& info) { return std::string(info.param.name); });

TEST(FormatNumber, NeverPrintsInfOrNan) {
    const OutputSettings s = Precision("3");
    EXPECT_THROW(FormatNumber(INFINITY, s), ArithmeticError);
    EXPECT_THROW(FormatNumber(NAN, s), ArithmeticError);
    EXPECT_THROW(FormatNumber(-INFINITY, Precision("e")), ArithmeticError);
}

TEST(PrecisionChange, SetsTheRoundingFactor) {
    OutputSettings s;
    EXPECT_EQ(s.RoundingFactor, 1000.0L);
    PrecisionChange("e", s);
    EXPECT_EQ(s.RoundingFactor, 0.0L);
    PrecisionChange("8", s);
    EXPECT_EQ(s.RoundingFactor, 100000000.0L);
    PrecisionChange("0", s);
    EXPECT_EQ(s.RoundingFactor, 1.0L);
    PrecisionChange("2.5", s);
    EXPECT_NEAR(static_cast<double>(s.RoundingFactor), std::pow(10.0, 2.5), 1e-10);
    s.DecimalMark = ',';
    PrecisionChange("1,5", s);
    EXPECT_NEAR(static_cast<double>(s.RoundingFactor), std::pow(10.0, 1.5), 1e-10);
    for (int p = 1; p <= 8; ++p) {
        PrecisionChange(std::to_string(p), s);
        EXPECT_EQ(s.RoundingFactor, std::pow(10.0L, p));
    }
}

TEST(PrecisionChange, ARefusedTextLeavesTheFactor) {
    OutputSettings s;
    PrecisionChange("4", s);
    try {
        PrecisionChange("abc", s);
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
    EXPECT_THROW(PrecisionChange("E", s), ConversionError);  // only a lower-case "e" is the exponent form
    EXPECT_THROW(PrecisionChange("", s), ConversionError);
    EXPECT_THROW(PrecisionChange("99999", s), ArithmeticError);  // 10^99999 is beyond every range
    EXPECT_EQ(s.RoundingFactor, 10000.0L);
}

struct TextRow {
    const char* name;
    double re;
    double im;
    const char* text;
};

class RectangularRows : public ::testing::TestWithParam<TextRow> {};

TEST_P(RectangularRows, PrintsTheText) {
    const TextRow& row = GetParam();
    EXPECT_EQ(ScalarToText(Scalar::Complex(row.re, row.im), Precision("3")), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Precision3, RectangularRows,
    ::testing::Values(TextRow{"OnePlusI", 1, 1, "1+i"}, TextRow{"OneMinusI", 1, -1, "1-i"}, TextRow{"TwoI", 0, 2, "2i"},
                      TextRow{"MinusI", 0, -1, "-i"}, TextRow{"I", 0, 1, "i"}, TextRow{"Zero", 0, 0, "0"},
                      TextRow{"Real", -2.5, 0, "-2.5"}, TextRow{"General", 1, 2, "1+2i"},
                      TextRow{"NegativeImaginary", 3, -0.5, "3-0.5i"}, TextRow{"BothNegative", -1.25, -2, "-1.25-2i"},
                      TextRow{"MinusTwoI", 0, -2, "-2i"},
                      // The tests see the unrounded parts.
                      TextRow{"TinyImaginaryRoundsToZero", 1, 0.0004, "1+0i"}, TextRow{"AlmostOne", 1, 1.0004, "1+1i"},
                      TextRow{"TinyRealRoundsToZero", 0.0004, 1, "0+i"},
                      // The minus of a negative part that rounds to "0" is kept: "1-0i", not "10i".
                      TextRow{"NegativeTinyImaginary", 1, -0.0004, "1-0i"},
                      // Alone, the part is F(I) + "i": no sign to keep.
                      TextRow{"NegativeTinyImaginaryAlone", 0, -0.0004, "0i"},
                      TextRow{"PositiveTinyImaginaryAlone", 0, 0.0004, "0i"},
                      // Parts of magnitude at most 1e-12 are flushed to zero.
                      TextRow{"FlushedImaginary", 2, 1e-13, "2"}),
    [](const ::testing::TestParamInfo<TextRow>& info) { return std::string(info.param.name); });

class PolarRows : public ::testing::TestWithParam<TextRow> {};

TEST_P(PolarRows, PrintsTheText) {
    const TextRow& row = GetParam();
    EXPECT_EQ(ScalarToText(Scalar::Complex(row.re, row.im), Polar("3")), row.text);
}

INSTANTIATE_TEST_SUITE_P(Precision3, PolarRows,
                         ::testing::Values(TextRow{"OnePlusI", 1, 1, "1.414(45)"},
                                           TextRow{"MinusFive", -5, 0, "5(180)"}, TextRow{"Five", 5, 0, "5"},
                                           TextRow{"MinusTwoI", 0, -2, "2(-90)"}, TextRow{"Zero", 0, 0, "0"},
                                           TextRow{"I", 0, 1, "1(90)"}, TextRow{"MinusI", 0, -1, "1(-90)"},
                                           TextRow{"ThreeFour", 3, 4, "5(53.13)"},
                                           TextRow{"ThirtyDegrees", 4.330127018922194, 2.5, "5(30.001)"},
                                           // The polar numbers come from the rounded rectangular value "1-0i".
                                           TextRow{"SignLostInRounding", 1, -0.0004, "1-0i"},
                                           TextRow{"NegativeTinyImaginaryAlone", 0, -0.0001, "0i"}),
                         [](const ::testing::TestParamInfo<TextRow>& info) { return std::string(info.param.name); });

TEST(ScalarToText, PolarInTheExponentForm) {
    const OutputSettings e = Polar("e");
    EXPECT_EQ(ScalarToText(Scalar::Complex(1, 1), e), "1.414E+000(4.500E+001)");
    EXPECT_EQ(ScalarToText(Scalar::Complex(-5, 0), e), "5.000E+000(1.800E+002)");
    EXPECT_EQ(ScalarToText(Scalar::Complex(5, 0), e), "5.000E+000");
    // A pure imaginary: its rectangular text '2.000E+000i' is not re-read as text.
    EXPECT_EQ(ScalarToText(Scalar::Complex(0, 2), e), "2.000E+000(9.000E+001)");
    EXPECT_EQ(ScalarToText(Scalar::Complex(0, -2), e), "2.000E+000(-9.000E+001)");
    EXPECT_EQ(ScalarToText(Scalar::Complex(0, 1), e), "1.000E+000(9.000E+001)");
    EXPECT_EQ(ScalarToText(Scalar::Complex(0, 0), e), "0");
}

TEST(ScalarToText, RectangularInTheExponentForm) {
    const OutputSettings e = Precision("e");
    EXPECT_EQ(ScalarToText(Scalar::Complex(1, 2), e), "1.000E+000+2.000E+000i");
    EXPECT_EQ(ScalarToText(Scalar::Complex(1, -2), e), "1.000E+000-2.000E+000i");
    EXPECT_EQ(ScalarToText(Scalar::Complex(1, 1), e), "1.000E+000+i");
    EXPECT_EQ(ScalarToText(Scalar::Complex(0, 2), e), "2.000E+000i");
}

TEST(ScalarToText, AnyDecimalMark) {
    EXPECT_EQ(ScalarToText(Scalar::Complex(1.5, -2.25), Precision("3", ',')), "1,5-2,25i");
    EXPECT_EQ(ScalarToText(Scalar::Complex(1, 1), Polar("3", ',')), "1,414(45)");
    EXPECT_EQ(ScalarToText(Scalar::Complex(0.5, 0.5), Polar("3", ',')), "0,707(45)");
    EXPECT_EQ(ScalarToText(Scalar::Complex(3, 4), Polar("3", ',')), "5(53,13)");
    // A mark the element parser would never read back.
    EXPECT_EQ(ScalarToText(Scalar::Complex(3, 4), Polar("3", '\'')), "5(53'13)");
    EXPECT_EQ(ScalarToText(Scalar::Complex(0, 2.5), Polar("e", '\'')), "2'500E+000(9'000E+001)");
}

TEST(ScalarToText, NonComplexKinds) {
    const OutputSettings s = Precision("3");
    EXPECT_EQ(ScalarToText(Scalar::Real(-5), s), "-5");
    EXPECT_EQ(ScalarToText(Scalar::Real(-5), Polar("3")), "5(180)");
    EXPECT_EQ(ScalarToText(Scalar::Integer(7), s), "7");
    EXPECT_EQ(ScalarToText(Scalar(), s), "0");
}

TEST(ElementText, ComplexAwareAndRealOnly) {
    const OutputSettings s = Precision("3");
    EXPECT_EQ(ElementText(Scalar::Real(0.0625), s), "0.062");
    EXPECT_EQ(ElementText(Scalar::Real(-5), Polar("3")), "-5");  // a real value is never polar
    EXPECT_EQ(ElementText(Scalar::Complex(-5, 0), Polar("3")), "5(180)");
    EXPECT_EQ(ElementText(Scalar::Complex(1, 2), s), "1+2i");
    EXPECT_EQ(ElementText(Scalar::Integer(7), s), "7");
    EXPECT_EQ(ElementText(Scalar(), s), "0");
    EXPECT_EQ(RealElementText(Scalar::Complex(3, 4), s), "3");
    EXPECT_EQ(RealElementText(Scalar::Real(2.0 / 3.0), s), "0.667");
}

// Where reading the rectangular text back succeeds, the polar text is the one
// that reading gives: NormalizeToken, the element parser, radius and fixed
// angle of what it read.
std::string PolarByRereading(const Scalar& v, const OutputSettings& polar) {
    OutputSettings rect = polar;
    rect.Format = ComplexFormat::Rectangular;
    const std::string text = ScalarToText(v, rect);
    const Scalar back = ComplexFromText(NormalizeToken(text, polar));
    double r = 0, theta = 0;
    ComplexToPolar(back, true, r, theta);
    const long double d = static_cast<long double>(theta) * 57.29578L;
    if (d == 0) return text;
    return FormatNumber(r, polar) + "(" + FormatNumber(d, polar) + ")";
}

TEST(ScalarToText, PolarAgreesWithReadingTheTextBack) {
    const std::uint32_t seed = 20240611;
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-6, 8);
    std::uniform_int_distribution<int> shape(0, 5);
    int compared = 0;
    for (const char* precision : {"0", "1", "3", "5", "8", "e"}) {
        for (char mark : {'.', ','}) {
            const OutputSettings polar = Polar(precision, mark);
            for (int k = 0; k < 400; ++k) {
                double re = mantissa(gen) * std::pow(10.0, exponent(gen));
                double im = mantissa(gen) * std::pow(10.0, exponent(gen));
                switch (shape(gen)) {
                    case 0: re = 0; break;
                    case 1: im = 0; break;
                    case 2: im = (k % 2) ? 1 : -1; break;
                    default: break;
                }
                const Scalar v = Scalar::Complex(re, im);
                std::string expected;
                try {
                    expected = PolarByRereading(v, polar);
                } catch (const CalcError&) {
                    continue;  // the text could not be read back
                }
                EXPECT_EQ(ScalarToText(v, polar), expected) << "seed " << seed << " precision " << precision << " mark "
                                                            << mark << " value " << re << " " << im;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 3000);
}

}  // namespace
}  // namespace quorvix
