#include "app/Assets.h"
#include "entities/Pickups.h"
#include "screens/Freerun.h"
#include "world/Level2.h"
#include "world/generator_test_support.h"
#include <set>

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
        setCounts(0, 0, 0, 0, 0, 0, 0);
        freerunWidth = 512;
        freerunHeight = 512;
        freerunTerrain = 0;
    }
    void TearDown() override { SetUp(); }

    static void setCounts(int deadCars, int chests, int pink, int men, int cats, int shops,
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
    std::set<int> treeCounts;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        cLevel& level = build(2, seed);
        ASSERT_EQ(&level, level2Map);
        EXPECT_EQ(level.mapWidth, 512);
        EXPECT_EQ(level.mapHeight, 512);
        EXPECT_TRUE(groundIs(level, 0, 210, 0));
        expectPlacedAndGrouped(level, {KindDeadTree, KindEuroEgg});
        int trees = kindCounts(level)[KindDeadTree];
        EXPECT_TRUE(trees >= 18 && trees <= 39) << trees;
        treeCounts.insert(trees);
        EXPECT_EQ(static_cast<int>(level.entities.size()), trees + 100);
        for (BaseEntity* e : level.entities) {
            EXPECT_FALSE(e->kind == KindEuroEgg && static_cast<EuroEgg*>(e)->isVisible());
        }
    }
    EXPECT_GT(treeCounts.size(), 5u);
}

// The page's counts are built as they stand on every terrain; only grass and desert get
// plants, and "N/A" (3 and up) gets neither plants nor one of the three grounds. The
// smallest map the page allows still has room for every placement.
TEST_F(FreerunMap, BuildsExactlyTheSettingsOnEveryTerrainAndSize) {
    setCounts(3, 4, 5, 6, 7, 2, 1);
    for (auto size : {std::pair<int, int>{320, 224}, std::pair<int, int>{900, 700}}) {
        freerunWidth = size.first;
        freerunHeight = size.second;
        for (int terrain : {0, 1, 2, 5}) {
            SCOPED_TRACE(std::to_string(size.first) + " terrain " + std::to_string(terrain));
            freerunTerrain = terrain;
            cLevel& level = build(2, 11 + terrain);
            expectPlacedAndGrouped(level, freerunOrder);
            auto n = kindCounts(level);
            int plants = n[KindDeadTree] + n[KindPalmTree];
            n.erase(KindDeadTree);
            n.erase(KindPalmTree);
            EXPECT_EQ(n, (std::map<int, int>{{KindDeadCar, 3},
                                             {KindChest, 4},
                                             {KindPinkMan, 5},
                                             {KindBlackMan, 6},
                                             {KindCat, 7},
                                             {KindShop, 2},
                                             {KindNosBoost, 1},
                                             {KindEuroEgg, 100}}));
            int span = size.first + size.second;
            if (terrain <= 1) {
                EXPECT_EQ(level.entities[0]->kind, terrain == 0 ? KindDeadTree : KindPalmTree);
                EXPECT_TRUE(plants >= span / 55 && plants < span / 25) << plants;
            } else {
                EXPECT_EQ(plants, 0);
            }
            EXPECT_EQ(groundIs(level, 179, 220, 253), terrain == 2);
            bool known = groundIs(level, 0, 210, 0) || groundIs(level, 218, 200, 156) ||
                         groundIs(level, 179, 220, 253);
            EXPECT_EQ(known, terrain != 5);
        }
    }
}

TEST_F(FreerunMap, LargeSettingsAreBuiltAsAsked) {
    freerunWidth = 6000;
    freerunHeight = 4000;
    freerunTerrain = 1;
    setCounts(0, 0, 0, 0, 2500, 0, 300);
    cLevel& level = build(2, 5);
    auto n = kindCounts(level);
    EXPECT_EQ(n[KindCat], 2500);
    EXPECT_EQ(n[KindNosBoost], 300);
    expectPlacedAndGrouped(level, freerunOrder);
}

// Pins the whole draw sequence for this C library's rand(), including the eggs being
// placed before the kinds built ahead of them.
TEST_F(FreerunMap, SameSeedSameMap) {
    setCounts(2, 2, 2, 2, 2, 2, 2);
    cLevel& level = build(2, 20240601);
    EXPECT_EQ(summary(level), "512 x 512, 145: 10@439,234 10@425,153 10@115,340 10@284,124");
    EXPECT_EQ(fingerprint(level), 6087233039717467245ull);
}

} // namespace
