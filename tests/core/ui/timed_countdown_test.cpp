#include "ui/timed_countdown.h"

#include <gtest/gtest.h>

#include <tuple>

#include "ui/dialogs.h"

namespace spurwerk {
namespace {

using Focus = TimedCountdown::Focus;

struct CountdownFixture : ::testing::Test {
    std::int64_t now = 1000000;
    TimedCountdown c{[this] { return now; }};
    void Pass(int ms, Focus focus = Focus::Ok) {
        now += ms;
        c.Tick(focus);
    }
};

TEST_F(CountdownFixture, WarnsAtFiveSecondsAndTypingBuysTimeOnlyWhenLittleIsLeft) {
    c.Start(30000, ResultOk);
    Pass(10000, Focus::Input);
    c.InputActivity();  // 20 s left: unchanged
    EXPECT_EQ(c.RemainingMs(), 20000);
    Pass(14600, Focus::Input);
    EXPECT_EQ(c.RemainingText(), "5");  // 5.4 s
    EXPECT_FALSE(c.Warning());
    Pass(400, Focus::Input);
    EXPECT_TRUE(c.Warning());  // exactly 5 s
    c.InputActivity();         // back to 10 s
    EXPECT_EQ(c.RemainingMs(), 10000);
    EXPECT_FALSE(c.Warning());
    EXPECT_TRUE(c.WarningGiven());
}

TEST_F(CountdownFixture, TimeOutTakesTheFocusedButtonOrTheDefault) {
    const std::tuple<Focus, int, int> cases[] = {  // focus, default, result
        {Focus::Cancel, ResultOk, ResultCancel}, {Focus::No, ResultOk, ResultNo},
        {Focus::Ok, ResultCancel, ResultOk}, {Focus::Input, ResultNo, ResultNo},
        {Focus::None, ResultCancel, ResultCancel},
    };
    for (const auto& [focus, defaultResult, expected] : cases) {
        c.Start(3000, defaultResult);
        Pass(2900, focus);
        EXPECT_FALSE(c.Finished());
        Pass(100, focus);
        EXPECT_TRUE(c.Finished());
        EXPECT_EQ(c.Result(), expected);
    }
}

TEST_F(CountdownFixture, PauseStopsTheClockAndResumingLeavesTenSeconds) {
    c.Start(6000, ResultOk);
    Pass(1000);
    c.TogglePause();
    EXPECT_EQ(c.RemainingText(), "(gestoppt)");
    Pass(120000);
    EXPECT_FALSE(c.Finished());
    c.TogglePause();
    EXPECT_EQ(c.RemainingMs(), 10000);
    Pass(9900);
    EXPECT_FALSE(c.Finished());
    Pass(100);
    EXPECT_TRUE(c.Finished());
}

TEST_F(CountdownFixture, AButtonEndsItAndCloseCountsAsCancel) {
    c.Start(0, ResultOk);  // no timeout: no panel, only a button ends it
    EXPECT_FALSE(c.PanelVisible());
    Pass(600000);
    EXPECT_FALSE(c.Finished());

    c.Start(3000, ResultOk);
    now += 1000;
    c.Press(ResultNo);
    EXPECT_EQ(c.RemainingMs(), 2000);
    Pass(5000, Focus::Cancel);  // finished: a late tick changes nothing
    EXPECT_EQ(c.Result(), ResultNo);

    c.Start(3000, ResultOk);
    EXPECT_FALSE(c.WarningGiven());
    c.Close();
    EXPECT_TRUE(c.Finished());
    EXPECT_EQ(c.Result(), ResultCancel);
}

}  // namespace
}  // namespace spurwerk
