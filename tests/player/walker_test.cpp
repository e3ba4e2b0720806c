#include "graphics/Graphics.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Menu.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <gtest/gtest.h>

namespace {

class Walker : public testing::Test {
  protected:
    void SetUp() override { resetGame(); }
    void TearDown() override {
        game.currentLevel = nullptr;
        resetGame();
    }
};

TEST_F(Walker, HasExactlyAHundredSteps) {
    walker.setPosition(100, 100);
    for (int i = 0; i < 50; ++i)
        walker.step(4);
    for (int i = 0; i < 50; ++i)
        walker.step(2);
    EXPECT_EQ(150, walker.getPosition().x);
    EXPECT_EQ(150, walker.getPosition().y);
    EXPECT_EQ(0, walker.getHealth());

    walker.step(1);
    EXPECT_EQ(150, walker.getPosition().y);
    EXPECT_EQ(2, walker.direction) << "a dead walker does not turn";
    EXPECT_EQ(0, walker.getHealth());
}

TEST_F(Walker, GruntsOncePerLife) {
    SoundLog log;
    walker.setHealth(0);
    EXPECT_EQ(walker.images[4], walker.currentSprite());
    walker.currentSprite();
    EXPECT_EQ(1, log.countPrefix("sounds/grunts/grunt"));

    walker.reset();
    EXPECT_EQ(walker.images[0], walker.currentSprite());
    walker.setHealth(0);
    walker.currentSprite();
    EXPECT_EQ(2, log.countPrefix("sounds/grunts/grunt"));
}

} // namespace
