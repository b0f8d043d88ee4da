// The precision box sets the rounding factor from its text only when that
// text is a precision, and checks it against the state's decimal mark.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QSignalSpy>
#include <thread>

#include "core/cancel.h"
#include "ui/command_runner.h"
#include "ui/precision_box.h"

namespace quorvix {
namespace {

class Precision : public ::testing::Test {
protected:
    void SetUp() override { box.Show(runner.State()); }
    void Type(const char* text) { box.Box()->setEditText(QString::fromLatin1(text)); }
    bool Alarm() const { return !box.findChild<QWidget*>(QStringLiteral("PrecisionAlarm"))->isHidden(); }

    QWidget window;
    CommandRunner runner{&window, StartState('.')};
    PrecisionBox box{&window, QRect(112, 538, 97, 21)};
    QSignalSpy refused{&box, &PrecisionBox::Refused};
};

TEST_F(Precision, APrecisionSetsTheFactorAnythingElseIsRefusedAndLeavesIt) {
    Type("5");
    EXPECT_TRUE(box.Apply(runner));
    EXPECT_EQ(runner.State().Settings.RoundingFactor, 100000.0L);
    Type("x");
    EXPECT_FALSE(box.Apply(runner));
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(*refused.at(0).at(0).value<GuardedOutcome>().Error, "'x' is not a valid floating point value");
    EXPECT_EQ(runner.State().Settings.RoundingFactor, 100000.0L);
    // Asked again (Enter), the same text is refused again.
    EXPECT_FALSE(box.Apply(runner));
    EXPECT_EQ(refused.count(), 2);
    Type("e");
    EXPECT_TRUE(box.Apply(runner));
    EXPECT_EQ(runner.State().Settings.RoundingFactor, 0.0L);
}

TEST_F(Precision, AnOpenedProjectsPrecisionIsTakenAsApplied) {
    CalcState opened = runner.State();
    opened.Precision = "6";
    box.Show(opened);
    EXPECT_EQ(box.Text(), "6");
    // The project set the factor itself: applying the text does not run again.
    runner.State().Settings.RoundingFactor = 12.0L;
    EXPECT_TRUE(box.Apply(runner));
    EXPECT_EQ(runner.State().Settings.RoundingFactor, 12.0L);
}

TEST_F(Precision, NothingIsAppliedWhileACommandRuns) {
    runner.Start(
        [](CalcState&) {
            for (;;) {
                CheckCancelled();  // ends the job with the cancel
                std::this_thread::yield();
            }
        },
        false);
    Type("7");
    EXPECT_FALSE(box.Apply(runner));
    runner.Cancel();
    runner.Wait();
    EXPECT_EQ(runner.State().Settings.RoundingFactor, 1000.0L);
    EXPECT_EQ(refused.count(), 0);
}

struct Typed {
    const char* Name;
    const char* Text;
    char Mark;
    bool Precision;
};

class PrecisionAlarm : public ::testing::TestWithParam<Typed> {};

TEST_P(PrecisionAlarm, ShowsWhileTheTextIsNoPrecision) {
    const Typed& typed = GetParam();
    QWidget window;
    CommandRunner runner(&window, StartState(typed.Mark));
    PrecisionBox box(&window, QRect(2, 2, 97, 21));
    box.Show(runner.State());
    box.Box()->setEditText(QString::fromLatin1(typed.Text));
    EXPECT_EQ(box.findChild<QWidget*>(QStringLiteral("PrecisionAlarm"))->isHidden(), typed.Precision);
}

INSTANTIATE_TEST_SUITE_P(Texts, PrecisionAlarm,
                         ::testing::Values(Typed{"empty", "", '.', false}, Typed{"minus", "-", '.', false},
                                           Typed{"negative", "-1", '.', true}, Typed{"exponent_form", "e", '.', true},
                                           Typed{"capital_e", "E", '.', false}, Typed{"point_mark", "2.5", '.', true},
                                           Typed{"comma_under_point", "2,5", '.', false},
                                           Typed{"comma_mark", "2,5", ',', true},
                                           Typed{"factor_overflows", "1e9999", '.', false}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quorvix
