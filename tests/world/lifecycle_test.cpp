#include "graphics/Graphics.h"
#include "graphics/Marker.h"
#include "player/Player.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include "world/Level1.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class LevelLifecycle : public testing::Test {
  protected:
    FakeClock clock{1000};

    void SetUp() override { resetGame(); }
    void TearDown() override {
        if (game.levelNumber == 0) game.currentLevel = nullptr;
        resetGame();
    }
};

// A switch inside a hit: the entity that switched is still drawn, and the walk goes on
// at the next index of the new list, or ends if that list is shorter.
TEST_F(LevelLifecycle, TheWalkGoesOnAtTheNextIndexOfTheNewList) {
    const struct {
        int switchAt, freshCount;
        std::vector<int> freshDraws;
    } cases[] = {{1, 4, {0, 0, 1, 1}}, {2, 2, {0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.switchAt);
        HandMadeLevel first, second;
        Marker* old = first.markers(3, 160, 120);
        Marker* fresh = second.markers(c.freshCount, 200, 60); // in view, out of reach
        old[c.switchAt].onHit = [&](Marker&) { game.currentLevel = &second.level; };

        game.currentLevel = &first.level;
        graphics.frame();
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(old[k].hits, k <= c.switchAt ? 1 : 0) << k;
            EXPECT_EQ(old[k].draws, k <= c.switchAt ? 1 : 0) << k;
        }
        std::vector<int> draws;
        for (int k = 0; k < c.freshCount; ++k)
            draws.push_back(fresh[k].draws);
        EXPECT_EQ(draws, c.freshDraws);
        if (c.freshCount == 2) {
            graphics.frame();
            EXPECT_EQ(fresh[0].draws + fresh[1].draws, 2) << "the next frame walks the new list";
        }
        game.currentLevel = nullptr;
    }
}

TEST_F(LevelLifecycle, SwitchingFromInsideAHitFreesTheOldMapOnlyAtTheNextFrame) {
    // A hundred switches, each from inside the hit of an entity of the level being
    // left, the way a portal does it.
    ASSERT_EQ(Marker::live, 0);
    enterLevelWithSeed(1, 3);
    for (int i = 0; i < 100; ++i) {
        Marker* trigger = game.currentLevel->makeEntities<Marker>(1);
        trigger->setPosition(player.x - graphics.cameraX, player.y - graphics.cameraY);
        // First in the list, so that no portal of the map takes the car away before.
        auto& list = game.currentLevel->entities;
        list.pop_back();
        list.insert(list.begin(), trigger);
        trigger->onHit = [](Marker&) {
            game.destroyCurrentLevel();
            game.enterLevel(1);
        };
        // Earlier triggers are gone by the start of this frame; this one survives it.
        graphics.frame();
        ASSERT_EQ(Marker::live, 1) << "switch " << i;
        EXPECT_EQ(trigger->hits, 1);
        EXPECT_EQ(trigger->draws, 1);
    }
    graphics.frame();
    EXPECT_EQ(Marker::live, 0);
    EXPECT_TRUE(game.retiredEntities.empty());
}

} // namespace
