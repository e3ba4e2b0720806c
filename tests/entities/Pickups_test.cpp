#include "EntityFixture.h"
#include "app/Assets.h"
#include "entities/Pickups.h"
#include <cstdlib>
#include <cstring>

namespace {

using PickupTest = EntityTest;

// Each chest is driven over for several frames: it must pay only in the first.
TEST_F(PickupTest, AChestPaysOnceSmallChangeOrAboutOneTimeInFourAHaul) {
    std::srand(8);
    Chest* chests = level.makeEntities<Chest>(400);
    int hauls = 0;
    for (int i = 0; i < 400; ++i) {
        int before = player.getPendingMoney();
        touchFor(chests[i], 4);
        int paid = player.getPendingMoney() - before;
        ASSERT_TRUE((paid >= 1 && paid <= 59) || (paid >= 100 && paid <= 299)) << paid;
        if (paid >= 100) ++hauls;
    }
    EXPECT_GT(hauls, 70); // 104 expected
    EXPECT_LT(hauls, 140);
    EXPECT_EQ(0, static_cast<int>(sounds.paths().size())) << "the car's count-up plays the coins";
}

TEST_F(PickupTest, ANosBoostRevsAndBoostsOnce) {
    NosBoost& first = make<NosBoost>();
    NosBoost& second = make<NosBoost>();
    int speed = player.getSpeed();
    touchFor(first, 20);
    EXPECT_EQ(speed + 40, player.getSpeed());
    EXPECT_EQ(1, sounds.count(assets::nosRev));
    touchFor(second, 1);
    EXPECT_EQ(speed + 80, player.getSpeed());
    EXPECT_EQ(2, sounds.count(assets::nosRev));
}

// Over many cars at 20 health the gamble goes both ways, and losing it is fatal.
TEST_F(PickupTest, APossieAtTwentyHealthOrLessCanBlowTheCarUp) {
    std::srand(2);
    int wins = 0, losses = 0;
    for (int i = 0; i < 60; ++i) {
        player.reset();
        player.setHealth(20);
        sounds.clear();
        Possie& possie = make<Possie>();
        touchFor(possie, 5);
        EXPECT_FALSE(possie.waiting);
        if (possie.outcome == 1) {
            ++wins;
            EXPECT_EQ(40, player.getHealth());
            EXPECT_TRUE(player.alive);
            EXPECT_EQ(1, sounds.countPrefix("sounds/grunts/org"));
        } else {
            ++losses;
            EXPECT_FALSE(player.alive);
            EXPECT_EQ(1, sounds.countPrefix("sounds/grunts/morg"));
            EXPECT_EQ(1, sounds.count(assets::explosion));
        }
    }
    EXPECT_GT(wins, 10);
    EXPECT_GT(losses, 10);
}

TEST_F(PickupTest, AnEggIsCollectedOncePerShowing) {
    EuroEgg& egg = make<EuroEgg>();
    touchFor(egg, 5);
    EXPECT_EQ(0, player.getEggs()) << "a hidden egg is not there";
    EXPECT_TRUE(sounds.paths().empty());

    egg.setVisible(true);
    touchFor(egg, 5);
    EXPECT_EQ(1, player.getEggs());
    EXPECT_FALSE(egg.isVisible());
    EXPECT_EQ(1, sounds.count(assets::eggPickup));

    egg.setVisible(true);
    egg.hit(1);
    EXPECT_EQ(2, player.getEggs());
}

TEST_F(PickupTest, SoapCleansOnceButSpeaksInEveryTouchingFrame) {
    Soap& soap = make<Soap>();
    std::memset(graphics.speechText, 'x', sizeof graphics.speechText - 1);
    soap.hit(1);
    const char* line = "Free blood removal, spick and span.";
    EXPECT_STREQ(line, graphics.speechText);
    for (size_t i = std::strlen(line); i < sizeof graphics.speechText; ++i)
        ASSERT_EQ(0, graphics.speechText[i]) << "the old line must not show through";
    EXPECT_EQ(1, sounds.countPrefix("sounds/children"));
    EXPECT_TRUE(soap.used);

    SDL_Surface* cleanNorth = player.sprites[1];
    std::memset(graphics.speechText, 0, sizeof graphics.speechText);
    touchFor(soap, 3);
    EXPECT_STREQ(line, graphics.speechText);
    EXPECT_EQ(1, sounds.countPrefix("sounds/children"));
    EXPECT_EQ(cleanNorth, player.sprites[1]) << "a used soap does not clean again";
}

} // namespace
