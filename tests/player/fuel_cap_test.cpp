#include "player/Player.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

class FuelCountUp : public testing::Test {
  protected:
    FakeClock clock{5000};

    void SetUp() override { resetGame(); }
    void TearDown() override { resetGame(); }

    // One count-up step is due every 40 ms.
    void countFor(int steps) {
        for (int i = 0; i < steps; ++i) {
            clock.advance(40);
            player.update();
        }
    }
};

// Fuel bought or found near the 999 cap ends its count-up at the cap, instead of
// refilling the tank for ever.
TEST_F(FuelCountUp, EndsAtTheSumOrAtTheCap) {
    const struct {
        int fuel, pending, fuelAfter;
    } cases[] = {{6, 3, 9}, {996, 3, 999}, {997, 5, 999}, {999, 1, 999}, {999, 50, 999}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fuel);
        resetGame();
        player.fuel = c.fuel;
        player.addPendingFuel(c.pending);
        countFor(c.pending + 1);
        EXPECT_EQ(c.fuelAfter, player.getFuel());
        EXPECT_EQ(0, player.pendingFuel) << "the count-up is over";
        player.fuel = 500; // spent: nothing may top it up again
        countFor(3);
        EXPECT_EQ(500, player.getFuel());
    }
}

TEST_F(FuelCountUp, ANewGameForgetsACountUpCutShort) {
    player.fuel = 990;
    player.addPendingFuel(50);
    countFor(2);
    player.reset();
    EXPECT_EQ(6, player.getFuel());
    countFor(10);
    EXPECT_EQ(6, player.getFuel()) << "the old game's fuel counted into the new one";
    player.addPendingFuel(2);
    countFor(3);
    EXPECT_EQ(8, player.getFuel()) << "a fresh count-up starts from the new game's fuel";
}

} // namespace
