#include "app/Assets.h"
#include "world/Level1.h"
#include "world/generator_test_support.h"
#include <set>

using namespace generated;

namespace {

using Level1Map = GeneratedMap;

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

// Levels 1 and 2 spell out their mission and rev the engine; 3 and 4 pick a quote in
// silence. Nothing left over from the last level may stay on the panel.
TEST_F(GeneratedMap, MissionLinesAndStartSound) {
    const char* quote = "(a quote)";
    const struct {
        int level;
        unsigned seed;
        std::vector<const char*> lines; // nullptr: not looked at
        bool revs;
    } cases[] = {{1,
                  7,
                  {"", "", "Drugs may be the road to nowhere,",
                   "but at least they're the scenic route.", "", "", "", "", ""},
                  true},
                 {2, 3, {"", "", "You know you're mission.", "", "", "", "", "", ""}, true},
                 {3, 9, {"", "", quote, nullptr, nullptr, nullptr, nullptr, "", ""}, false},
                 {4, 4, {"", "", quote, nullptr, nullptr, nullptr, nullptr, "", ""}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level));
        resetGame();
        for (auto& line : graphics.missionLines)
            std::strcpy(line, "stale");
        SoundLog log;
        build(c.level, c.seed);
        for (size_t i = 0; i < c.lines.size(); ++i) {
            if (c.lines[i] == quote) {
                EXPECT_STRNE(graphics.missionLines[i], "");
                EXPECT_STRNE(graphics.missionLines[i], "stale");
            } else if (c.lines[i]) {
                EXPECT_STREQ(graphics.missionLines[i], c.lines[i]) << "line " << i;
            }
        }
        if (c.revs) {
            EXPECT_EQ(log.count(assets::levelRev), 1);
        } else {
            EXPECT_TRUE(log.paths().empty());
        }
    }
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
