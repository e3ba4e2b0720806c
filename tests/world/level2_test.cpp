#include "app/Assets.h"
#include "entities/Pickups.h"
#include "screens/Freerun.h"
#include "world/Level2.h"
#include "world/generator_test_support.h"
#include <gtest/gtest.h>

using namespace generated;

namespace {

const std::vector<int> freerunOrder = {KindDeadTree, KindPalmTree, KindDeadCar, KindChest,
                                       KindPinkMan,  KindBlackMan, KindCat,     KindShop,
                                       KindNosBoost, KindEuroEgg};

// Every test starts from the page's start values and leaves them that way.
class FreerunMap : public testing::Test {
  protected:
    void SetUp() override {
        resetGame();
        setSettings(0, 0, 0, 0, 0, 0, 0);
        freerunWidth = 512;
        freerunHeight = 512;
        freerunTerrain = 0;
    }
    void TearDown() override {
        resetGame();
        SetUp();
    }

    static void setSettings(int deadCars, int chests, int pink, int men, int cats, int shops,
                            int nosBoosts) {
        freerunDeadCars = deadCars;
        freerunChests = chests;
        freerunPink = pink;
        freerunMen = men;
        freerunCats = cats;
        freerunShops = shops;
        freerunNosBoosts = nosBoosts;
    }
};

TEST_F(FreerunMap, StartValuesGiveGrassWithDeadTreesAndHiddenEggs) {
    int fewest = 1000, most = 0;
    for (unsigned seed = 1; seed <= 80; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        cLevel& level = build(2, seed);
        ASSERT_EQ(&level, level2Map);
        EXPECT_EQ(level.mapWidth, 512);
        EXPECT_EQ(level.mapHeight, 512);
        EXPECT_TRUE(groundIs(level, 0, 210, 0));
        int trees = countOf(level, KindDeadTree);
        fewest = std::min(fewest, trees);
        most = std::max(most, trees);
        EXPECT_EQ(countOf(level, KindEuroEgg), 100);
        EXPECT_EQ(trees + 100, static_cast<int>(level.entities.size()));
        EXPECT_EQ(firstOutside(level), "");
        for (BaseEntity* entity : level.entities) {
            if (entity->kind == KindEuroEgg) {
                EXPECT_FALSE(static_cast<EuroEgg*>(entity)->isVisible());
            }
        }
    }
    EXPECT_GE(fewest, 18);
    EXPECT_LE(most, 39);
    EXPECT_LT(fewest, most) << "the tree count should vary";
}

TEST_F(FreerunMap, WritesItsMissionLineAndRevsTheEngine) {
    std::strcpy(graphics.missionLines[5], "stale");
    SoundLog log;
    build(2, 3);
    EXPECT_STREQ(graphics.missionLines[2], "You know you're mission.");
    EXPECT_EQ(missionLinesUsed(), 1);
    EXPECT_EQ(log.count(assets::levelRev), 1);
}

TEST_F(FreerunMap, SmallestMapKeepsTreesAndPlacementsInside) {
    freerunWidth = 320;
    freerunHeight = 224;
    setSettings(5, 5, 5, 5, 5, 5, 5);
    for (unsigned seed = 1; seed <= 40; ++seed) {
        cLevel& level = build(2, seed);
        int trees = countOf(level, KindDeadTree);
        // (320 + 224) / 55 = 9 up to (320 + 224) / 25 - 1 = 20.
        EXPECT_GE(trees, 9);
        EXPECT_LE(trees, 20);
        EXPECT_EQ(firstOutside(level), "") << "seed " << seed;
        EXPECT_EQ(cLevel2::width, 320);
        EXPECT_EQ(cLevel2::height, 224);
    }
}

TEST_F(FreerunMap, BuildsExactlyTheSettingsGroupedByKind) {
    setSettings(3, 4, 5, 6, 7, 2, 1);
    for (int terrain : {0, 1, 2, 5}) {
        SCOPED_TRACE("terrain " + std::to_string(terrain));
        freerunTerrain = terrain;
        cLevel& level = build(2, 11);
        auto counts = kindCounts(level);
        EXPECT_EQ(counts[KindDeadCar], 3);
        EXPECT_EQ(counts[KindChest], 4);
        EXPECT_EQ(counts[KindPinkMan], 5);
        EXPECT_EQ(counts[KindBlackMan], 6);
        EXPECT_EQ(counts[KindCat], 7);
        EXPECT_EQ(counts[KindShop], 2);
        EXPECT_EQ(counts[KindNosBoost], 1);
        EXPECT_EQ(counts[KindEuroEgg], 100);
        EXPECT_EQ(counts[KindDeadTree] > 0, terrain == 0);
        EXPECT_EQ(counts[KindPalmTree] > 0, terrain == 1);
        for (int kind :
             {KindPortal, KindHellrift, KindFlower, KindDog, KindPossie, KindAfro, KindSoap})
            EXPECT_EQ(counts.count(kind), 0u) << "kind " << kind;
        EXPECT_EQ(kindRuns(level), expectedRuns(level, freerunOrder));
        EXPECT_EQ(firstOutside(level), "");
    }
}

TEST_F(FreerunMap, GroundColourFollowsTheTerrainSetting) {
    freerunTerrain = 1;
    EXPECT_TRUE(groundIs(build(2, 1), 218, 200, 156));
    freerunTerrain = 2;
    EXPECT_TRUE(groundIs(build(2, 1), 179, 220, 253));
    // "N/A" on the page: no plants, and a ground that is none of the three.
    freerunTerrain = 3;
    cLevel& level = build(2, 1);
    EXPECT_FALSE(groundIs(level, 0, 210, 0));
    EXPECT_FALSE(groundIs(level, 218, 200, 156));
    EXPECT_FALSE(groundIs(level, 179, 220, 253));
}

// Thousands of one kind on a wide map: all built, all listed, all on the map.
TEST_F(FreerunMap, LargeSettingsAreBuiltAsAsked) {
    freerunWidth = 6000;
    freerunHeight = 4000;
    freerunTerrain = 1;
    setSettings(0, 0, 0, 0, 2500, 0, 300);
    cLevel& level = build(2, 5);
    auto counts = kindCounts(level);
    EXPECT_EQ(counts[KindCat], 2500);
    EXPECT_EQ(counts[KindNosBoost], 300);
    EXPECT_GE(counts[KindPalmTree], 10000 / 55);
    EXPECT_LT(counts[KindPalmTree], 10000 / 25);
    EXPECT_EQ(firstOutside(level), "");
}

// Pins the whole draw sequence (sizes, counts, construction and placement order, and
// what the entities draw while they are built) for this C library's rand(): any change
// in what is drawn, or when, moves the map.
TEST_F(FreerunMap, SameSeedSameMap) {
    setSettings(2, 2, 2, 2, 2, 2, 2);
    cLevel& level = build(2, 20240601);
    EXPECT_EQ(summary(level), "512 x 512, 145: 10@439,234 10@425,153 10@115,340 10@284,124");
    EXPECT_EQ(fingerprint(level), 6087233039717467245ull);
}

} // namespace
