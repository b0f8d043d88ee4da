// Reading matrices from editor text: tokens, measuring, the token rewrite,
// complex and real-only reading, and inputs that must neither crash nor hang.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/matrice2.h"
#include "textio/element_reader.h"
#include "textio/matrix_reader.h"
#include "textio/output_settings.h"

namespace quorvix {
namespace {

using Tokens = std::vector<std::string>;

OutputSettings Settings(const std::string& precision = "3", char mark = '.') {
    OutputSettings s;
    s.DecimalMark = mark;
    PrecisionChange(precision, s);
    return s;
}

RCOMat Read(const EditorLines& editor, std::int32_t rows, std::int32_t cols, const OutputSettings& s = Settings()) {
    RCOMat m;
    SizeMatrix(m, rows, cols);
    ReadMatrix(editor, rows, cols, m, s);
    return m;
}

void ExpectComplex(const Scalar& v, double re, double im) {
    ASSERT_TRUE(IsComplex(v));
    EXPECT_EQ(RealPart(v), re);
    EXPECT_EQ(ImagPart(v), im);
}

// ---- The token rule --------------------------------------------------------

struct SplitRow {
    const char* name;
    std::string line;
    Tokens tokens;
};

class SplitRows : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitRows, SplitsAndCounts) {
    const SplitRow& row = GetParam();
    EXPECT_EQ(SplitTokens(row.line), row.tokens);
    EXPECT_EQ(CountTokens(row.line), static_cast<std::int32_t>(row.tokens.size()));
}

INSTANTIATE_TEST_SUITE_P(Rows, SplitRows,
                         ::testing::Values(SplitRow{"Empty", "", {}}, SplitRow{"Blanks", "   \t ", {}},
                                           SplitRow{"Plain", "1 2 3", {"1", "2", "3"}},
                                           SplitRow{"RunsAndEnds", "  1   -2.5\t\t3+4i  ", {"1", "-2.5", "3+4i"}},
                                           SplitRow{"Tabs", "1\t2", {"1", "2"}},
                                           SplitRow{"ControlCharacters",
                                                    "1\x01"
                                                    "2\x1f"
                                                    "3\r",
                                                    {"1", "2", "3"}},
                                           // NUL is not a separator: it belongs to the token.
                                           SplitRow{"Nul", std::string("1\0 2", 4), {std::string("1\0", 2), "2"}},
                                           SplitRow{"HighBytes", "\xc3\xa9 5 \x7f", {"\xc3\xa9", "5", "\x7f"}},
                                           SplitRow{"Quoted", "\"1 2\" 3", {"1 2", "3"}},
                                           SplitRow{"DoubledQuote", "\"a\"\"b\" c", {"a\"b", "c"}},
                                           SplitRow{"EmptyQuoted", "\"\" 1", {"", "1"}},
                                           // An unbalanced opening quote runs to the end of the line.
                                           SplitRow{"Unbalanced", "1 \"2 3", {"1", "2 3"}},
                                           SplitRow{"UnbalancedAfterDoubled", "\"a\"\"b c", {"a\"b c"}},
                                           // A character right after a closing quote starts the next token.
                                           SplitRow{"AfterClosingQuote", "\"1\"2", {"1", "2"}},
                                           // A quote inside a token is an ordinary character.
                                           SplitRow{"InnerQuote", "1\"2 3\"", {"1\"2", "3\""}}),
                         [](const ::testing::TestParamInfo<SplitRow>& info) { return std::string(info.param.name); });

// ---- Measuring ---------------------------------------------------------------

TEST(FindToken, GivesTheBytesOfTheNthTokenQuotesIncluded) {
    EXPECT_EQ(FindToken("  1 abc\t-2i", 2), (TokenExtent{4, 7}));
    EXPECT_EQ(FindToken("  1 abc\t-2i", 3), (TokenExtent{8, 11}));
    EXPECT_EQ(FindToken("1 \"a b\" 3", 2), (TokenExtent{2, 7}));
    EXPECT_EQ(FindToken("1 \"open", 2), (TokenExtent{2, 7}));
    EXPECT_EQ(FindToken("1 2", 3), std::nullopt);
    EXPECT_EQ(FindToken("1 2", 0), std::nullopt);
}

TEST(CountRows, CountsNonBlankLines) {
    EXPECT_EQ(CountRows({}), 0);
    EXPECT_EQ(CountRows({"1 2", "", "   ", "\t", std::string("\0\0", 2), "3 4", ""}), 2);
    EXPECT_EQ(CountRows({"\"\""}), 1);
}

TEST(CountColumns, RaggedLinesAreIncomplete) {
    EXPECT_EQ(CountColumns({"1 2 3", "4 5"}), (ColumnCount{3, true}));
    EXPECT_EQ(CountColumns({"1", "1 2", "1 2 3", "1"}), (ColumnCount{3, true}));
    EXPECT_STREQ(kIncompleteWarning,
                 "Warning : Matrix is incomplete, and the null elements will be replaced by zeros.");
}

TEST(CountColumns, BlankLinesDoNotWarn) {
    EXPECT_EQ(CountColumns({"1 2", "", "3 4"}), (ColumnCount{2, false}));         // an empty line is skipped
    EXPECT_EQ(CountColumns({"1 2", "   ", "3"}), (ColumnCount{2, false}));        // a line of blanks resets the count
    EXPECT_EQ(CountColumns({"1 2", "3 4", "", "   "}), (ColumnCount{2, false}));  // trailing empty and blank lines
    EXPECT_EQ(CountColumns({}), (ColumnCount{0, false}));
}

TEST(CountColumns, AnEmptyLineKeepsThePreviousCount) {
    EXPECT_EQ(CountColumns({"1 2", "", "3"}), (ColumnCount{2, true}));
}

// ---- The token rewrite -------------------------------------------------------

struct RewriteRow {
    const char* name;
    const char* token;
    const char* result;
    const char* precision = "3";
    char mark = '.';
};

class RewriteRows : public ::testing::TestWithParam<RewriteRow> {};

TEST_P(RewriteRows, Rewrites) {
    const RewriteRow& row = GetParam();
    EXPECT_EQ(NormalizeToken(row.token, Settings(row.precision, row.mark)), row.result);
}

INSTANTIATE_TEST_SUITE_P(
    Imaginary, RewriteRows,
    ::testing::Values(RewriteRow{"I", "i", "0+1i"}, RewriteRow{"PlusI", "+i", "0+1i"},
                      RewriteRow{"MinusI", "-i", "0-1i"}, RewriteRow{"TwoI", "2i", "0+2i"},
                      RewriteRow{"MinusTwoI", "-2i", "0-2i"}, RewriteRow{"ThreePlusI", "3+i", "3+1i"},
                      RewriteRow{"ThreeMinusI", "3-i", "3-1i"}, RewriteRow{"MinusThreeMinusI", "-3-i", "-3-1i"},
                      RewriteRow{"Full", "-1-2i", "-1-2i"}, RewriteRow{"FullPositive", "1+2i", "1+2i"},
                      RewriteRow{"PlusTwoI", "+2i", "+2i"}, RewriteRow{"ExponentSign", "2e-3i", "2e-3i"},
                      RewriteRow{"Exponent", "2E3i", "0+2E3i"}, RewriteRow{"UpperI", "2I", "2I"},
                      RewriteRow{"Real", "3", "3"}, RewriteRow{"Empty", "", ""}),
    [](const ::testing::TestParamInfo<RewriteRow>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(DecimalMarks, RewriteRows,
                         ::testing::Values(RewriteRow{"Comma", "1,5", "1.5"}, RewriteRow{"Point", "1.5", "1.5"},
                                           RewriteRow{"PointThenComma", "1.234,5", "1,234.5"},
                                           RewriteRow{"CommaThenPoint", "1,234.5", "1,234.5"},
                                           RewriteRow{"ComplexCommas", "1,5-2,5i", "1.5-2.5i"},
                                           RewriteRow{"ImaginaryComma", "2,5i", "0+2.5i"}),
                         [](const ::testing::TestParamInfo<RewriteRow>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Polar, RewriteRows,
    ::testing::Values(RewriteRow{"ThirtyDegrees", "5(30)", "4.33+2.5i"}, RewriteRow{"MinusNinety", "5(-90)", "0-5i"},
                      RewriteRow{"HalfTurn", "2(180)", "-2+0i"}, RewriteRow{"Ninety", "1(90)", "0+1i"},
                      RewriteRow{"ZeroAngle", "3(0)", "3+0i"},
                      RewriteRow{"BlanksInQuotedToken", " 5 ( 30 )", "4.33+2.5i"},
                      // The minus of a negative part that rounds to "0" stays: not "50i".
                      RewriteRow{"NegativeTinyAngle", "5(-0.001)", "5-0i"},
                      RewriteRow{"Precision8", "5(30)", "4.33012703+2.49999998i", "8"},
                      RewriteRow{"ExponentForm", "5(30)", "4.330E+000+2.500E+000i", "e"},
                      RewriteRow{"ExponentFormNegative", "5(-30)", "4.330E+000-2.500E+000i", "e"},
                      // Radius and angle use the locale's mark; the result uses the point.
                      RewriteRow{"LocaleComma", "2,5(90)", "0+2.5i", "3", ','},
                      RewriteRow{"LocaleCommaPrecision8", "5(30,5)", "4.30814581+2.5376918i", "8", ','},
                      RewriteRow{"OtherMark", "2'5(90)", "0+2.5i", "3", '\''}),
    [](const ::testing::TestParamInfo<RewriteRow>& info) { return std::string(info.param.name); });

TEST(NormalizeToken, BadPolarPartsAreConversionErrors) {
    const OutputSettings s = Settings();
    const struct {
        const char* token;
        const char* message;
    } rows[] = {
        {"x(30)", "'x' is not a valid floating point value"},
        {"5(3x)", "'3x' is not a valid floating point value"},
        {"(30)", "'' is not a valid floating point value"},
        {")5(", "')5' is not a valid floating point value"},
        {"5()", "'' is not a valid floating point value"},
        {"1.5(30)", "'1.5' is not a valid floating point value"},  // with the locale's comma
        {"1e5000(0)", "'1e5000' is not a valid floating point value"},
    };
    for (const auto& row : rows) {
        const OutputSettings settings = std::string(row.token) == "1.5(30)" ? Settings("3", ',') : s;
        try {
            NormalizeToken(row.token, settings);
            FAIL() << row.token;
        } catch (const ConversionError& e) {
            EXPECT_STREQ(e.what(), row.message) << row.token;
        }
    }
}

TEST(NormalizeDecimalMark, Rules) {
    EXPECT_EQ(NormalizeDecimalMark("1.5"), "1.5");
    EXPECT_EQ(NormalizeDecimalMark("1,5"), "1.5");
    EXPECT_EQ(NormalizeDecimalMark("1,2,3"), "1.2.3");
    EXPECT_EQ(NormalizeDecimalMark("1,234.5"), "1,234.5");
    EXPECT_EQ(NormalizeDecimalMark("1.234,5"), "1,234.5");
    EXPECT_EQ(NormalizeDecimalMark("1.2.3,4"), "1,2,3.4");
    EXPECT_EQ(NormalizeDecimalMark("12"), "12");
    EXPECT_EQ(NormalizeDecimalMark(""), "");
}

// ---- Complex reading -----------------------------------------------------------

TEST(ReadMatrix, EveryElementIsComplex) {
    const RCOMat m = Read({"1 2.5", "-3 4+2i"}, 2, 2);
    ExpectComplex(m[0][0], 1, 0);
    ExpectComplex(m[0][1], 2.5, 0);
    ExpectComplex(m[1][0], -3, 0);
    ExpectComplex(m[1][1], 4, 2);
}

TEST(ReadMatrix, MissingElementsStayEmpty) {
    const EditorLines editor{"1 2 3", "4 5"};
    ASSERT_EQ(CountRows(editor), 2);
    ASSERT_EQ(CountColumns(editor).Columns, 3);
    const RCOMat m = Read(editor, 2, 3);
    EXPECT_TRUE(m[1][2].IsEmpty());
    ExpectComplex(m[1][1], 5, 0);
}

TEST(ReadMatrix, BlankLinesAreSkipped) {
    const RCOMat m = Read({"", "1 2", "", "  \t", "3 4", ""}, 2, 2);
    ExpectComplex(m[0][0], 1, 0);
    ExpectComplex(m[1][1], 4, 0);

    const RCOMat ragged = Read({"1 2", "   ", "3"}, 2, 2);
    ExpectComplex(ragged[1][0], 3, 0);
    EXPECT_TRUE(ragged[1][1].IsEmpty());
}

TEST(ReadMatrix, TheRewrittenForms) {
    const RCOMat m = Read({"i -i 2i -2i", "3+i 3-i -3-i 2E3i", "1,5 1+2I 5(30) 2(180)"}, 3, 4);
    ExpectComplex(m[0][0], 0, 1);
    ExpectComplex(m[0][1], 0, -1);
    ExpectComplex(m[0][2], 0, 2);
    ExpectComplex(m[0][3], 0, -2);
    ExpectComplex(m[1][0], 3, 1);
    ExpectComplex(m[1][1], 3, -1);
    ExpectComplex(m[1][2], -3, -1);
    ExpectComplex(m[1][3], 0, 2000);
    ExpectComplex(m[2][0], 1.5, 0);
    ExpectComplex(m[2][1], 1, 2);
    ExpectComplex(m[2][2], 4.33, 2.5);
    ExpectComplex(m[2][3], -2, 0);
}

TEST(ReadMatrix, DecimalCommas) {
    const RCOMat m = Read({"1,5 -2,25", "0,5-1,5i 3"}, 2, 2, Settings("3", ','));
    ExpectComplex(m[0][0], 1.5, 0);
    ExpectComplex(m[0][1], -2.25, 0);
    ExpectComplex(m[1][0], 0.5, -1.5);
    ExpectComplex(m[1][1], 3, 0);
}

TEST(ReadMatrix, ParserRefusalsStopTheReading) {
    const struct {
        const char* token;
        const char* message;
    } rows[] = {
        {"3x", "Could not parse required '+' (or '-') symbol [3<?>x]"},
        {"+2i", "Could not parse required '+' (or '-') symbol [+2<?>i]"},
        {"2e-3i", "Could not parse required '+' (or '-') symbol [2e-3<?>i]"},
        {"2I", "Could not parse required '+' (or '-') symbol [2<?>I]"},
        {"1.234,5", "Could not parse required '+' (or '-') symbol [1<?>,234.5]"},
        {"abc", "Could not parse real portion [<?>abc]"},
        {"\"\"", "Could not parse real portion [<?>]"},
    };
    for (const auto& row : rows) {
        try {
            Read({std::string("1 ") + row.token}, 1, 2);
            FAIL() << row.token;
        } catch (const ComplexParseError& e) {
            EXPECT_STREQ(e.what(), row.message) << row.token;
        }
    }
}

TEST(ReadMatrix, ReadsOnlyTheRequestedRowsAndColumns) {
    // Tokens beyond the column count and lines beyond the row count are not read at all.
    const RCOMat m = Read({"1 2 junk", "3 4 junk", "junk junk"}, 2, 2);
    ExpectComplex(m[1][1], 4, 0);

    std::vector<std::pair<int, int>> seen;
    ReadElements({"1 2 3", "4 5 6", "7 8 9"}, 2, 2, Settings(),
                 [&](std::int32_t i, std::int32_t j, const Scalar&) { seen.emplace_back(i, j); });
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));

    seen.clear();
    ReadElements({"1 2"}, 0, 2, Settings(),
                 [&](std::int32_t i, std::int32_t j, const Scalar&) { seen.emplace_back(i, j); });
    ReadElements({"1 2"}, 1, -3, Settings(),
                 [&](std::int32_t i, std::int32_t j, const Scalar&) { seen.emplace_back(i, j); });
    EXPECT_TRUE(seen.empty());
}

TEST(ReadMatrix, NeverWritesOutsideTheTarget) {
    RCOMat small;
    SizeMatrix(small, 1, 1);
    ReadMatrix({"1 2 3", "4 5 6"}, 2, 3, small, Settings());
    ASSERT_EQ(small.size(), 1u);
    ASSERT_EQ(small[0].size(), 1u);
    ExpectComplex(small[0][0], 1, 0);
}

// ---- Real-only reading -----------------------------------------------------------

TEST(ReadRealMatrix, ReadsRealScalarsWithTheLocaleMark) {
    RCOMat m;
    SizeMatrix(m, 2, 2);
    ASSERT_TRUE(ReadRealMatrix({"1,5 -2", "3e2"}, 2, 2, m, ','));
    EXPECT_EQ(m[0][0].Kind(), ScalarKind::Real);
    EXPECT_EQ(m[0][0].RealValue(), 1.5);
    EXPECT_EQ(m[0][1].RealValue(), -2.0);
    EXPECT_EQ(m[1][0].RealValue(), 300.0);
    EXPECT_TRUE(m[1][1].IsEmpty());
}

TEST(ReadRealMatrix, AnImaginaryTokenStopsTheReading) {
    std::vector<std::pair<int, int>> seen;
    const bool ok = ReadRealElements({"1 2i", "3 4"}, 2, 2, '.',
                                     [&](std::int32_t i, std::int32_t j, const Scalar&) { seen.emplace_back(i, j); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 0}}));
}

