#include "app/Assets.h"
#include "entities/Animals.h"
#include "entities/Pedestrians.h"
#include "entities/Pickups.h"
#include "player/Player.h"
#include "screens/Shop.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <gtest/gtest.h>

namespace {

enum {
    Kitten = 0,
    DogKill = 1,
    Gas = 2,
    SmallHealth = 3,
    LargeHealth = 4,
    Nukes = 5,
    Engine = 6,
    NosDelimiter = 7,
    Resurrect = 8
};

// A cat whose death pays, so the price must come off the money as the kill left it.
class RichCat final : public Animal {
  public:
    RichCat() : Animal(KindCat, false, assets::catImages) {}
    void hit(int) override {
        alive = 0;
        player.setMoney(player.getMoney() + 100);
    }
};

class ShopTest : public testing::Test {
  protected:
    void SetUp() override {
        resetGame();
        level.init(512, 512, 16);
        game.currentLevel = &level;
    }
    void TearDown() override {
        game.currentLevel = nullptr;
        resetGame();
    }
    void buy(int offer, int money, int eggs = 0) {
        player.setMoney(money);
        player.setEggs(eggs);
        shop.cursor = offer;
        shop.buy();
    }
    int refusals() const { return log.count(assets::shopRefuse); }

    cLevel level;
    SoundLog log;
};

} // namespace

// One short of the price is refused; the price buys the goods and empties the purse;
// nothing is sold while money is still counting in. The cursor stops at both ends.
TEST_F(ShopTest, EachOfferCostsItsPrice) {
    const struct {
        int offer, price;
        int cPlayer::*goods;
        int more;
    } offers[] = {{Gas, 45, &cPlayer::pendingFuel, 1},
                  {SmallHealth, 25, &cPlayer::health, 30},
                  {LargeHealth, 50, &cPlayer::health, 70},
                  {Nukes, 120, &cPlayer::nukes, 3},
                  {NosDelimiter, 100, &cPlayer::nosDelimiters, 3}};
    for (const auto& o : offers) {
        SCOPED_TRACE(o.offer);
        int before = player.*o.goods;
        buy(o.offer, o.price - 1);
        EXPECT_EQ(player.*o.goods, before);
        EXPECT_EQ(player.getMoney(), o.price - 1);
        buy(o.offer, o.price);
        EXPECT_EQ(player.*o.goods, before + o.more);
        EXPECT_EQ(player.getMoney(), 0);
    }
    player.addPendingMoney(5);
    buy(SmallHealth, 1000);
    EXPECT_EQ(player.getMoney(), 1000);
    EXPECT_EQ(refusals(), 6);
    EXPECT_EQ(log.count(assets::shopBuy), 5);

    shop.moveCursor(1);
    EXPECT_EQ(shop.cursor, SmallHealth - 1);
    for (int i = 0; i < 9; ++i)
        shop.moveCursor(2);
    EXPECT_EQ(shop.cursor, 8);
    shop.cursor = 0;
    shop.moveCursor(1);
    EXPECT_EQ(shop.cursor, 0);
}

TEST_F(ShopTest, KillsTakeTheFirstLivingAnimalOrRefuse) {
    Dog* dog = level.makeEntities<Dog>(1);
    Cat* cats = level.makeEntities<Cat>(2);
    cats[0].setAlive(0);
    buy(Kitten, 34);
    EXPECT_TRUE(cats[1].isAlive());
    buy(Kitten, 35);
    EXPECT_FALSE(cats[1].isAlive());
    EXPECT_TRUE(dog->isAlive());
    EXPECT_EQ(player.catsKilled, 1);
    EXPECT_EQ(player.getMoney(), 0);
    EXPECT_EQ(refusals(), 1);

    buy(Kitten, 100);
    EXPECT_EQ(player.getMoney(), 100);
    EXPECT_EQ(refusals(), 2);

    // A bought dog does not dent the car as a rammed one would.
    buy(DogKill, 65);
    EXPECT_FALSE(dog->isAlive());
    EXPECT_EQ(player.getHealth(), 100);
    EXPECT_EQ(player.getMoney(), 0);
    EXPECT_EQ(log.count(assets::shopBuy), 0);
}

TEST_F(ShopTest, PriceComesOffTheMoneyAfterTheEffect) {
    RichCat* cat = level.makeEntities<RichCat>(1);
    buy(Kitten, 35);
    EXPECT_FALSE(cat->isAlive());
    EXPECT_EQ(player.getMoney(), 100);

    player.setHealth(990);
    buy(SmallHealth, 25);
    EXPECT_EQ(player.getHealth(), 999);
    EXPECT_EQ(player.getMoney(), 0);
    EXPECT_EQ(log.count(assets::shopBuy), 1);
}

TEST_F(ShopTest, LastEngineUpgradeEmptiesThePurseAndKeepsItsText) {
    player.setEngineLevel(5);
    shop.refresh();
    buy(Engine, 2200, 7);
    EXPECT_EQ(player.getEngineLevel(), 5);
    buy(Engine, 2200, 8);
    EXPECT_EQ(player.getEngineLevel(), 6);
    EXPECT_EQ(player.getMoney(), 0);
    EXPECT_EQ(player.getEggs(), 0);
    EXPECT_STREQ(shop.items.at(Engine), "\xA3"
                                        "2200+8E - Engine Upgrade L6");
    EXPECT_EQ(shop.itemStyle(Engine), 1);
    shop.cursor = 0;
    EXPECT_EQ(shop.itemStyle(Engine), 0);

    buy(Engine, 5000, 20);
    EXPECT_EQ(player.getMoney(), 5000);
    EXPECT_EQ(refusals(), 2);
}

TEST_F(ShopTest, ResurrectionRaisesOnlyTheFourLivingKinds) {
    Cat* cat = level.makeEntities<Cat>(1);
    Dog* dog = level.makeEntities<Dog>(1);
    PinkMan* pink = level.makeEntities<PinkMan>(1);
    BlackMan* man = level.makeEntities<BlackMan>(1);
    Chest* chest = level.makeEntities<Chest>(1);
    for (auto* pedestrian : {static_cast<Pedestrian*>(pink), static_cast<Pedestrian*>(man)})
        pedestrian->setAlive(0);
    cat->setAlive(0);
    dog->setAlive(0);
    chest->opened = 1;

    buy(Resurrect, 3000, 0);
    EXPECT_EQ(refusals(), 1);
    EXPECT_FALSE(cat->isAlive());
    buy(Resurrect, 3000, 1);
    EXPECT_TRUE(cat->isAlive() && dog->isAlive() && pink->isAlive() && man->isAlive());
    EXPECT_EQ(chest->opened, 1);
    EXPECT_EQ(player.getMoney(), 0);
    EXPECT_EQ(player.getEggs(), 0);
}
