#include "app/Assets.h"
#include "world/Level1.h"
#include "world/generator_test_support.h"
#include <gtest/gtest.h>
#include <set>

using namespace generated;

namespace {

class Level1Map : public testing::Test {
  protected:
    void SetUp() override { resetGame(); }
    void TearDown() override { resetGame(); }
};

TEST_F(Level1Map, EveryMapKeepsItsSizeTerrainAndPopulationRules) {
    std::set<int> terrainsSeen;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        cLevel& level = build(1, seed);
        auto* map = level1Map;
        ASSERT_EQ(&level, map);

        EXPECT_GE(level.mapWidth, 800);
        EXPECT_LE(level.mapWidth, 1179);
        EXPECT_GE(level.mapHeight, 800);
        EXPECT_LE(level.mapHeight, 1179);
        EXPECT_EQ(map->width, level.mapWidth);
        EXPECT_EQ(map->height, level.mapHeight);
        EXPECT_EQ(firstOutside(level), "");

        int trees = countOf(level, KindDeadTree);
        int palms = countOf(level, KindPalmTree);
        int flowers = countOf(level, KindFlower);
        int portals = countOf(level, KindPortal);
        EXPECT_EQ(trees + palms + flowers + portals, static_cast<int>(level.entities.size()))
            << "a level-1 map holds only plants, flowers and portals";
        EXPECT_GE(portals, 4);
        EXPECT_LE(portals, 13);
        EXPECT_LE(flowers, 159);

        if (groundIs(level, 0, 210, 0)) {
            terrainsSeen.insert(0);
            EXPECT_GE(trees, 10);
            EXPECT_LE(trees, 54);
            EXPECT_EQ(palms, 0);
        } else if (groundIs(level, 218, 200, 156)) {
            terrainsSeen.insert(1);
            EXPECT_GE(palms, 10);
            EXPECT_LE(palms, 54);
            EXPECT_EQ(trees, 0);
        } else {
            EXPECT_TRUE(groundIs(level, 179, 220, 253)) << "not one of the three grounds";
            terrainsSeen.insert(2);
            EXPECT_EQ(trees + palms + flowers, 0) << "water grows nothing";
        }

        EXPECT_EQ(kindRuns(level),
                  expectedRuns(level, {KindDeadTree, KindPalmTree, KindPortal, KindFlower}));
    }
    EXPECT_EQ(terrainsSeen.size(), 3u);
}

TEST_F(Level1Map, WritesItsTwoMissionLinesAndRevsTheEngine) {
    std::strcpy(graphics.missionLines[6], "left over from the last level");
    SoundLog log;
    build(1, 7);
    EXPECT_STREQ(graphics.missionLines[2], "Drugs may be the road to nowhere,");
    EXPECT_STREQ(graphics.missionLines[3], "but at least they're the scenic route.");
    EXPECT_EQ(missionLinesUsed(), 2);
    EXPECT_EQ(log.count(assets::levelRev), 1);
    EXPECT_EQ(game.currentLevel, level1Map);
}

// The largest draw (54 trees or palms, 159 flowers, 13 portals) outgrows the room the
// list reserves; every entity must still be listed once and placed.
TEST_F(Level1Map, CrowdedMapsOutgrowTheReservedListIntact) {
    size_t largest = 0;
    for (unsigned seed = 100; seed < 140; ++seed) {
        cLevel& level = build(1, seed);
        std::set<const BaseEntity*> distinct(level.entities.begin(), level.entities.end());
        ASSERT_EQ(distinct.size(), level.entities.size());
        ASSERT_EQ(distinct.count(nullptr), 0u);
        largest = std::max(largest, level.entities.size());
    }
    EXPECT_GT(largest, 144u);
}

// Pins the whole draw sequence (sizes, counts, construction and placement order, and
// what the entities draw while they are built) for this C library's rand(): any change
// in what is drawn, or when, moves the map.
TEST_F(Level1Map, SameSeedSameMap) {
    cLevel& level = build(1, 20240601);
    EXPECT_EQ(summary(level), "903 x 907, 54: 11@821,105 11@180,222 11@284,91 11@466,545");
    EXPECT_EQ(fingerprint(level), 12403221158306390803ull);
}

} // namespace