TEST(ReadRealMatrix, NumbersAreNotRewritten) {
    RCOMat m;
    SizeMatrix(m, 1, 1);
    try {
        ReadRealMatrix({"1,5"}, 1, 1, m, '.');
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'1,5' is not a valid floating point value");
    }
    EXPECT_THROW(ReadRealMatrix({"5(30)"}, 1, 1, m, '.'), ConversionError);
    EXPECT_THROW(ReadRealMatrix({"2I"}, 1, 1, m, '.'), ConversionError);  // only a lower-case i is the notice
    // A bad number before the imaginary token raises before the notice.
    EXPECT_THROW(ReadRealMatrix({"x 2i"}, 1, 2, m, '.'), ConversionError);
    EXPECT_THROW(ReadRealMatrix({"1e400"}, 1, 1, m, '.'), ArithmeticError);
}

// ---- Where an error was ------------------------------------------------------------

// The place the reader gives a refused token: line as the editor shows it
// (blank lines counted), element within the line, both from 1. The editor
// itself is the command's to say, so the place is not complete yet.
std::optional<ErrorPlace> PlaceOf(const std::function<void()>& read) {
    try {
        read();
    } catch (CalcError& e) {
        e.SetEditor(ErrorEditor::A);
        return e.Place();
    }
    ADD_FAILURE() << "no error";
    return std::nullopt;
}

