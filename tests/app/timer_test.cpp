#include "app/Timer.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

// Once per period, and after a stay in the menu the car must not make up for lost time
// in one burst: a late check fires once and counts the next period from there.
TEST(Timer, FiresOncePerPeriodEvenWhenCheckedLate) {
    for (int late : {0, 25}) {
        SCOPED_TRACE(late);
        FakeClock clock;
        cTimer timer;
        clock.advance(100000);
        EXPECT_FALSE(timer.check()) << "never set, never fires";
        timer.setRate(100); // 10 ms
        clock.advance(9);
        EXPECT_FALSE(timer.check());
        clock.advance(1 + late);
        EXPECT_TRUE(timer.check());
        EXPECT_FALSE(timer.check());
        clock.advance(9);
        EXPECT_FALSE(timer.check());
        clock.advance(1);
        EXPECT_TRUE(timer.check());
    }
}

TEST(Timer, SetRateRestartsTheRunningPeriodInWholeMilliseconds) {
    FakeClock clock;
    cTimer timer;
    timer.setRate(100);
    clock.advance(8);
    timer.setRate(100);
    clock.advance(8);
    EXPECT_FALSE(timer.check());
    clock.advance(2);
    EXPECT_TRUE(timer.check());
    timer.setRate(93); // 10.75 ms: a whole 10
    EXPECT_EQ(clock.now() + 10, timer.deadline);
}
