#include "app/Timer.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST(Timer, NeverSetNeverFires) {
    FakeClock clock;
    cTimer timer;
    for (int i = 0; i < 5; ++i) {
        clock.advance(100000);
        EXPECT_FALSE(timer.check());
    }
}

TEST(Timer, FiresOncePerPeriod) {
    FakeClock clock;
    cTimer timer;
    timer.setRate(100); // 10 ms
    clock.advance(9);
    EXPECT_FALSE(timer.check());
    clock.advance(1);
    EXPECT_TRUE(timer.check());
    EXPECT_FALSE(timer.check());
    clock.advance(9);
    EXPECT_FALSE(timer.check());
    clock.advance(1);
    EXPECT_TRUE(timer.check());
}

// After a stay in the menu the car must not make up for lost time in one burst.
TEST(Timer, LateCheckFiresOnceAndCountsTheNextPeriodFromThere) {
    FakeClock clock;
    cTimer timer;
    timer.setRate(100);
    clock.advance(35);
    EXPECT_TRUE(timer.check());
    EXPECT_FALSE(timer.check());
    clock.advance(9);
    EXPECT_FALSE(timer.check());
    clock.advance(1);
    EXPECT_TRUE(timer.check());
}

TEST(Timer, SetRateRestartsTheRunningPeriod) {
    FakeClock clock;
    cTimer timer;
    timer.setRate(100);
    clock.advance(8);
    timer.setRate(100);
    clock.advance(8);
    EXPECT_FALSE(timer.check());
    clock.advance(2);
    EXPECT_TRUE(timer.check());
}

TEST(Timer, PeriodIsWholeMilliseconds) {
    FakeClock clock;
    cTimer timer;
    const struct {
        int rate, period;
    } cases[] = {{60, 16}, {140, 7}, {93, 10}, {20, 50}, {1000, 1}};
    for (const auto& c : cases) {
        timer.setRate(c.rate);
        EXPECT_EQ(c.period, timer.period) << "rate " << c.rate;
        EXPECT_EQ(clock.now() + c.period, timer.deadline) << "rate " << c.rate;
    }
}