TEST(ErrorPlaces, TheReaderNamesLineAndElement) {
    RCOMat m;
    SizeMatrix(m, 3, 3);
    const EditorLines editor = {"1 2 3", "", "   ", "4 5 x", "7 8 9"};
    EXPECT_EQ(PlaceOf([&] { ReadMatrix(editor, 3, 3, m, Settings()); }), (ErrorPlace{ErrorEditor::A, 4, 3}));
    // Real-only reading, and a polar token whose angle is not a number.
    EXPECT_EQ(PlaceOf([&] { ReadRealMatrix(editor, 3, 3, m, '.'); }), (ErrorPlace{ErrorEditor::A, 4, 3}));
    EXPECT_EQ(PlaceOf([&] {
                  ReadMatrix({"1", "", "2 5(y)"}, 2, 2, m, Settings());
              }),
              (ErrorPlace{ErrorEditor::A, 3, 2}));
}

TEST(ErrorPlaces, AnErrorWithoutAReadElementGetsNoEditor) {
    CalcError e("Floating point overflow");
    e.SetEditor(ErrorEditor::B);
    EXPECT_FALSE(e.Place().has_value());
    e.SetInXBox();
    EXPECT_EQ(e.Place(), (ErrorPlace{ErrorEditor::X, 0, 0}));
}

