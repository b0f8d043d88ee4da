// The rows of the operations beyond the 43: one per operation and operand,
// reached by their step words, each with a menu caption whose access key no
// other item of the menu has, and none of them a row of the 43 or of Auto.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "commands/operation_table.h"

namespace quorvix {
namespace {

// The letter after the caption's single "&", upper-cased; 0 without one.
char AccessKey(const char* caption) {
    const std::string text = caption;
    const std::size_t amp = text.find('&');
    if (amp == std::string::npos || amp + 1 >= text.size()) return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[amp + 1])));
}

TEST(MoreOperations, EachOperationHasARowForAAndForBAndSolveOne) {
    std::set<std::string> steps;
    for (const Operation& op : MoreOperations()) steps.insert(op.Step);
    for (const char* name : {"PLU", "Eigvec", "Sv", "Pinv", "Cond", "Null", "Rref", "Expm"}) {
        EXPECT_TRUE(steps.count(std::string(name) + "(A)")) << name;
        EXPECT_TRUE(steps.count(std::string(name) + "(B)")) << name;
    }
    for (const char* step : {"A\\B", "A^H", "B^H"}) EXPECT_TRUE(steps.count(step)) << step;
    EXPECT_EQ(steps.size(), 19u);
    EXPECT_EQ(MoreOperations().size(), 19u);
}

TEST(MoreOperations, RowsAreMenuPlacesInOrderAndColumnsNameTheOperand) {
    std::int32_t expected = 0;
    for (const Operation& op : MoreOperations()) {
        EXPECT_EQ(op.Row, expected++) << op.Step;
        const std::string label = op.Label;
        EXPECT_EQ(label, op.Step);
        const bool onA = label.find("(A)") != std::string::npos || label == "A^H";
        const bool onB = label.find("(B)") != std::string::npos || label == "B^H";
        const GridColumn column = onA ? GridColumn::A : onB ? GridColumn::B : GridColumn::Both;
        EXPECT_EQ(op.Column, column) << op.Step;
    }
}

TEST(MoreOperations, CaptionsHaveDistinctAccessKeysAndRowsDistinctNames) {
    std::set<char> keys;
    std::set<std::string> controls, hints;
    for (const Operation& op : MoreOperations()) {
        const char key = AccessKey(op.Caption);
        EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(key))) << op.Caption;
        EXPECT_TRUE(keys.insert(key).second) << "access key " << key << " twice, " << op.Caption;
        EXPECT_TRUE(controls.insert(op.Control).second) << op.Control;
        EXPECT_TRUE(hints.insert(op.Hint).second) << op.Hint;
        EXPECT_NE(op.Run, nullptr) << op.Step;
    }
}

TEST(MoreOperations, StepWordsFindTheirRowsAndNoneIsOneOfThe43) {
    for (const Operation& op : MoreOperations()) {
        EXPECT_EQ(FindOperationByStep(op.Step), &op) << op.Step;
        for (const Operation& design : Operations()) {
            EXPECT_STRNE(design.Step, op.Step);
            EXPECT_STRNE(design.Control, op.Control);
        }
        EXPECT_STRNE(op.Step, "Auto");
    }
}

}  // namespace
}  // namespace quorvix
