#include "ui/timed_countdown.h"

#include <gtest/gtest.h>

#include "ui/dialogs.h"

namespace spurwerk {
namespace {

using Focus = TimedCountdown::Focus;

struct FakeClock {
    std::int64_t now = 1000000;
    TimedCountdown::Clock Get() {
        return [this] { return now; };
    }
};

TEST(TimedCountdown, NoTimeoutShowsNoPanelAndWaitsForAButton) {
    FakeClock clock;
    TimedCountdown c(clock.Get());
    c.Start(0, ResultOk);
    EXPECT_FALSE(c.PanelVisible());
    EXPECT_FALSE(c.Running());
    clock.now += 600000;
    c.Tick(Focus::Ok);
    EXPECT_FALSE(c.Finished());
    c.Press(ResultCancel);
    EXPECT_TRUE(c.Finished());
    EXPECT_EQ(c.Result(), ResultCancel);
    EXPECT_EQ(c.RemainingMs(), 0);
}

TEST(TimedCountdown, TypingBuysTimeOnlyWhenLittleIsLeft) {
    FakeClock clock;
    TimedCountdown c(clock.Get());
    c.Start(30000, ResultOk);
    clock.now += 10000;
    c.Tick(Focus::Input);
    c.InputActivity();  // 20 s left: unchanged
    EXPECT_EQ(c.RemainingMs(), 20000);
    clock.now += 17000;
    c.Tick(Focus::Input);
    EXPECT_EQ(c.RemainingMs(), 3000);
    EXPECT_TRUE(c.Warning());
    c.InputActivity();  // 3 s left: back to 10 s
    EXPECT_EQ(c.RemainingMs(), 10000);
    EXPECT_FALSE(c.Warning());
    EXPECT_TRUE(c.WarningGiven());
    EXPECT_TRUE(c.Running());
}

TEST(TimedCountdown, WarnsAtFiveSecondsAndShowsRoundedSeconds) {
    FakeClock clock;
    TimedCountdown c(clock.Get());
    c.Start(8000, ResultOk);
    EXPECT_EQ(c.RemainingText(), "8");
    clock.now += 2600;
    c.Tick(Focus::Ok);
    EXPECT_EQ(c.RemainingText(), "5");  // 5.4 s
    EXPECT_FALSE(c.Warning());
    clock.now += 400;
    c.Tick(Focus::Ok);
    EXPECT_TRUE(c.Warning());  // exactly 5 s
    EXPECT_TRUE(c.WarningGiven());
    clock.now += 1000;
    c.Tick(Focus::Ok);
    EXPECT_TRUE(c.Warning());
}

TEST(TimedCountdown, TimeOutTakesTheFocusedButtonOrTheDefault) {
    struct Case {
        Focus focus;
        int defaultResult;
        int expected;
    };
    for (Case k : {Case{Focus::Cancel, ResultOk, ResultCancel}, Case{Focus::No, ResultOk, ResultNo},
                   Case{Focus::Ok, ResultCancel, ResultOk}, Case{Focus::Input, ResultNo, ResultNo},
                   Case{Focus::None, ResultCancel, ResultCancel}}) {
        FakeClock clock;
        TimedCountdown c(clock.Get());
        c.Start(3000, k.defaultResult);
        clock.now += 2900;
        c.Tick(k.focus);
        EXPECT_FALSE(c.Finished());
        clock.now += 100;
        c.Tick(k.focus);
        EXPECT_TRUE(c.Finished());
        EXPECT_FALSE(c.Running());
        EXPECT_EQ(c.Result(), k.expected);
        EXPECT_LE(c.RemainingMs(), 0);
    }
}

TEST(TimedCountdown, PauseStopsTheClockAndResumingLeavesTenSeconds) {
    FakeClock clock;
    TimedCountdown c(clock.Get());
    c.Start(6000, ResultOk);
    clock.now += 1000;
    c.Tick(Focus::Ok);
    c.TogglePause();
    EXPECT_FALSE(c.Running());
    EXPECT_EQ(c.RemainingText(), "(gestoppt)");
    clock.now += 120000;
    c.Tick(Focus::Ok);
    EXPECT_FALSE(c.Finished());
    c.TogglePause();
    EXPECT_TRUE(c.Running());
    EXPECT_EQ(c.RemainingMs(), 10000);
    clock.now += 9900;
    c.Tick(Focus::Ok);
    EXPECT_FALSE(c.Finished());
    clock.now += 100;
    c.Tick(Focus::Ok);
    EXPECT_TRUE(c.Finished());
}

TEST(TimedCountdown, PressBeforeTimeOutLeavesTimeAndCloseCountsAsCancel) {
    FakeClock clock;
    TimedCountdown c(clock.Get());
    c.Start(3000, ResultOk);
    clock.now += 1000;
    c.Press(ResultOk);
    EXPECT_EQ(c.Result(), ResultOk);
    EXPECT_EQ(c.RemainingMs(), 2000);
    c.Tick(Focus::Cancel);  // finished: a late tick changes nothing
    EXPECT_EQ(c.Result(), ResultOk);

    c.Start(3000, ResultOk);
    EXPECT_FALSE(c.Finished());
    EXPECT_FALSE(c.WarningGiven());
    c.Close();
    EXPECT_TRUE(c.Finished());
    EXPECT_EQ(c.Result(), ResultCancel);
}

}  // namespace
}  // namespace spurwerk
