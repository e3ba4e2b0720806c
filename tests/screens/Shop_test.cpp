#include "app/Assets.h"
#include "app/Loop.h"
#include "entities/Animals.h"
#include "entities/Pedestrians.h"
#include "entities/Pickups.h"
#include "player/Player.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <functional>

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

// What an offer's text asks: "\xA3" money, then "+nE" when it takes eggs too.
struct Price {
    int money, eggs;
};
Price shownPrice(int offer) {
    const char* text = shop.items.at(offer);
    EXPECT_EQ(text[0], '\xA3') << text;
    const char* eggs = std::strchr(text, '+');
    return {std::atoi(text + 1), eggs && eggs < std::strstr(text, " - ") ? std::atoi(eggs + 1) : 0};
}

// Every offer, the engine at each of its levels, sells at the price its text shows: one
// coin or egg short it is greyed out and refused, and the price buys it and empties the
// purse; nothing is sold while money is still counting in.
TEST_F(ShopTest, EveryOfferSellsAtThePriceItShows) {
    Cat* cat = level.makeEntities<Cat>(1);
    Dog* dog = level.makeEntities<Dog>(1);
    const struct {
        int offer;
        std::function<int()> goods;
        int more;
    } offers[] = {
        {Kitten, [&] { return player.catsKilled; }, 1},
        {DogKill, [&] { return player.dogsKilled; }, 1},
        {Gas, [] { return player.pendingFuel; }, 1},
        {SmallHealth, [] { return player.getHealth(); }, 30},
        {LargeHealth, [] { return player.getHealth(); }, 70},
        {Nukes, [] { return player.nukes; }, 3},
        {NosDelimiter, [] { return player.getNosDelimiters(); }, 3},
        {Resurrect, [&] { return cat->isAlive() + dog->isAlive(); }, 2},
        {Engine, [] { return player.getEngineLevel(); }, 1},
        {Engine, [] { return player.getEngineLevel(); }, 1},
        {Engine, [] { return player.getEngineLevel(); }, 1},
        {Engine, [] { return player.getEngineLevel(); }, 1},
        {Engine, [] { return player.getEngineLevel(); }, 1},
        {Engine, [] { return player.getEngineLevel(); }, 1},
    };
    int sold = 0;
    for (const auto& o : offers) {
        SCOPED_TRACE(shop.items.at(o.offer));
        player.pendingMoney = 0; // a dog's death pays
        cat->setAlive(o.offer != Resurrect);
        dog->setAlive(o.offer != Resurrect);
        const Price price = shownPrice(o.offer);
        const int before = o.goods();
        for (int shortOf : {0, 1}) {
            if (shortOf == 1 && price.eggs == 0) continue;
            player.setMoney(price.money - 1 + shortOf);
            player.setEggs(price.eggs - shortOf);
            shop.cursor = o.offer == Kitten ? DogKill : Kitten;
            EXPECT_EQ(shop.itemStyle(o.offer), 2);
            buy(o.offer, player.getMoney(), player.getEggs());
            EXPECT_EQ(o.goods(), before);
            EXPECT_EQ(player.getMoney(), price.money - 1 + shortOf);
        }
        shop.cursor = o.offer == Kitten ? DogKill : Kitten;
        player.setMoney(price.money);
        player.setEggs(price.eggs);
        EXPECT_EQ(shop.itemStyle(o.offer), 0);
        buy(o.offer, price.money, price.eggs);
        EXPECT_EQ(o.goods(), before + o.more);
        EXPECT_EQ(player.getMoney(), 0);
        EXPECT_EQ(player.getEggs(), 0);
        sold += o.offer >= Gas && o.offer != Resurrect;
        EXPECT_EQ(log.count(assets::shopBuy), sold) << "the till rings for goods only";
    }
    EXPECT_EQ(player.getBaseSpeed(), 140);
    EXPECT_STREQ(shop.items.at(Engine), "\xA3"
                                        "2200+8E - Engine Upgrade L6")
        << "the last upgrade bought keeps its text";
    buy(Engine, 5000, 20);
    EXPECT_EQ(player.getMoney(), 5000) << "nothing after L6";
    player.addPendingMoney(5);
    buy(SmallHealth, 1000);
    EXPECT_EQ(player.getMoney(), 1000);
}

// Up and Down by key or button, held past either end: the cursor stays on the first or
// the last offer.
TEST_F(ShopTest, TheCursorStopsAtTheFirstAndTheLastOffer) {
    menu.setActive(false);
    shop.setOpen(true);
    bool quit = false;
    for (int i = 0; i < 12; ++i)
        handleEvent(i % 2 ? keyEvent(SDLK_DOWN) : buttonEvent(ButtonDown), quit);
    EXPECT_EQ(shop.cursor, Resurrect);
    for (int i = 0; i < 12; ++i)
        handleEvent(i % 2 ? keyEvent(SDLK_UP) : buttonEvent(ButtonUp), quit);
    EXPECT_EQ(shop.cursor, Kitten);
    EXPECT_TRUE(shop.isOpen());
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
