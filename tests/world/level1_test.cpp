#include "app/Assets.h"
#include "world/Level1.h"
#include "world/generator_test_support.h"
#include <set>

using namespace generated;

namespace {

class Level1Map : public testing::Test {
  protected:
    void SetUp() override { resetGame(); }
    void TearDown() override { resetGame(); }
};

TEST_F(Level1Map, EveryMapKeepsItsSizeTerrainAndPopulationRules) {
    std::set<int> grounds;
    size_t largest = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        cLevel& level = build(1, seed);
        ASSERT_EQ(&level, level1Map);
        EXPECT_TRUE(level.mapWidth >= 800 && level.mapWidth <= 1179) << level.mapWidth;
        EXPECT_TRUE(level.mapHeight >= 800 && level.mapHeight <= 1179) << level.mapHeight;
        expectPlacedAndGrouped(level, {KindDeadTree, KindPalmTree, KindPortal, KindFlower});

        auto n = kindCounts(level);
        EXPECT_TRUE(n[KindPortal] >= 4 && n[KindPortal] <= 13) << n[KindPortal];
        EXPECT_LE(n[KindFlower], 159);
        int plants = n[KindDeadTree] + n[KindPalmTree];
        if (groundIs(level, 0, 210, 0)) {
            grounds.insert(0);
            EXPECT_TRUE(n[KindDeadTree] >= 10 && n[KindDeadTree] <= 54) << n[KindDeadTree];
            EXPECT_EQ(n[KindPalmTree], 0);
        } else if (groundIs(level, 218, 200, 156)) {
            grounds.insert(1);
            EXPECT_TRUE(n[KindPalmTree] >= 10 && n[KindPalmTree] <= 54) << n[KindPalmTree];
            EXPECT_EQ(n[KindDeadTree], 0);
        } else {
            grounds.insert(2);
            EXPECT_TRUE(groundIs(level, 179, 220, 253)) << "not one of the three grounds";
            EXPECT_EQ(plants + n[KindFlower], 0) << "water grows nothing";
        }
        // Crowded maps outgrow the 144 entries reserved; nothing may get lost.
        largest = std::max(largest, level.entities.size());
        EXPECT_EQ(plants + n[KindFlower] + n[KindPortal], static_cast<int>(level.entities.size()));
    }
    EXPECT_EQ(grounds.size(), 3u);
    EXPECT_GT(largest, 144u);
}

TEST_F(Level1Map, WritesItsTwoMissionLinesAndRevsTheEngine) {
    std::strcpy(graphics.missionLines[6], "left over from the last level");
    SoundLog log;
    build(1, 7);
    EXPECT_STREQ(graphics.missionLines[2], "Drugs may be the road to nowhere,");
    EXPECT_STREQ(graphics.missionLines[3], "but at least they're the scenic route.");
    for (int line : {0, 1, 4, 5, 6, 7, 8})
        EXPECT_STREQ(graphics.missionLines[line], "");
    EXPECT_EQ(log.count(assets::levelRev), 1);
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
