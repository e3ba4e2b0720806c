#include "EntityFixture.h"
#include "app/Assets.h"
#include "entities/Pedestrians.h"
#include <climits>
#include <cstdlib>

namespace {

using PedestrianTest = EntityTest;

TEST_F(PedestrianTest, PinkManNoticesTheCarAtSeventyPixelsButNotSeventyOne) {
    PinkMan& far = make<PinkMan>();
    PinkMan& near = make<PinkMan>();
    placeFromCar(far, 71, 0);
    placeFromCar(near, 0, 70);
    Point farStart = far.getPosition();

    far.update();
    near.update();

    EXPECT_EQ(farStart.x, far.getPosition().x);
    EXPECT_EQ(farStart.y, far.getPosition().y);
    EXPECT_EQ(0, far.straightTick) << "an unalarmed pedestrian makes no decision at all";
    EXPECT_EQ(1000, near.straightTick);
    EXPECT_EQ(1000, near.diagonalTick);
}

TEST_F(PedestrianTest, BlackManOnlyNoticesTheCarWithinForty) {
    BlackMan& far = make<BlackMan>();
    BlackMan& near = make<BlackMan>();
    placeFromCar(far, 0, -41);
    placeFromCar(near, -28, -28); // 39.6, truncated to 39
    far.update();
    near.update();
    EXPECT_EQ(0, far.straightTick);
    EXPECT_EQ(1000, near.straightTick);
}

TEST_F(PedestrianTest, FleesMostlyAlongTheCarsHeading) {
    std::srand(11);
    player.heading = 4;
    PinkMan& man = make<PinkMan>();
    placeFromCar(man, 0, 30);
    int startX = man.x;
    for (int i = 0; i < 20; ++i) {
        clock.advance(100);
        man.update();
    }
    // 20 straight and 20 diagonal decisions; about 14 straight ones follow the car east.
    EXPECT_GE(man.x - startX, 8);
}

TEST_F(PedestrianTest, AtTheMapEdgeOnlyStepsBackInside) {
    PinkMan& man = make<PinkMan>();
    man.setPosition(0, 500);
    graphics.cameraX = 160; // the car is right on top of him
    graphics.cameraY = -380;
    man.update();
    EXPECT_EQ(1, man.x);
    EXPECT_EQ(500, man.y);
    EXPECT_EQ(0, man.straightTick);
    EXPECT_EQ(0, man.diagonalTick);

    man.setPosition(1000, 1000);
    man.update();
    EXPECT_EQ(999, man.x);
    EXPECT_EQ(999, man.y);
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
}

TEST_F(PedestrianTest, AResurrectedManCountsAgainAndTheNukeKillsLikeTheCar) {
    BlackMan& man = make<BlackMan>();
    man.hit(0); // the nuke ring
    man.setAlive(1);
    touchFor(man, 3);
    EXPECT_EQ(2, player.menKilled);
    EXPECT_EQ(0, player.pinkKilled);
    EXPECT_EQ(2, sounds.countPrefix("sounds/grunts/grunt"));
}

TEST_F(PedestrianTest, FacesEastForEveryEasterlyDirection) {
    PinkMan& man = make<PinkMan>();
    man.direction = 4;
    SDL_Surface* east = man.currentSprite();
    for (int direction : {6, 8}) {
        man.direction = direction;
        EXPECT_EQ(east, man.currentSprite());
    }
    man.direction = 3;
    SDL_Surface* west = man.currentSprite();
    for (int direction : {5, 7}) {
        man.direction = direction;
        EXPECT_EQ(west, man.currentSprite());
    }
}

// Held in place within reach, a pedestrian decides a step exactly when its period has
// passed. Ticks are whole milliseconds, so 97.5 ms means every 98 ms, never 97.
void expectSteadyGaps(const std::vector<Uint32>& gaps, Uint32 period) {
    ASSERT_GT(gaps.size(), 20u);
    for (Uint32 gap : gaps)
        ASSERT_EQ(period, gap);
}

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
}

// The tick fields are plain ints; after 24.8 days of uptime the clock no longer fits
// them, and a handheld left on in its dock gets there.
TEST_F(PedestrianTest, PeriodsHoldWhenTheClockPassesTheIntRange) {
    PinkMan& pink = make<PinkMan>();
    clock.set(static_cast<Uint32>(INT_MAX) - 1000);
    auto held = [&] {
        placeFromCar(pink, 10, 10);
        pink.update();
    };
    expectSteadyGaps(gapsBetweenTicks(clock, pink.diagonalTick, 4000, held), 98);
}

} // namespace
