#include "EntityFixture.h"
#include "app/Assets.h"
#include "entities/Obstacles.h"
#include "screens/Shop.h"

namespace {

class ObstacleTest : public EntityTest {
  protected:
    void SetUp() override {
        EntityTest::SetUp();
        afroChopTick = 0;
    }
};

TEST_F(ObstacleTest, AWreckGivesFuelOnceAndACrushedOneNothingMore) {
    DeadCar& wreck = make<DeadCar>();
    touchFor(wreck, 1);
    int fuel = player.pendingFuel;
    EXPECT_GE(fuel, 1);
    EXPECT_LE(fuel, 3);
    EXPECT_GE(wreck.crushLook, 1);
    EXPECT_LE(wreck.crushLook, 3);
    EXPECT_EQ(1, sounds.count(assets::wreckCrush));

    int look = wreck.crushLook;
    SDL_Surface* crushed = wreck.currentSprite();
    touchFor(wreck, 20);
    EXPECT_EQ(fuel, player.pendingFuel);
    EXPECT_EQ(look, wreck.crushLook);
    EXPECT_EQ(crushed, wreck.currentSprite());
    EXPECT_EQ(1u, sounds.paths().size());
}

TEST_F(ObstacleTest, TreesPushTheCarAsideInEveryTouchingFrame) {
    DeadTree& dead = make<DeadTree>();
    PalmTree& palm = make<PalmTree>();
    player.heading = 1;
    touchFor(dead, 3);
    touchFor(palm, 2);
    EXPECT_EQ(155, player.x);
    EXPECT_EQ(120, player.y);
    EXPECT_EQ(1, player.heading);
}

TEST_F(ObstacleTest, EachHutRingsOnceAndOpensTheShopOnEveryTouch) {
    Shop& first = make<Shop>();
    Shop& second = make<Shop>();
    for (int frame = 0; frame < 3; ++frame) {
        shop.setOpen(false);
        first.hit(1);
        EXPECT_TRUE(shop.isOpen());
    }
    EXPECT_EQ(1, sounds.count(assets::enterShop));
    second.hit(1);
    EXPECT_EQ(2, sounds.count(assets::enterShop));
}

TEST_F(ObstacleTest, TwoAfrosShareOneClock) {
    Afro* afros = level.makeEntities<Afro>(2);
    clock.set(50000);
    int frameChanges = 0;
    int lastFrames[2] = {0, 0};
    for (int ms = 0; ms < 1800; ++ms, clock.advance(1)) {
        for (int i = 0; i < 2; ++i) {
            afros[i].hit(1);
            if (afros[i].frame != lastFrames[i]) ++frameChanges;
            lastFrames[i] = afros[i].frame;
        }
    }
    // One change per 180 ms between them: the first in the list always takes it, so
    // the second never even lifts his axe, and the car loses 3 health per 360 ms, not 6.
    EXPECT_EQ(10, frameChanges);
    EXPECT_EQ(0, afros[1].frame);
    EXPECT_EQ(85, player.getHealth());
    EXPECT_EQ(2, sounds.countPrefix("sounds/blacktalk/"));
}

} // namespace
