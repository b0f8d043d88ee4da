// The text tools: token conversions between rectangular and polar notation,
// rewriting an editor, aligning tokens, swapping decimal marks.
#include "textio/text_tools.h"

#include <string>

#include <gtest/gtest.h>

#include "core/errors.h"

namespace quorvix {
namespace {

OutputSettings Precision3(ComplexFormat format = ComplexFormat::Rectangular, char mark = '.') {
    OutputSettings s;
    s.RoundingFactor = 1000.0L;
    s.Format = format;
    s.DecimalMark = mark;
    return s;
}

struct TokenRow {
    const char* Name;
    std::string Token;
    std::string Expected;
    ComplexFormat Format = ComplexFormat::Rectangular;
    char Mark = '.';
};

class ToRectTest : public testing::TestWithParam<TokenRow> {};

TEST_P(ToRectTest, Converts) {
    const TokenRow& row = GetParam();
    EXPECT_EQ(TokenToRect(row.Token, Precision3(row.Format, row.Mark)), row.Expected);
    EXPECT_EQ(ConvertToken(row.Token, Conversion::ToRect, Precision3(row.Format, row.Mark)), row.Expected);
}

// 5(30): 5·cos 30° = 4.330, 5·sin 30° = 2.5. Angles go through 57.29578, so
// 90 degrees leaves a real part of about -3e-7, which prints as 0.
INSTANTIATE_TEST_SUITE_P(
    TextTools, ToRectTest,
    testing::Values(TokenRow{"Polar", "5(30)", "4.33+2.5i"}, TokenRow{"QuarterTurn", "2(90)", "0+2i"},
                    TokenRow{"NegativeQuarterTurn", "1(-90)", "0-1i"}, TokenRow{"NoAngle", "3(0)", "3"},
                    TokenRow{"RoundedRadiusLosesTheUnit", "1.414(45)", "1+1i"},
                    TokenRow{"BlanksAroundTheNumbers", " 5 ( 30 )", "4.33+2.5i"},
                    TokenRow{"TextAfterTheParenthesisIsIgnored", "5(30)xyz", "4.33+2.5i"},
                    TokenRow{"DecimalComma", "2,5(0)", "2,5", ComplexFormat::Rectangular, ','},
                    // With the polar format the value is printed in polar form again,
                    // from the rounded 4.33+2.5i: atan2(2.5, 4.33) is 30.0007 degrees.
                    TokenRow{"PolarFormatRebuildsPolar", "5(30)", "5(30.001)", ComplexFormat::Polar},
                    TokenRow{"Real", "-3.5", "-3.5"}, TokenRow{"Complex", "1+2i", "1+2i"},
                    TokenRow{"OnlyOpening", "5(30", "5(30"}, TokenRow{"OnlyClosing", "530)", "530)"}),
    [](const testing::TestParamInfo<TokenRow>& info) { return info.param.Name; });

class ToPolarTest : public testing::TestWithParam<TokenRow> {};

TEST_P(ToPolarTest, Converts) {
    const TokenRow& row = GetParam();
    EXPECT_EQ(TokenToPolar(row.Token, Precision3(row.Format, row.Mark)), row.Expected);
    EXPECT_EQ(ConvertToken(row.Token, Conversion::ToPolar, Precision3(row.Format, row.Mark)), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    TextTools, ToPolarTest,
    testing::Values(TokenRow{"UnitDiagonal", "1+i", "1.414(45)"}, TokenRow{"MinusI", "-i", "1(-90)"},
                    TokenRow{"PureImaginary", "2i", "2(90)"}, TokenRow{"NegativeReal", "-1+0i", "1(180)"},
                    TokenRow{"ThreeFourFive", "3+4i", "5(53.13)"}, TokenRow{"Zero", "0i", "0(0)"},
                    TokenRow{"CommaInComplex", "1,5+1,5i", "2,121(45)", ComplexFormat::Rectangular, ','},
                    TokenRow{"RealStays", "-5", "-5"}, TokenRow{"PolarStays", "5(30)", "5(30)"},
                    TokenRow{"UpperCaseIIsNotLookedFor", "1+2I", "1+2I"}),
    [](const testing::TestParamInfo<TokenRow>& info) { return info.param.Name; });

TEST(TextTools, PolarWithTheExponentForm) {
    OutputSettings s = Precision3();
    s.RoundingFactor = 0.0L;
    EXPECT_EQ(TokenToPolar("1+i", s), "1.414E+000(4.500E+001)");
}

struct BadToken {
    const char* Name;
    std::string Token;
    std::string Message;
};

class BadPolarTokenTest : public testing::TestWithParam<BadToken> {};

TEST_P(BadPolarTokenTest, RaisesTheConversionError) {
    try {
        TokenToRect(GetParam().Token, Precision3());
        FAIL() << "expected a conversion error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().Message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    TextTools, BadPolarTokenTest,
    testing::Values(BadToken{"BadRadius", "a(30)", "'a' is not a valid floating point value"},
                    BadToken{"BadAngle", "5(x)", "'x' is not a valid floating point value"},
                    BadToken{"NoRadius", "(30)", "'' is not a valid floating point value"},
                    // The radius text runs to the first "(" and is converted first.
                    BadToken{"ClosingBeforeOpening", "5)30(", "'5)30' is not a valid floating point value"},
                    BadToken{"CommaWhereThePointIsTheMark", "2,5(0)", "'2,5' is not a valid floating point value"}),
    [](const testing::TestParamInfo<BadToken>& info) { return info.param.Name; });

TEST(TextTools, AComplexTokenTheParserRefusesRaises) {
    EXPECT_THROW(TokenToPolar("1+2i3", Precision3()), ComplexParseError);
    EXPECT_THROW(TokenToPolar("+2i", Precision3()), ComplexParseError);
}

TEST(TextTools, RewritesEachRowWithTwoBlanksAfterEveryToken) {
    ResultPanel panel;
    const EditorLines a = {"1+i 2", "3 -i"};
    EXPECT_EQ(RewriteEditor(a, Conversion::ToPolar, Precision3(ComplexFormat::Polar), panel),
              (EditorLines{"1.414(45)  2  ", "3  1(-90)  ", ""}));
    EXPECT_TRUE(panel.Lines().empty());
}

TEST(TextTools, RewritingDropsBlankLinesAndSplitsOnTabs) {
    ResultPanel panel;
    const EditorLines a = {"", "1\t2", "   ", "3 4", "\t", ""};
    EXPECT_EQ(RewriteEditor(a, Conversion::None, Precision3(), panel), (EditorLines{"1  2  ", "3  4  ", ""}));
    EXPECT_TRUE(panel.Lines().empty());
}

TEST(TextTools, RewritingARaggedEditorWarns) {
    ResultPanel panel;
    panel.AddLine("A=");
    EXPECT_EQ(RewriteEditor({"1 2", "3"}, Conversion::ToRect, Precision3(), panel), (EditorLines{"1  2  ", "3  ", ""}));
    EXPECT_EQ(panel.Lines(), (std::vector<std::string>{"A=", kIncompleteWarning}));
}

TEST(TextTools, RewritingAnEmptyEditorGivesAnEmptyEditor) {
    ResultPanel panel;
    EXPECT_TRUE(RewriteEditor({}, Conversion::ToPolar, Precision3(), panel).empty());
    EXPECT_TRUE(RewriteEditor({"", "  "}, Conversion::ToPolar, Precision3(), panel).empty());
    EXPECT_TRUE(panel.Lines().empty());
}

TEST(TextTools, RewritingStopsAtTheFirstBadToken) {
    ResultPanel panel;
    EXPECT_THROW(RewriteEditor({"1(0)", "x(1)"}, Conversion::ToRect, Precision3(), panel), ConversionError);
}

TEST(TextTools, AlignsTokensInColumnsOfTheLongestTokenPlusTwo) {
    EXPECT_EQ(AlignLines({"1 -2.5", "10 3"}), (EditorLines{"1     -2.5  ", "10    3     "}));
}

TEST(TextTools, AlignDropsEmptyLinesAndEmptiesBlankOnes) {
    EXPECT_EQ(AlignLines({"", "a", "   ", "bb\tccc", ""}), (EditorLines{"a    ", "", "bb   ccc  "}));
    EXPECT_TRUE(AlignLines({}).empty());
    EXPECT_TRUE(AlignLines({"", ""}).empty());
    EXPECT_EQ(AlignLines({"  "}), (EditorLines{""}));
}

TEST(TextTools, RebuiltEditorsKeepEveryTokenWhole) {
    // A token with a blank, an opening quote or no characters is written back
    // quoted, so Align and the notation tools never split or lose an element;
    // the field is measured on the written text.
    EXPECT_EQ(AlignLines({"\"a b\" c"}), (EditorLines{"\"a b\"  c      "}));
    EXPECT_EQ(AlignLines({"x \"\"\"q\" \"\""}), (EditorLines{"x      \"\"\"q\"  \"\"     "}));
    const EditorLines unbalanced = {"1 \"2  3  "};
    ResultPanel panel;
    const EditorLines rewritten = RewriteEditor(unbalanced, Conversion::ToRect, Precision3(), panel);
    EXPECT_EQ(rewritten, (EditorLines{"1  \"2  3  \"  ", ""}));
    EXPECT_EQ(SplitTokens(AlignLines(unbalanced)[0]), SplitTokens(unbalanced[0]));
}

TEST(TextTools, ReplacesEveryMarkInThePanel) {
    ResultPanel panel;
    panel.AddLine("A=");
    panel.AddLine("   1,5   2,25");
    panel.AddLine("");
    ReplaceInPanel(panel, ',', '.');
    EXPECT_EQ(panel.Lines(), (std::vector<std::string>{"A=", "   1.5   2.25", ""}));
    ReplaceInPanel(panel, '.', ',');
    EXPECT_EQ(panel.Lines(), (std::vector<std::string>{"A=", "   1,5   2,25", ""}));
}

TEST(TextTools, BlankLinesAreThoseOfCodesZeroTo32) {
    EXPECT_TRUE(IsBlankLine(""));
    EXPECT_TRUE(IsBlankLine(" \t\r"));
    EXPECT_TRUE(IsBlankLine(std::string_view("\0 ", 2)));
    EXPECT_FALSE(IsBlankLine(" a "));
    EXPECT_FALSE(IsBlankLine("\x80"));
}

}  // namespace
}  // namespace quorvix