// ---- Hostile inputs -------------------------------------------------------------

TEST(HostileInput, AMillionCharacterLine) {
    std::string line;
    for (int k = 0; k < 250000; ++k) line += "1.5 ";
    EXPECT_EQ(CountTokens(line), 250000);
    EXPECT_EQ(CountColumns({line, line}).Columns, 250000);
    RCOMat m = Read({line}, 1, 3);
    ExpectComplex(m[0][2], 1.5, 0);

    const std::string one(1000000, '7');
    EXPECT_EQ(CountTokens(one), 1);
    EXPECT_THROW(Read({one}, 1, 1), ArithmeticError);  // far beyond a double

    const std::string quoted = "\"" + std::string(1000000, ' ');
    EXPECT_EQ(CountTokens(quoted), 1);
    EXPECT_THROW(Read({quoted}, 1, 1), ComplexParseError);

    const std::string quotes(1000001, '"');  // doubled quotes all along, one left open
    EXPECT_EQ(CountTokens(quotes), 1);
    EXPECT_EQ(SplitTokens(quotes)[0], std::string(500000, '"'));

    const std::string signs = std::string(500000, '-') + "i" + std::string(500000, '+');
    EXPECT_THROW(Read({signs}, 1, 1), ComplexParseError);
    const std::string polar = std::string(500000, '(') + std::string(500000, ')');
    EXPECT_THROW(Read({polar}, 1, 1), ConversionError);
}

