#include "EntityFixture.h"
#include "app/Assets.h"
#include "entities/Exits.h"
#include "player/Walker.h"
#include "world/Level1.h"
#include "world/Level4.h"
#include "graphics/Pixels.h"
#include <algorithm>
#include <cstdlib>

namespace {

using ExitTest = EntityTest;

bool inCurrentLevel(const BaseEntity* entity) {
    const auto& list = game.currentLevel->entities;
    return std::find(list.begin(), list.end(), entity) != list.end();
}

// The car keeps what it carries through an exit; only its place and count-up restart,
// and the exit outlives its level until the frame ends.
TEST_F(ExitTest, ExitsSwitchLevelsKeepingTheCarsResources) {
    const struct {
        int from, to;
        const char* sound;
        bool portal;
    } exits[] = {{4, 3, assets::portal, true},
                 {3, 4, assets::hellrift, false},
                 {1, 3, assets::portal, true}};
    for (const auto& e : exits) {
        SCOPED_TRACE(e.from);
        game.currentLevel = nullptr;
        resetGame();
        enterLevelWithSeed(e.from, 17);
        BaseEntity& exit =
            e.portal ? static_cast<BaseEntity&>(game.currentLevel->makeEntities<Portal>(1)[0])
                     : game.currentLevel->makeEntities<Hellrift>(1)[0];
        int kind = exit.kind;
        player.setMoney(345);
        player.setEggs(4);
        player.fuel = 9;
        player.setHealth(61);
        player.levelCount = 2;
        player.setPosition(100, 50);
        walker.setHealth(20);
        sounds.clear();

        exit.hit(1);

        EXPECT_EQ(e.to, game.levelNumber);
        EXPECT_FALSE(inCurrentLevel(&exit));
        EXPECT_EQ(kind, exit.kind);
        EXPECT_EQ(3, player.levelCount);
        EXPECT_EQ(345, player.getMoney());
        EXPECT_EQ(4, player.getEggs());
        EXPECT_EQ(9, player.getFuel());
        EXPECT_EQ(61, player.getHealth());
        EXPECT_EQ(160, player.x);
        EXPECT_EQ(120, player.y);
        EXPECT_EQ(100, walker.getHealth());
        EXPECT_EQ((std::vector<std::string>{e.sound}), sounds.paths());
    }
    EXPECT_EQ(nullptr, level4Map);
    EXPECT_EQ(nullptr, level1Map);
}

} // namespace
