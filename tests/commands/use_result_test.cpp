// "Use as Matrix A/B": each kind of kept result becomes editor text that the
// next command reads as the result's own doubles; the refusals leave the
// editor as it was; the comma hint comes once per text.
#include "commands/use_result.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "command_test_util.h"
#include "commands/comma_hint.h"
#include "commands/result_choice.h"
#include "core/errors.h"

namespace quorvix {
namespace {

using testing_util::RunOf;
using testing_util::StateWith;

RCOMat Rows(std::initializer_list<std::initializer_list<Scalar>> rows) {
    RCOMat m;
    for (const auto& row : rows) m.emplace_back(row);
    return m;
}

// The editor of `which` read back with the complex reading.
RCOMat ReadBack(CalcState& s, Operand which) {
    const EditorSize size = MeasureEditor(s, which);
    return ReadOperand(s, which, size);
}

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

void ExpectSameValues(const RCOMat& got, const RCOMat& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        ASSERT_EQ(got[i].size(), want[i].size()) << "row " << i;
        for (std::size_t j = 0; j < want[i].size(); ++j) {
            EXPECT_TRUE(SameBits(RealPart(got[i][j]), FlushToZero(RealPart(want[i][j])))) << i << "," << j;
            EXPECT_TRUE(SameBits(ImagPart(got[i][j]), FlushToZero(ImagPart(want[i][j])))) << i << "," << j;
        }
    }
}

// The inverse's doubles, not its three printed decimals, reach the next
// command: A*inv(A) is the identity to rounding, where the panel's text
// would leave errors of 1e-3.
TEST(UseResult, TheNextCommandComputesWithTheResultsDoubles) {
    CalcState s = StateWith("4 7 2\n3 6 1\n2 5 3");
    RunOf("inv(A)")(s);
    const RCOMat inverse = std::get<MatrixResult>(s.Kept.back().Value).Matrix;
    UseResult(s, Operand::B, std::nullopt, "");
    ExpectSameValues(ReadBack(s, Operand::B), inverse);
    RunOf("A*B")(s);
    const RCOMat product = std::get<MatrixResult>(s.Kept.back().Value).Matrix;
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            EXPECT_NEAR(RealPart(product[i][j]), i == j ? 1.0 : 0.0, 1e-14) << i << "," << j;
}

struct ChoiceRow {
    const char* name;
    CommandResult value;
    std::optional<std::size_t> number;
    const char* factor;
    RCOMat expected;
};

class UseChoices : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(UseChoices, WritesTheChosenMatrix) {
    const ChoiceRow& row = GetParam();
    CalcState s = StateWith("9");
    s.Kept.push_back({"first", MatrixResult{Rows({{Scalar::Real(7)}})}});
    s.Kept.push_back({"second", row.value});
    UseResult(s, Operand::A, row.number, row.factor);
    ExpectSameValues(ReadBack(s, Operand::A), row.expected);
}

const FactorPairResult kLU{.FirstName = "L",
                           .SecondName = "U",
                           .First = Rows({{Scalar::Real(1), Scalar::Real(0)}, {Scalar::Real(0.75), Scalar::Real(1)}}),
                           .Second = Rows({{Scalar::Real(4), Scalar::Real(3)}, {Scalar::Real(0), Scalar::Real(-0.25)}}),
                           .Rows = 2,
                           .Cols = 2,
                           .SecondRealOnly = false};
const FactorListResult kEigvec{
    {{"D", Rows({{Scalar::Complex(2, 1), Scalar()}, {Scalar(), Scalar::Real(-3)}})},
     {"V", Rows({{Scalar::Real(0.6), Scalar::Real(0.8)}, {Scalar::Real(0.8), Scalar::Complex(0, -0.6)}})}}};

INSTANTIATE_TEST_SUITE_P(
    Kinds, UseChoices,
    ::testing::Values(ChoiceRow{"PlainMatrix", MatrixResult{Rows({{Scalar::Real(0.1), Scalar::Complex(1.0 / 3, -2)}})},
                                std::nullopt, "", Rows({{Scalar::Real(0.1), Scalar::Complex(1.0 / 3, -2)}})},
                      ChoiceRow{"ScalarIsOneByOne", ScalarResult{Scalar::Complex(-1e-7, 5e20)}, std::nullopt, "",
                                Rows({{Scalar::Complex(-1e-7, 5e20)}})},
                      ChoiceRow{"DimensionIsRowsAndColumns", DimensionResult{4, 7}, std::nullopt, "",
                                Rows({{Scalar::Real(4), Scalar::Real(7)}})},
                      ChoiceRow{"FactorByName", kLU, std::nullopt, "U",
                                Rows({{Scalar::Real(4), Scalar::Real(3)}, {Scalar::Real(0), Scalar::Real(-0.25)}})},
                      ChoiceRow{"EarlierResultByNumber", kLU, 1, "", Rows({{Scalar::Real(7)}})},
                      ChoiceRow{"DesignEigenvaluesAsAColumn", EigenResult{{0, 2.5, -1}, {0, 0, 4}, 2, 0}, std::nullopt,
                                "", Rows({{Scalar::Real(2.5)}, {Scalar::Complex(-1, 4)}})},
                      ChoiceRow{"DesignEigenvaluesByName", EigenResult{{0, 9, 2.5}, {0, 9, 0}, 2, 1}, std::nullopt,
                                "values", Rows({{Scalar::Real(2.5)}})},
                      ChoiceRow{"EigenvectorValuesAreTheDiagonal", kEigvec, std::nullopt, "values",
                                Rows({{Scalar::Complex(2, 1)}, {Scalar::Real(-3)}})},
                      ChoiceRow{"EigenvectorVectorsAreV", kEigvec, std::nullopt, "vectors",
                                Rows({{Scalar::Real(0.6), Scalar::Real(0.8)},
                                      {Scalar::Real(0.8), Scalar::Complex(0, -0.6)}})}),
    [](const ::testing::TestParamInfo<ChoiceRow>& info) { return std::string(info.param.name); });

struct RefusalRow {
    const char* name;
    bool keepOne;
    std::optional<std::size_t> number;
    const char* factor;
    const char* message;
};

class UseRefusals : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(UseRefusals, RaiseTheirMessageAndLeaveTheEditor) {
    const RefusalRow& row = GetParam();
    CalcState s = StateWith("1 2\n3 4");
    if (row.keepOne) s.Kept.push_back({"LU(A)", kLU});
    const EditorLines before = s.MatrixA;
    try {
        UseResult(s, Operand::A, row.number, row.factor);
        ADD_FAILURE() << "no error";
    } catch (const CalcError& e) {
        EXPECT_STREQ(e.what(), row.message);
    }
    EXPECT_EQ(s.MatrixA, before);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, UseRefusals,
    ::testing::Values(RefusalRow{"NothingKept", false, std::nullopt, "", "There is no result to use"},
                      RefusalRow{"NoSuchNumber", true, 3, "", "There is no result 3 to use: the panel keeps result 1"},
                      RefusalRow{"NoSuchFactor", true, std::nullopt, "Q", "The result \"LU(A)\" has no factor \"Q\""},
                      RefusalRow{"FactorsWithoutAName", true, std::nullopt, "",
                                 "The result \"LU(A)\" has factors L and U: name one"}),
    [](const ::testing::TestParamInfo<RefusalRow>& info) { return std::string(info.param.name); });

TEST(UseResult, DecimalCommaEditorsGetDecimalCommas) {
    CalcState s = StartState(',');
    s.Kept.push_back({"A", MatrixResult{Rows({{Scalar::Real(2.5), Scalar::Complex(0.5, -1.25)}})}});
    UseResult(s, Operand::A, std::nullopt, "");
    EXPECT_EQ(s.MatrixA, (EditorLines{"2,5 0,5-1,25i"}));
    EXPECT_TRUE(s.Hints.empty());
}

TEST(UseResult, NamesOfEveryKind) {
    EXPECT_EQ(ChoosableNames(kLU), (std::vector<std::string>{"L", "U"}));
    EXPECT_EQ(ChoosableNames(kEigvec), (std::vector<std::string>{"D", "V", "values", "vectors"}));
    EXPECT_EQ(ChoosableNames(EigenResult{}), (std::vector<std::string>{"values"}));
    EXPECT_EQ(ChoosableNames(ScalarResult{}), (std::vector<std::string>{}));
    EXPECT_EQ(JoinedNames({"U", "S", "V"}), "U, S and V");
}

// ---- The comma hint ----------------------------------------------------

TEST(CommaHint, OnceForEachTextOfAnEditor) {
    CalcState s = StateWith("1,2\n3,4", "1 2");
    RunOf("A")(s);
    ASSERT_EQ(s.Hints.size(), 1u);
    EXPECT_NE(s.Hints[0].find("Matrix A, line 1"), std::string::npos) << s.Hints[0];
    EXPECT_NE(s.Hints[0].find("'1,2'"), std::string::npos) << s.Hints[0];
    RunOf("A")(s);
    RunOf("A+B")(s);
    EXPECT_EQ(s.Hints.size(), 1u) << "the same text is hinted at once";
    // The reading stays the design's: 1,2 is the number 1.2.
    EXPECT_EQ(RealPart(std::get<MatrixResult>(s.Kept.front().Value).Matrix[0][0]), 1.2);

    s.MatrixA = SplitEditorText("5\n1,2,3");
    EXPECT_THROW(RunOf("A")(s), CalcError);
    ASSERT_EQ(s.Hints.size(), 2u) << "a changed text is hinted at again, also when its reading fails";
    EXPECT_NE(s.Hints[1].find("line 2"), std::string::npos) << s.Hints[1];
}

struct HintRow {
    const char* name;
    const char* text;
    char mark;
    bool hinted;
};

class CommaHints : public ::testing::TestWithParam<HintRow> {};

TEST_P(CommaHints, OnlyForLinesOfCommaTokensWithThePoint) {
    const HintRow& row = GetParam();
    CalcState s = StartState(row.mark);
    s.MatrixB = SplitEditorText(row.text);
    HintAtCommaSeparatedLines(s, Operand::B);
    EXPECT_EQ(s.Hints.size(), row.hinted ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Lines, CommaHints,
                         ::testing::Values(HintRow{"PairsOnTheirLines", "1,2\n3,4", '.', true},
                                           HintRow{"ThreeInOneToken", "1,2,3", '.', true},
                                           HintRow{"EveryTokenWithAComma", "1,5 2,5", '.', true},
                                           HintRow{"OneTokenWithoutAComma", "1,5 2", '.', false},
                                           HintRow{"NoComma", "1.5 2", '.', false},
                                           HintRow{"DecimalCommaLocale", "1,2\n3,4", ',', false},
                                           HintRow{"BlankLinesOnly", "\n  \n", '.', false}),
                         [](const ::testing::TestParamInfo<HintRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvix
