// quorvix-cli's words for the operations beyond the 43: each row's label in
// any case, its menu caption without the access key's "&", its hint; the
// nearest words for a misspelt one; the usage list made from the table.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/steps.h"
#include "cli/usage_list.h"

namespace quorvix {
namespace {

using Words = std::vector<std::string>;

const Operation* Named(const std::string& word) {
    const std::optional<Step> step = ParseStep(word);
    if (!step || step->Kind != StepKind::Operation) return nullptr;
    return step->Op;
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string WithoutAmpersand(const char* caption) {
    std::string s;
    for (const char* p = caption; *p; ++p)
        if (*p != '&') s += *p;
    return s;
}

TEST(MoreStepWords, LabelsInAnyCaseCaptionsAndHintsNameTheirRow) {
    for (const Operation& op : MoreOperations()) {
        EXPECT_EQ(Named(op.Step), &op) << op.Step;
        EXPECT_EQ(Named(Lower(op.Step)), &op) << op.Step;
        EXPECT_EQ(Named(WithoutAmpersand(op.Caption)), &op) << op.Caption;
        EXPECT_EQ(Named(Lower(WithoutAmpersand(op.Caption))), &op) << op.Caption;
        EXPECT_EQ(Named(op.Hint), &op) << op.Hint;
        EXPECT_EQ(OperationsNamedBy(op.Hint), Words{op.Step}) << op.Hint;
    }
    EXPECT_STREQ(Named("a\\b")->Step, "A\\B");
    EXPECT_STREQ(Named("eigvec(b)")->Step, "Eigvec(B)");
    EXPECT_STREQ(Named("b^h")->Step, "B^H");
    // The caption with its "&" is not a name: nobody types it.
    EXPECT_EQ(Named("&PLU of A"), nullptr);
}

TEST(MoreStepWords, MisspeltWordsGetTheNearestOnes) {
    EXPECT_EQ(NearestStepWords("Eigvek(A)"), (Words{"Eigvec(A)"}));
    EXPECT_EQ(NearestStepWords("Expn(B)"), (Words{"Expm(B)"}));
    EXPECT_EQ(NearestStepWords("pseudo-invers of B"), (Words{"Pseudo-inverse of B"}));
}

TEST(MoreStepWords, TheUsageListNamesEveryRowOnceInShortLines) {
    const std::string list = MoreOperationStepList();
    std::istringstream lines(list);
    std::string line;
    Words words;
    while (std::getline(lines, line)) {
        EXPECT_LE(line.size(), 76u) << line;
        EXPECT_EQ(line.rfind("  ", 0), 0u) << line;
        std::istringstream in(line);
        for (std::string w; in >> w;) words.push_back(w);
    }
    EXPECT_EQ(list.back(), '\n');
    Words expected;
    for (const Operation& op : MoreOperations()) {
        const std::string step = op.Step;
        // A word the shell would change is quoted as the usage shows it.
        expected.push_back(step.find('\\') != std::string::npos ? "\"" + step + "\"" : step);
    }
    EXPECT_EQ(words, expected);
}

}  // namespace
}  // namespace quorvix
