#include "app/Timer.h"
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <deque>
#include <vector>

namespace {

// Something on the map that only remembers how it was struck, and at which ring radius.
class Target : public BaseEntity {
  public:
    Target(int entityKind, int mapX, int mapY) {
        kind = entityKind;
        x = mapX;
        y = mapY;
    }
    void hit(int how) override {
        if (hits.empty()) radiusAtFirstHit = player.nukeRadius;
        hits.push_back(how);
    }
    SDL_Surface* currentSprite() override { return nullptr; }

    std::vector<int> hits;
    int radiusAtFirstHit = -1;
};

// A fresh car on a bare 800x800 map, standing at screen (160, 120) on map point
// (400, 400); the camera is at (-240, -280).
class Car : public testing::Test {
  protected:
    FakeClock clock{5000};
    cLevel level;

    void SetUp() override {
        game.currentLevel = nullptr;
        resetGame();
        level.init(800, 800, 16);
        game.currentLevel = &level;
        rewindCountUpClocks();
    }
    void TearDown() override {
        game.currentLevel = nullptr;
        resetGame();
        rewindCountUpClocks();
    }

    // The money and fuel count-ups keep their last step time across resets. An update
    // at the very end of the tick range leaves them due again at any later test time.
    void rewindCountUpClocks() {
        Uint32 now = clock.now();
        clock.set(0xFFFFFFFFu - 31);
        player.update();
        clock.set(now);
    }

    // One fuel count-up step is due every 40 ms.
    void countFuel(int steps) {
        for (int i = 0; i < steps; ++i) {
            clock.advance(40);
            player.update();
        }
    }

