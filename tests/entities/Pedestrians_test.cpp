#include "EntityFixture.h"
#include "app/Assets.h"
#include "entities/Pedestrians.h"
#include <climits>
#include <cstdlib>

namespace {

using PedestrianTest = EntityTest;

TEST_F(PedestrianTest, AKillCountsOnceHoweverLongTheTouchLasts) {
    PinkMan& man = make<PinkMan>();
    SDL_Surface* standing = man.currentSprite();
    touchFor(man, 12);

    EXPECT_FALSE(man.isAlive());
    EXPECT_EQ(1, player.pinkKilled);
    EXPECT_EQ(0, player.menKilled);
    EXPECT_EQ(1, sounds.countPrefix("sounds/grunts/grunt"));
    EXPECT_EQ(1, sounds.countPrefix("sounds/gore/crush"));
    EXPECT_EQ(2u, sounds.paths().size());
    if (standing) {
        EXPECT_NE(standing, man.currentSprite());
    }

    placeFromCar(man, 5, 5);
    Point body = man.getPosition();
    man.update();
    EXPECT_EQ(body.x, man.x) << "the dead do not run";
    EXPECT_EQ(body.y, man.y);

    // A resurrected man counts again, and the nuke ring kills like the car.
    BlackMan& black = make<BlackMan>();
    black.hit(0);
    black.setAlive(1);
    touchFor(black, 3);
    EXPECT_EQ(2, player.menKilled);
    EXPECT_EQ(1, player.pinkKilled);
    EXPECT_EQ(3, sounds.countPrefix("sounds/grunts/grunt"));
}

// Held in place within reach, a pedestrian decides a step exactly when its period has
// passed. Ticks are whole milliseconds, so 97.5 ms means every 98 ms, never 97.
TEST_F(PedestrianTest, StepsComeExactlyWhenTheirPeriodsHavePassed) {
    PinkMan& pink = make<PinkMan>();
    BlackMan& man = make<BlackMan>();
    auto held = [&](Pedestrian& p) {
        return [&] {
            placeFromCar(p, 10, 10);
            p.update();
        };
    };
    expectSteadyGaps(gapsBetweenTicks(clock, pink.straightTick, 5000, held(pink)), 65);
    expectSteadyGaps(gapsBetweenTicks(clock, pink.diagonalTick, 5000, held(pink)), 98);
    expectSteadyGaps(gapsBetweenTicks(clock, man.straightTick, 2000, held(man)), 10);
    expectSteadyGaps(gapsBetweenTicks(clock, man.diagonalTick, 2000, held(man)), 15);

    // The tick fields are plain ints; after 24.8 days of uptime the clock no longer fits
    // them, and a handheld left on in its dock gets there.
    clock.set(static_cast<Uint32>(INT_MAX) - 1000);
    expectSteadyGaps(gapsBetweenTicks(clock, pink.diagonalTick, 4000, held(pink)), 98);
}

} // namespace
