// quorvix-cli's step words: labels, the buttons' captions and hints, the
// names shared by two buttons, and the nearest words for an unknown one.
#include "cli/steps.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quorvix {
namespace {

using Words = std::vector<std::string>;

// The step word of the operation a word names ("Auto" for Auto), or "" when it names none.
std::string Named(const std::string& word) {
    const std::optional<Step> step = ParseStep(word);
    if (!step) return "";
    if (step->Kind == StepKind::Auto) return "Auto";
    return step->Kind == StepKind::Operation ? step->Op->Step : "not an operation";
}

TEST(StepWords, CaptionsAndHintsWithoutRegardToCaseOrBlankRuns) {
    EXPECT_EQ(Named("det A"), "Det(A)");
    EXPECT_EQ(Named("inv b"), "inv(B)");
    EXPECT_EQ(Named("A xor B"), "A#B");
    EXPECT_EQ(Named("AuTo"), "Auto");
    EXPECT_EQ(Named("auto generate"), "Auto");
    EXPECT_EQ(Named("Matrix multiply"), "A*B");
    EXPECT_EQ(Named("det(a)"), "Det(A)");
    // "Matrix  A" and "Rank of Matrix A " as the window stores them.
    EXPECT_EQ(Named("Matrix A"), "A");
    EXPECT_EQ(Named("rank of matrix a"), "Rank(A)");
    EXPECT_EQ(Named("  Matrix   A  multiply x "), "A*x");
}

TEST(StepWords, EveryNameOfOneButtonNamesIt) {
    // Hints that two buttons share are the only names of more than one operation.
    const Words shared = {"Matrix Transpose", "Matrix inverse", "Sum of diagonal elements", "Matrix power"};
    for (const Operation& op : Operations()) {
        for (const char* name : {op.Step, op.Caption, op.Hint}) {
            const Words steps = OperationsNamedBy(name);
            if (std::find(shared.begin(), shared.end(), std::string(name)) != shared.end()) {
                EXPECT_EQ(steps.size(), 2u) << name;
                EXPECT_FALSE(ParseStep(name).has_value()) << name;
            } else {
                EXPECT_EQ(steps, Words{op.Step}) << name;
            }
        }
    }
    EXPECT_EQ(OperationsNamedBy("matrix inverse"), (Words{"inv(A)", "inv(B)"}));
}

TEST(StepWords, UnknownWordsGetTheNearestKnownOnes) {
    EXPECT_EQ(NearestStepWords("Dte(A)"), (Words{"Det(A)"}));
    // The operations of both tables: PLU(A) and Cond(A) are as near.
    EXPECT_EQ(NearestStepWords("Bogus(A)"), (Words{"Norm(A)", "Eig(A)", "LU(A)", "PLU(A)", "Cond(A)"}));
    EXPECT_EQ(NearestStepWords("opne=work.mtx"), (Words{"open=FILE"}));
    EXPECT_EQ(NearestStepWords("formt=polar"), (Words{"format=polar"}));
    EXPECT_EQ(NearestStepWords("eig c"), (Words{"eig A", "eig B"}));
    EXPECT_FALSE(ParseStep("Dte(A)").has_value());
}

struct ResultStepRow {
    const char* word;
    StepKind kind;
    std::optional<std::size_t> number;
    const char* name;
    const char* file;
};

class ResultSteps : public ::testing::TestWithParam<ResultStepRow> {};

TEST_P(ResultSteps, TakeTheResultsNumberFactorAndFile) {
    const ResultStepRow& row = GetParam();
    const std::optional<Step> step = ParseStep(row.word);
    ASSERT_TRUE(step) << row.word;
    EXPECT_EQ(step->Kind, row.kind);
    EXPECT_EQ(step->Number, row.number);
    EXPECT_EQ(step->Name, row.name);
    EXPECT_EQ(step->Argument, row.file);
}

INSTANTIATE_TEST_SUITE_P(
    Words, ResultSteps,
    ::testing::Values(ResultStepRow{"use-a", StepKind::UseA, std::nullopt, "", ""},
                      ResultStepRow{"use-b=L", StepKind::UseB, std::nullopt, "L", ""},
                      ResultStepRow{"use-a=12", StepKind::UseA, 12, "", ""},
                      ResultStepRow{"use-b=2:values", StepKind::UseB, 2, "values", ""},
                      ResultStepRow{"import-a=-", StepKind::ImportA, std::nullopt, "", "-"},
                      ResultStepRow{"export=lu.csv:U", StepKind::Export, std::nullopt, "U", "lu.csv"},
                      ResultStepRow{"export=a:b/m.csv", StepKind::Export, std::nullopt, "", "a:b/m.csv"},
                      ResultStepRow{"save=w.qvx", StepKind::Save, std::nullopt, "", "w.qvx"}));

TEST(StepWords, MalformedResultStepsAreUnknown) {
    for (const char* word : {"use-a=", "use-a=1:", "use-a=:L", "use-a=L:2", "use-b=a b", "import-b=", "export="})
        EXPECT_FALSE(ParseStep(word).has_value()) << word;
    EXPECT_EQ(NearestStepWords("use-c=L"), (Words{"use-a=NAME", "use-b=NAME"}));
}

}  // namespace
}  // namespace quorvix
