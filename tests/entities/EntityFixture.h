#pragma once
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <gtest/gtest.h>
#include <vector>

// A bare 1000x1000 level of the test's own, a fake clock at 1000 ms and a sound log.
// The car sits at its start (160, 120) on screen, over map point (500, 500).
class EntityTest : public testing::Test {
  protected:
    void SetUp() override {
        resetGame();
        level.init(1000, 1000, 16);
        game.currentLevel = &level;
    }
    void TearDown() override {
        game.currentLevel = nullptr;
        resetGame();
    }

    template <class T> T& make() { return level.makeEntities<T>(1)[0]; }

    // Puts the entity (dx, dy) screen pixels away from the car's centre.
    void placeFromCar(BaseEntity& entity, int dx, int dy) {
        Point car = player.getPosition();
        entity.setPosition(car.x + dx - graphics.cameraX, car.y + dy - graphics.cameraY);
    }

    // The game frame strikes an entity once in every frame of a touch.
    static void touchFor(BaseEntity& entity, int frames) {
        for (int i = 0; i < frames; ++i)
            entity.hit(1);
    }

    cLevel level;
    FakeClock clock{1000};
    SoundLog sounds;
};

// Runs `step` once per millisecond for `ms` ms and returns the gaps between the moments
// at which `tick` took a new value: the periods a paced action really kept.
template <class Step>
std::vector<Uint32> gapsBetweenTicks(FakeClock& clock, const int& tick, Uint32 ms, Step step) {
    std::vector<Uint32> gaps;
    bool seen = false;
    Uint32 last = 0;
    for (Uint32 i = 0; i < ms; ++i, clock.advance(1)) {
        int before = tick;
        step();
        if (tick == before) continue;
        if (seen) gaps.push_back(clock.now() - last);
        seen = true;
        last = clock.now();
    }
    return gaps;
}

// Every gap equal to the period: never earlier, never a millisecond late.
inline void expectSteadyGaps(const std::vector<Uint32>& gaps, Uint32 period) {
    ASSERT_GT(gaps.size(), 20u);
    for (Uint32 gap : gaps)
        ASSERT_EQ(period, gap);
}