    // The loop calls the diagonal move on every diagonal tick, whatever the heading.
    void driveInPlace(int steps, int dir) {
        for (int i = 0; i < steps; ++i) {
            player.setPosition(160, 120);
            player.moveStraight(dir);
            player.moveDiagonal(dir);
        }
    }
};

TEST_F(Car, MapEdgesPushTheCarBackInside) {
    const struct {
        int cameraX, cameraY, wantX, wantY, wantCameraX, wantCameraY;
    } edges[] = {{160, -280, 162, 120, 158, -280},    // west: map x 0
                 {-640, -280, 158, 120, -638, -280},  // east: map x 800
                 {-240, 120, 160, 122, -240, 118},    // north: map y 0
                 {-240, -680, 160, 118, -240, -678}}; // south: map y 800
    for (const auto& e : edges) {
        player.setPosition(160, 120);
        graphics.cameraX = e.cameraX;
        graphics.cameraY = e.cameraY;
        player.moveDiagonal(8);
        EXPECT_EQ(160, player.x) << "no diagonal move off the map";
        player.moveStraight(1);
        EXPECT_EQ(e.wantX, player.x);
        EXPECT_EQ(e.wantY, player.y);
        EXPECT_EQ(e.wantCameraX, graphics.cameraX);
        EXPECT_EQ(e.wantCameraY, graphics.cameraY);
        EXPECT_EQ(1, player.getHeading());
    }
}

TEST_F(Car, UsesAMileEvery423StraightOr846DiagonalSteps) {
    driveInPlace(422, 1);
    EXPECT_EQ(6, player.getFuel());
    driveInPlace(1, 1);
    EXPECT_EQ(5, player.getFuel());
    EXPECT_EQ(0, player.distance);

    driveInPlace(845, 5);
    EXPECT_EQ(5, player.getFuel());
    driveInPlace(1, 5);
    EXPECT_EQ(4, player.getFuel());
}

TEST_F(Car, WarnsAtThreeMilesAndLetsTheDriverOutAtTheLast) {
    SoundLog log;
    player.fuel = 4;
    player.distance = 846;
    player.moveDiagonal(1);
    EXPECT_EQ(3, player.getFuel());
    EXPECT_EQ(1, log.count("sounds/lowgass.wav"));

    player.distance = 846;
    player.moveDiagonal(1);
    EXPECT_EQ(2, player.getFuel());
    EXPECT_EQ(1, log.count("sounds/lowgass.wav"));
    EXPECT_EQ(0, log.count("sounds/heartbeat.wav"));

    player.fuel = 1;
    player.distance = 846;
    player.setPosition(150, 100);
    player.moveDiagonal(1);
    EXPECT_EQ(0, player.getFuel());
    EXPECT_EQ(1, log.count("sounds/heartbeat.wav"));
    EXPECT_EQ(150, walker.getPosition().x);
    EXPECT_EQ(100, walker.getPosition().y);

    player.moveStraight(1);
    EXPECT_EQ(100, player.y) << "a car without fuel stands still";
}

TEST_F(Car, HealthIsCappedAndZeroBlowsTheCarUp) {
    player.setHealth(1000);
    EXPECT_EQ(999, player.getHealth());
    EXPECT_TRUE(player.alive);

    SoundLog log;
    player.setHealth(0);
    EXPECT_EQ(1, log.count("sounds/explosion.wav"));
    EXPECT_EQ(0, player.getHealth());
    EXPECT_EQ(0, player.getFuel());
    EXPECT_FALSE(player.alive);
    EXPECT_EQ(0, walker.getHealth());
    EXPECT_EQ(player.deadSprite, player.currentSprite());
}

TEST_F(Car, MoneyCountsInThirtyTwoAtATimeWithACoinEach) {
    for (int start : {0, 60}) {
        player.update(); // the step clock starts now
        SoundLog log;
        player.setMoney(start);
        player.addPendingMoney(100);
        std::vector<int> readings;
        for (int i = 0; i < 4; ++i) {
            clock.advance(31);
            player.update();
            EXPECT_EQ(static_cast<int>(readings.size()), log.countPrefix("sounds/coin"));
            clock.advance(1);
            player.update();
            readings.push_back(player.getMoney());
        }
        EXPECT_EQ((std::vector<int>{start + 32, start + 64, start + 96, start + 100}), readings);
        EXPECT_EQ(0, player.getPendingMoney());
        EXPECT_EQ(4, log.countPrefix("sounds/coin"));
    }
}

// Fuel bought or found counts up a mile at a time and ends at the sum or at the 999
// cap, instead of refilling the tank for ever.
TEST_F(Car, FuelCountsUpAMileAtATimeToTheSumOrTheCap) {
    const struct { int fuel, pending; } cases[] = {{6, 3}, {996, 3}, {997, 5}, {999, 1}, {999, 50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fuel);
        resetGame();
        player.fuel = c.fuel;
        player.addPendingFuel(c.pending);
        for (int step = 1; step <= c.pending + 1; ++step) {
            countFuel(1);
            EXPECT_EQ(std::min(c.fuel + std::min(step, c.pending), 999), player.getFuel());
        }
        EXPECT_EQ(0, player.pendingFuel) << "the count-up is over";
        player.fuel = 500; // spent: nothing may top it up again
        countFuel(3);
        EXPECT_EQ(500, player.getFuel());
    }
}

TEST_F(Car, ANewGameForgetsAFuelCountUpCutShort) {
    player.fuel = 990;
    player.addPendingFuel(50);
    countFuel(2);
    player.reset();
    EXPECT_EQ(6, player.getFuel());
    countFuel(10);
    EXPECT_EQ(6, player.getFuel()) << "the old game's fuel counted into the new one";
    player.addPendingFuel(2);
    countFuel(3);
    EXPECT_EQ(8, player.getFuel()) << "a fresh count-up starts from the new game's fuel";
}

TEST_F(Car, NukeRingGrowsToOneHundredAndTenAndKillsOnlyAnimalsAndPeople) {
    std::deque<Target> targets; // stays put as it grows
    const int victims[] = {KindCat, KindDog, KindBlackMan, KindPinkMan};
    for (int kind : victims)
        targets.emplace_back(kind, 430, 400); // 30 pixels east of the car
    targets.emplace_back(KindChest, 400, 410);
    targets.emplace_back(KindShop, 400, 400);
    targets.emplace_back(KindCat, 400, 200); // beyond the last ring
    for (Target& t : targets)
        level.entities.push_back(&t);

    player.addNukes(1);
    player.useNukeExhaust();
    EXPECT_TRUE(player.isNukeActive());
    EXPECT_EQ(0, player.nukes);

    std::vector<int> radii;
    while (player.isNukeActive() && radii.size() < 20) {
        radii.push_back(player.nukeRadius);
        clock.advance(100);
        player.update();
    }
    EXPECT_EQ((std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110}), radii);
    EXPECT_EQ(10, player.nukeRadius);

    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(30, targets[i].radiusAtFirstHit) << "kind " << targets[i].kind;
        EXPECT_EQ(std::vector<int>(9, 0), targets[i].hits) << "kind " << targets[i].kind;
    }
    for (size_t i = 4; i < targets.size(); ++i)
        EXPECT_TRUE(targets[i].hits.empty()) << "kind " << targets[i].kind;

    // The next ring starts where the last one left the radius.
    clock.advance(100);
    player.update();
    EXPECT_EQ(10, player.nukeRadius);
    player.addNukes(1);
    player.useNukeExhaust();
    player.update();
    EXPECT_EQ(20, player.nukeRadius);
}

TEST_F(Car, NosBoostsAddFortyUpToThreeHundred) {
    player.setSpeed(280);
    player.nosBoost();
    EXPECT_EQ(320, player.getSpeed());
    EXPECT_EQ(3, carDiagonalTimer.period); // 281 per second
    EXPECT_EQ(2, carStraightTimer.period); // 421 per second

    rateCarTimers(80);
    player.nosBoost();
    EXPECT_EQ(320, player.getSpeed());
    EXPECT_EQ(12, carStraightTimer.period);
    EXPECT_EQ(18, carDiagonalTimer.period);
}

} // namespace