TEST(HostileInput, EveryByteValue) {
    std::string line;
    for (int c = 0; c < 256; ++c) line += static_cast<char>(c);
    EditorLines editor{line, line + line, std::string(4096, '\0')};
    const std::int32_t rows = CountRows(editor);
    const std::int32_t cols = CountColumns(editor).Columns;
    EXPECT_EQ(rows, 2);
    EXPECT_GE(cols, 1);
    RCOMat m;
    SizeMatrix(m, rows, cols);
    EXPECT_THROW(ReadMatrix(editor, rows, cols, m, Settings()), CalcError);
    EXPECT_THROW(ReadRealMatrix(editor, rows, cols, m, '.'), CalcError);
}

TEST(HostileInput, AThousandByAThousand) {
    std::string line;
    for (int j = 0; j < 1000; ++j) line += std::to_string(j % 10) + ((j % 3) ? "+2i " : " ");
    const EditorLines editor(1000, line);
    ASSERT_EQ(CountRows(editor), 1000);
    ASSERT_EQ(CountColumns(editor).Columns, 1000);
    const RCOMat m = Read(editor, 1000, 1000);
    ExpectComplex(m[999][998], 8, 2);
    ExpectComplex(m[999][999], 9, 0);
}

}  // namespace
}  // namespace quorvix
