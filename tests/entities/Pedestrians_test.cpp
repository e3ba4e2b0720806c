#include "EntityFixture.h"
#include "app/Assets.h"
#include "entities/Pedestrians.h"
#include <climits>
#include <cstdlib>

namespace {

using PedestrianTest = EntityTest;

// An unalarmed pedestrian makes no step decision at all, so its ticks stay at 0.
TEST_F(PedestrianTest, NoticesTheCarOnlyWithinItsReactionDistance) {
    PinkMan* pink = level.makeEntities<PinkMan>(2);
    BlackMan* men = level.makeEntities<BlackMan>(2);
    placeFromCar(pink[0], 71, 0);
    placeFromCar(pink[1], 0, 70);
    placeFromCar(men[0], 0, -41);
    placeFromCar(men[1], -28, -28); // 39.6, truncated to 39
    Point still = pink[0].getPosition();
    for (Pedestrian* p : {static_cast<Pedestrian*>(&pink[0]), static_cast<Pedestrian*>(&pink[1]),
                          static_cast<Pedestrian*>(&men[0]), static_cast<Pedestrian*>(&men[1])})
        p->update();
    EXPECT_EQ(still.x, pink[0].x);
    EXPECT_EQ(still.y, pink[0].y);
    EXPECT_EQ(0, pink[0].straightTick);
    EXPECT_EQ(1000, pink[1].straightTick);
    EXPECT_EQ(1000, pink[1].diagonalTick);
    EXPECT_EQ(0, men[0].straightTick);
    EXPECT_EQ(1000, men[1].straightTick);
}

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
