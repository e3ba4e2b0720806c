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

// The frame whose walk touches an exit ends the walk there: nothing after the exit in
// the old list is touched, moved or drawn, and nothing of the new level either, trees
// included, until the next frame.
TEST_F(LevelLifecycle, TheFrameThatTakesAnExitTouchesNothingAfterIt) {
    for (int exitKind : {KindPortal, KindHellrift}) {
        SCOPED_TRACE(exitKind);
        HandMadeLevel first, second;
        Marker* old = first.markers(4, 160, 120); // all within reach of the car
        Marker* fresh = second.markers(4, 160, 120);
        fresh[3].setKind(KindDeadTree);
        old[3].setKind(KindPalmTree);
        old[1].setKind(exitKind);
        old[1].onHit = [&](Marker&) { game.currentLevel = &second.level; };
        game.currentLevel = &first.level;
        graphics.frame();
        std::vector<int> oldHits, oldDraws, freshHits, freshDraws;
        for (int k = 0; k < 4; ++k) {
            oldHits.push_back(old[k].hits);
            oldDraws.push_back(old[k].draws);
            freshHits.push_back(fresh[k].hits);
            freshDraws.push_back(fresh[k].draws);
        }
        EXPECT_EQ(oldHits, (std::vector<int>{1, 1, 0, 0}));
        EXPECT_EQ(oldDraws, (std::vector<int>{1, 0, 0, 0}));
        EXPECT_EQ(freshHits, (std::vector<int>{0, 0, 0, 0}));
        EXPECT_EQ(freshDraws, (std::vector<int>{0, 0, 0, 0}));
        graphics.frame();
        EXPECT_EQ(fresh[0].hits, 1) << "the next frame walks the new level";
        EXPECT_EQ(fresh[3].draws, 2) << "and draws its trees again over the car";
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
