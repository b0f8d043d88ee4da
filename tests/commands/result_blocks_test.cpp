// Which kept result a panel line belongs to: the blocks the commands print,
// matched in order, with refused commands' bare labels and text the user
// added in between.
#include "commands/result_blocks.h"

#include <gtest/gtest.h>

#include "command_test_util.h"

namespace quorvix {
namespace {

using testing_util::RunOf;
using testing_util::StateWith;

// The line numbers (from 0) at which each kept result's label stands.
std::vector<std::size_t> LabelLines(const CalcState& s) {
    std::vector<std::size_t> at;
    const std::vector<std::string>& lines = s.Panel.Lines();
    for (std::size_t k = 0, i = 0; k < s.Kept.size() && i < lines.size(); ++i)
        if (lines[i] == s.Kept[k].Label + "=") {
            at.push_back(i);
            ++k;
        }
    return at;
}

TEST(KeptResultAtLine, EachLineOfABlockBelongsToItsResult) {
    CalcState s = StateWith("4 7\n2 6", "1 2\n3 4");
    for (const char* step : {"inv(A)", "LU(B)", "Det(A)"}) RunOf(step)(s);
    ASSERT_EQ(s.Kept.size(), 3u);
    const std::vector<std::size_t> labels = LabelLines(s);
    ASSERT_EQ(labels.size(), 3u);
    const std::vector<std::string>& lines = s.Panel.Lines();
    for (std::size_t line = 0; line < lines.size(); ++line) {
        std::size_t want = 0;
        while (want < labels.size() && labels[want] <= line) ++want;
        EXPECT_EQ(KeptResultAtLine(s.Kept, lines, line), std::optional<std::size_t>(want)) << "line " << line;
    }
    // Below the panel's last line: the last result.
    EXPECT_EQ(KeptResultAtLine(s.Kept, lines, lines.size() + 5), std::optional<std::size_t>(3));
}

TEST(KeptResultAtLine, ARefusedCommandsBareLabelStartsNoBlock) {
    // inv of a singular B writes "inv(B)" and its error, and keeps nothing:
    // its lines belong to the result above them.
    CalcState s = StateWith("2 0\n0 2", "1 1\n1 1");
    RunOf("inv(A)")(s);
    RunOf("inv(B)")(s);
    RunOf("A'")(s);
    ASSERT_EQ(s.Kept.size(), 2u);
    const std::vector<std::string>& lines = s.Panel.Lines();
    std::size_t bare = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == "inv(B)") bare = i;
    ASSERT_LT(bare, lines.size());
    EXPECT_EQ(KeptResultAtLine(s.Kept, lines, bare), std::optional<std::size_t>(1));
    EXPECT_EQ(KeptResultAtLine(s.Kept, lines, lines.size() - 1), std::optional<std::size_t>(2));
}

TEST(KeptResultAtLine, NothingAboveTheFirstResultOrWithoutResults) {
    CalcState s = StateWith("1 2\n3 4");
    std::vector<std::string> lines = {"a note the user typed", ""};
    EXPECT_EQ(KeptResultAtLine(s.Kept, lines, 1), std::nullopt);
    RunOf("A'")(s);
    lines = s.Panel.Lines();
    lines.insert(lines.begin(), "a note the user typed");
    EXPECT_EQ(KeptResultAtLine(s.Kept, lines, 0), std::nullopt);
    EXPECT_EQ(KeptResultAtLine(s.Kept, lines, 1), std::optional<std::size_t>(1));
}

TEST(KeptResultAtLine, TheSameLabelTwiceIsTwoResults) {
    // A label typed by the user above the first block would be taken for it,
    // so results are matched in order: the second "A'=" is result 2.
    CalcState s = StateWith("1 2\n3 4");
    RunOf("A'")(s);
    RunOf("A'")(s);
    const std::vector<std::size_t> labels = LabelLines(s);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(KeptResultAtLine(s.Kept, s.Panel.Lines(), labels[1] - 1), std::optional<std::size_t>(1));
    EXPECT_EQ(KeptResultAtLine(s.Kept, s.Panel.Lines(), labels[1]), std::optional<std::size_t>(2));
}

}  // namespace
}  // namespace quorvix
