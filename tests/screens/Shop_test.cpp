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
#include <string>

namespace {

enum { Kitten = 0, DogKill = 1, Gas = 2, SmallHealth = 3, Engine = 6, Resurrect = 8 };

// A cat whose death is worth money, so the charge has to be taken from the money as
// the kill left it.
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

    void buyAt(int offer) {
        shop.cursor = offer;
        shop.buy();
    }
    int refusals() const { return log.count(assets::shopRefuse); }
    int sales() const { return log.count(assets::shopBuy); }

    cLevel level;
    SoundLog log;
};

} // namespace

TEST_F(ShopTest, CursorStopsAtBothEnds) {
    shop.moveCursor(1);
    EXPECT_EQ(shop.cursor, 0);
    for (int i = 0; i < 12; ++i)
        shop.moveCursor(2);
    EXPECT_EQ(shop.cursor, 8);
    shop.moveCursor(3);
    EXPECT_EQ(shop.cursor, 8);
    shop.moveCursor(1);
    EXPECT_EQ(shop.cursor, 7);
}

TEST_F(ShopTest, NothingIsSoldWhileMoneyIsCountingIn) {
    player.setMoney(1000);
    player.addPendingMoney(5);
    buyAt(SmallHealth);
    EXPECT_EQ(player.getMoney(), 1000);
    EXPECT_EQ(player.getHealth(), 100);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(sales(), 0);
}

TEST_F(ShopTest, KittenKillTakesTheFirstLivingCat) {
    Dog* dogs = level.makeEntities<Dog>(1);
    Cat* cats = level.makeEntities<Cat>(3);
    cats[0].setAlive(0);
    player.setMoney(35);

    buyAt(Kitten);
    EXPECT_TRUE(dogs[0].isAlive());
    EXPECT_TRUE(cats[2].isAlive());
    EXPECT_FALSE(cats[1].isAlive());
    EXPECT_EQ(player.catsKilled, 1);
    EXPECT_EQ(player.getMoney(), 0);
    EXPECT_EQ(sales(), 0);
    EXPECT_EQ(refusals(), 0);

    // Not enough money: the last cat lives.
    player.setMoney(34);
    buyAt(Kitten);
    EXPECT_TRUE(cats[2].isAlive());
    EXPECT_EQ(player.getMoney(), 34);

    player.setMoney(100);
    buyAt(Kitten);
    EXPECT_FALSE(cats[2].isAlive());
    EXPECT_EQ(player.getMoney(), 65);

    log.clear();
    buyAt(Kitten);
    EXPECT_EQ(player.getMoney(), 65);
    EXPECT_EQ(refusals(), 1);
}

TEST_F(ShopTest, KillIsPaidFromTheMoneyTheKillLeft) {
    RichCat* cat = level.makeEntities<RichCat>(1);
    player.setMoney(35);
    buyAt(Kitten);
    EXPECT_FALSE(cat->isAlive());
    EXPECT_EQ(player.getMoney(), 100);
}

TEST_F(ShopTest, BoughtDogKillSparesTheCar) {
    level.makeEntities<Cat>(1);
    player.setMoney(65);
    buyAt(DogKill);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(player.getMoney(), 65);

    Dog* dog = level.makeEntities<Dog>(1);
    buyAt(DogKill);
    EXPECT_FALSE(dog->isAlive());
    EXPECT_EQ(player.dogsKilled, 1);
    EXPECT_EQ(player.getHealth(), 100);
    EXPECT_EQ(player.getMoney(), 0);
}

TEST_F(ShopTest, HealthIsCappedAndPaidFor) {
    player.setHealth(990);
    player.setMoney(25);
    buyAt(SmallHealth);
    EXPECT_EQ(player.getHealth(), 999);
    EXPECT_EQ(player.getMoney(), 0);
    EXPECT_EQ(sales(), 1);

    buyAt(SmallHealth);
    EXPECT_EQ(player.getMoney(), 0);
    EXPECT_EQ(refusals(), 1);

    player.setMoney(45);
    buyAt(Gas);
    EXPECT_EQ(player.pendingFuel, 1);
    EXPECT_EQ(player.getMoney(), 0);
}

TEST_F(ShopTest, LastEngineUpgradeEmptiesThePurseAndKeepsItsText) {
    const std::string lastText = "\xA3"
                                 "2200+8E - Engine Upgrade L6";
    player.setEngineLevel(5);
    shop.refresh();
    player.setMoney(2200);
    player.setEggs(7);
    EXPECT_EQ(shop.itemStyle(Engine), 2);
    buyAt(Engine);
    EXPECT_EQ(player.getEngineLevel(), 5);
    EXPECT_EQ(refusals(), 1);

    player.setEggs(8);
    buyAt(Engine);
    EXPECT_EQ(player.getEngineLevel(), 6);
    EXPECT_EQ(player.getMoney(), 0);
    EXPECT_EQ(player.getEggs(), 0);
    EXPECT_EQ(sales(), 1);
    EXPECT_EQ(shop.items.at(Engine), lastText);
    EXPECT_EQ(shop.itemStyle(Engine), 1);
    shop.cursor = 0;
    EXPECT_EQ(shop.itemStyle(Engine), 0);

    player.setMoney(5000);
    player.setEggs(20);
    buyAt(Engine);
    EXPECT_EQ(player.getEngineLevel(), 6);
    EXPECT_EQ(player.getMoney(), 5000);
    EXPECT_EQ(refusals(), 2);
}

TEST_F(ShopTest, EngineOfferNamesTheNextUpgrade) {
    EXPECT_EQ(std::string(shop.items.at(Engine)), "\xA3"
                                                  "160 - Engine Upgrade L1");
    player.setMoney(160);
    buyAt(Engine);
    EXPECT_EQ(player.getEngineLevel(), 1);
    EXPECT_EQ(std::string(shop.items.at(Engine)), "\xA3"
                                                  "360+1E - Engine Upgrade L2");
    EXPECT_EQ(shop.items.size(), 9u);
    EXPECT_EQ(std::string(shop.items.at(8)), "\xA3"
                                             "3000+1E - Resurrect the Dead");
}

TEST_F(ShopTest, ResurrectionRaisesOnlyTheFourLivingKinds) {
    Cat* cat = level.makeEntities<Cat>(1);
    Dog* dog = level.makeEntities<Dog>(1);
    PinkMan* pink = level.makeEntities<PinkMan>(1);
    BlackMan* man = level.makeEntities<BlackMan>(1);
    Chest* chest = level.makeEntities<Chest>(1);
    level.entities.push_back(nullptr);
    cat->setAlive(0);
    dog->setAlive(0);
    pink->setAlive(0);
    man->setAlive(0);
    chest->opened = 1;

    player.setMoney(3000);
    player.setEggs(0);
    EXPECT_EQ(shop.itemStyle(Resurrect), 2);
    buyAt(Resurrect);
    EXPECT_EQ(refusals(), 1);
    EXPECT_FALSE(cat->isAlive());

    player.setEggs(1);
    buyAt(Resurrect);
    EXPECT_TRUE(cat->isAlive());
    EXPECT_TRUE(dog->isAlive());
    EXPECT_TRUE(pink->isAlive());
    EXPECT_TRUE(man->isAlive());
    EXPECT_EQ(chest->opened, 1);
    EXPECT_EQ(player.getMoney(), 0);
    EXPECT_EQ(player.getEggs(), 0);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(sales(), 0);
}
