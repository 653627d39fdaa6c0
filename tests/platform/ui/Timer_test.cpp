#include "platform/ui/Timer.h"

#include "UiTest.h"

namespace {

class TimerTest : public UiTest {};

TEST_F(TimerTest, TicksOnTheHostsClockWhileEnabled) {
    auto* timer = new TTimer(Application);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 1000u);
    EXPECT_FALSE(timer->Running()); // no handler yet
    int ticks = 0;
    timer->SetInterval(200);
    timer->SetOnTimer([&](TObject* Sender) {
        EXPECT_EQ(Sender, timer);
        ++ticks;
    });
    EXPECT_TRUE(timer->Running());
    Host.Advance(1000);
    EXPECT_EQ(ticks, 5);
    timer->SetEnabled(false);
    Host.Advance(1000);
    EXPECT_EQ(ticks, 5);
    timer->SetEnabled(true);
    Host.Advance(150);
    timer->SetInterval(100); // restarts the count
    Host.Advance(99);
    EXPECT_EQ(ticks, 5);
    Host.Advance(1);
    EXPECT_EQ(ticks, 6);
    timer->SetInterval(0);
    EXPECT_FALSE(timer->Running());
    timer->SetInterval(100);
    delete timer;
    Host.Advance(1000);
    EXPECT_EQ(ticks, 6);
}

TEST_F(TimerTest, AFailingHandlerShowsTheBoxAndKeepsTicking) {
    auto* timer = new TTimer(Application);
    timer->SetInterval(10);
    int ticks = 0;
    timer->SetOnTimer([&](TObject*) {
        ++ticks;
        throw Exception("tick");
    });
    Host.Advance(30);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(Boxes().size(), 3u);
}

} // namespace
