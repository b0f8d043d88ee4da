// The result panel's view shows the panel's lines, rewriting only what
// changed, and reads back what the user typed in it.
#include <gtest/gtest.h>

#include <QTest>
#include <QTextCursor>

#include "ui/result_view.h"

namespace quorvix {
namespace {

using Lines = std::vector<std::string>;

ResultPanel PanelOf(const Lines& lines) {
    ResultPanel panel;
    panel.MutableLines() = lines;
    return panel;
}

struct Change {
    const char* Name;
    Lines Before, After;
    const char* UndoneText;  // the text after one undo
};

void PrintTo(const Change& change, std::ostream* os) { *os << change.Name; }

class ResultViewChange : public ::testing::TestWithParam<Change> {};

TEST_P(ResultViewChange, ShowsTheNewLinesAsOneUndoStep) {
    const Change& change = GetParam();
    QWidget panel;
    ResultView view(&panel);
    view.Show(PanelOf(change.Before));
    view.Show(PanelOf(change.After));
    QString expected;
    for (const std::string& line : change.After) expected += QString::fromStdString(line) + QLatin1Char('\n');
    EXPECT_EQ(view.toPlainText(), expected);
    EXPECT_EQ(view.textCursor().position(), view.document()->characterCount() - 1);  // at the end
    view.undo();
    EXPECT_EQ(view.toPlainText(), QString::fromLatin1(change.UndoneText));
}

INSTANTIATE_TEST_SUITE_P(Changes, ResultViewChange,
                         ::testing::Values(Change{"grows", {"A=", " 1"}, {"A=", " 1", "", "B="}, "A=\n 1\n"},
                                           Change{"changes_inside", {"a", "b", "c"}, {"a", "x", "c"}, "a\nb\nc\n"},
                                           Change{"shrinks", {"a", "b", "c"}, {"a"}, "a\nb\nc\n"},
                                           Change{"cleared", {"a", "b"}, {}, "a\nb\n"},
                                           Change{"from_empty", {}, {"r"}, ""}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ResultViewReading, TakesOnlyWhatTheUserChanged) {
    QWidget panel;
    ResultView view(&panel);
    ResultPanel state = PanelOf({"A=", " 1"});
    view.Show(state);
    // The state's own lines stand while the user has not touched the view.
    ResultPanel untouched = PanelOf({"other"});
    view.Read(untouched);
    EXPECT_EQ(untouched.Lines(), Lines{"other"});

    view.moveCursor(QTextCursor::End);
    QTest::keyClicks(&view, QStringLiteral("my note"));
    view.Read(state);
    EXPECT_EQ(state.Lines(), (Lines{"A=", " 1", "my note"}));
    // The typed line ends with a break, so that the next result follows it.
    state.AddLine("B=");
    view.Show(state);
    EXPECT_EQ(view.toPlainText(), QStringLiteral("A=\n 1\nmy note\nB=\n"));
    // Read once: what the view wrote itself is not the user's.
    ResultPanel again = PanelOf({"other"});
    view.Read(again);
    EXPECT_EQ(again.Lines(), Lines{"other"});
}

}  // namespace
}  // namespace quorvix
