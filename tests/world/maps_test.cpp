// The four map generators: sizes, grounds, placement, grouping and population rules
// over many seeds, the mission panel and sound of each level, and one pinned map each.
#include "app/Assets.h"
#include "entities/BaseEntity.h"
#include "entities/Pickups.h"
#include "graphics/Graphics.h"
#include "screens/Freerun.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Builds level n from the seed, freeing the previous map's entities first so that a
// loop over many seeds keeps one map alive at a time.
cLevel& build(int n, unsigned seed) {
    game.releaseRetiredEntities();
    enterLevelWithSeed(n, seed);
    game.releaseRetiredEntities();
    return *game.currentLevel;
}

std::map<int, int> kindCounts(const cLevel& level) {
    std::map<int, int> counts;
    for (const BaseEntity* entity : level.entities)
        ++counts[entity->kind];
    return counts;
}

// 0 grass, 1 desert, 2 the third ground (water, or red ground on level 4), -1 none.
int groundOf(const cLevel& level, bool hell = false) {
    const int grounds[3][3] = {
        {0, 210, 0}, {218, 200, 156}, {hell ? 255 : 179, hell ? 111 : 220, hell ? 111 : 253}};
    for (int g = 0; g < 3; ++g)
        if (level.red == grounds[g][0] && level.green == grounds[g][1] &&
            level.blue == grounds[g][2])
            return g;
    return -1;
}

// Every entity inside x 60..width-61, y 60..height-61, and the list made of one run per
// present kind, in `order`, with no kind outside it.
void expectPlacedAndGrouped(const cLevel& level, const std::vector<int>& order) {
    std::vector<int> runs, expected;
    for (const BaseEntity* e : level.entities) {
        ASSERT_TRUE(e->x >= 60 && e->x <= level.mapWidth - 61 && e->y >= 60 &&
                    e->y <= level.mapHeight - 61)
            << "kind " << e->kind << " at " << e->x << "," << e->y;
        if (runs.empty() || runs.back() != e->kind) runs.push_back(e->kind);
    }
    auto counts = kindCounts(level);
    for (int kind : order)
        if (counts.count(kind)) expected.push_back(kind);
    EXPECT_EQ(runs, expected);
}

void setFreerunPage(int count, int width, int height, int terrain) {
    for (int* setting : {&freerunDeadCars, &freerunChests, &freerunPink, &freerunMen, &freerunCats,
                         &freerunShops, &freerunNosBoosts})
        *setting = count;
    freerunWidth = width;
    freerunHeight = height;
    freerunTerrain = terrain;
}

class Maps : public testing::Test {
  protected:
    void SetUp() override { resetGame(); }
    void TearDown() override {
        setFreerunPage(0, 512, 512, 0);
        resetGame();
    }
};

TEST_F(Maps, LevelOneKeepsItsSizeGroundsAndPopulation) {
    std::set<int> grounds;
    size_t largest = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        cLevel& level = build(1, seed);
        EXPECT_TRUE(level.mapWidth >= 800 && level.mapWidth <= 1179) << level.mapWidth;
        EXPECT_TRUE(level.mapHeight >= 800 && level.mapHeight <= 1179) << level.mapHeight;
        expectPlacedAndGrouped(level, {KindDeadTree, KindPalmTree, KindPortal, KindFlower});
        auto n = kindCounts(level);
        EXPECT_TRUE(n[KindPortal] >= 4 && n[KindPortal] <= 13) << n[KindPortal];
        EXPECT_LE(n[KindFlower], 159);
        int ground = groundOf(level);
        grounds.insert(ground);
        // Dead trees on grass, palms in the desert, 10..54 of them; water grows nothing.
        for (int g : {0, 1}) {
            int trees = n[g == 0 ? KindDeadTree : KindPalmTree];
            EXPECT_TRUE(ground == g ? trees >= 10 && trees <= 54 : trees == 0) << trees;
        }
        if (ground == 2) {
            EXPECT_EQ(n[KindFlower], 0);
        }
        // Crowded maps outgrow the 144 entries reserved; nothing may get lost.
        largest = std::max(largest, level.entities.size());
    }
    EXPECT_EQ(grounds, (std::set<int>{0, 1, 2}));
    EXPECT_GT(largest, 144u);
}

// Levels 3 and 4: their sizes, a fixed 32 eggs, at least one portal, plants by ground.
TEST_F(Maps, AreaBasedLevelsKeepTheirSizesEggsAndGrounds) {
    const struct {
        int level, minWidth, maxWidth, minHeight;
        std::vector<int> order;
    } levels[] = {{3,
                   800,
                   2047,
                   800,
                   {KindDeadCar, KindChest, KindPinkMan, KindBlackMan, KindCat, KindDog, KindShop,
                    KindNosBoost, KindDeadTree, KindPalmTree, KindPossie, KindAfro, KindEuroEgg,
                    KindPortal, KindFlower, KindSoap, KindHellrift}},
                  {4,
                   320,
                   1023,
                   240,
                   {KindPinkMan, KindBlackMan, KindCat, KindDog, KindDeadTree, KindPalmTree,
                    KindEuroEgg, KindPortal, KindFlower}}};
    for (const auto& l : levels) {
        std::set<int> grounds;
        for (unsigned seed = 1; seed <= 30; ++seed) {
            SCOPED_TRACE("level " + std::to_string(l.level) + " seed " + std::to_string(seed));
            cLevel& level = build(l.level, seed);
            const int w = level.mapWidth, h = level.mapHeight;
            EXPECT_TRUE(w >= l.minWidth && w <= l.maxWidth) << w;
            EXPECT_TRUE(h >= l.minHeight && h <= l.maxWidth) << h;
            expectPlacedAndGrouped(level, l.order);
            auto n = kindCounts(level);
            EXPECT_EQ(n[KindEuroEgg], 32);
            EXPECT_GE(n[KindPortal], 1);
            int ground = groundOf(level, l.level == 4);
            grounds.insert(ground);
            EXPECT_TRUE(ground != 0 || n[KindPalmTree] == 0);
            EXPECT_TRUE(ground != 1 || n[KindDeadTree] == 0);
            EXPECT_TRUE(ground != 2 || n[KindDeadTree] + n[KindPalmTree] + n[KindFlower] == 0);
        }
        EXPECT_EQ(grounds, (std::set<int>{0, 1, 2}));
    }
}

// The page's counts are built as they stand on every terrain; only grass and desert get
// plants, and "N/A" (3 and up) gets neither plants nor one of the three grounds. The
// smallest map the page allows still has room for every placement. Eggs stay hidden.
TEST_F(Maps, FreerunBuildsExactlyThePageOnEveryTerrainAndSize) {
    const std::vector<int> order = {KindDeadTree, KindPalmTree, KindDeadCar, KindChest,
                                    KindPinkMan,  KindBlackMan, KindCat,     KindShop,
                                    KindNosBoost, KindEuroEgg};
    for (auto [width, height] : {std::pair{320, 224}, std::pair{900, 700}}) {
        for (int terrain : {0, 1, 2, 5}) {
            SCOPED_TRACE(std::to_string(width) + " terrain " + std::to_string(terrain));
            setFreerunPage(3, width, height, terrain);
            freerunCats = 7;
            cLevel& level = build(2, 11 + terrain);
            expectPlacedAndGrouped(level, order);
            auto n = kindCounts(level);
            int plants = n[KindDeadTree] + n[KindPalmTree];
            n.erase(KindDeadTree);
            n.erase(KindPalmTree);
            EXPECT_EQ(n, (std::map<int, int>{{KindDeadCar, 3},
                                             {KindChest, 3},
                                             {KindPinkMan, 3},
                                             {KindBlackMan, 3},
                                             {KindCat, 7},
                                             {KindShop, 3},
                                             {KindNosBoost, 3},
                                             {KindEuroEgg, 100}}));
            int span = width + height;
            if (terrain <= 1) {
                EXPECT_EQ(level.entities[0]->kind, terrain == 0 ? KindDeadTree : KindPalmTree);
                EXPECT_TRUE(plants >= span / 55 && plants < span / 25) << plants;
            } else {
                EXPECT_EQ(plants, 0);
            }
            EXPECT_EQ(groundOf(level), terrain == 5 ? -1 : terrain);
            for (BaseEntity* e : level.entities)
                EXPECT_FALSE(e->kind == KindEuroEgg && static_cast<EuroEgg*>(e)->isVisible());
        }
    }
}

// Levels 1 and 2 spell out their mission and rev the engine; 3 and 4 pick a quote in
// silence. Nothing left over from the last level may stay on the panel.
TEST_F(Maps, MissionLinesAndStartSound) {
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
        EXPECT_EQ(log.count(assets::levelRev), c.revs ? 1 : 0);
        EXPECT_EQ(log.paths().size(), c.revs ? 1u : 0u);
    }
}

// "W x H, N: k@x,y ..." with the first four entries spelled out, then an FNV-1a hash
// of the size and every (kind, x, y) in list order.
std::string summary(const cLevel& level) {
    std::string text = std::to_string(level.mapWidth) + " x " + std::to_string(level.mapHeight) +
                       ", " + std::to_string(level.entities.size()) + ":";
    std::uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](int value) {
        for (int i = 0; i < 4; ++i)
            hash = (hash ^ static_cast<std::uint8_t>(value >> 8 * i)) * 1099511628211ull;
    };
    mix(level.mapWidth);
    mix(level.mapHeight);
    for (size_t i = 0; i < level.entities.size(); ++i) {
        const BaseEntity* e = level.entities[i];
        if (i < 4)
            text += " " + std::to_string(e->kind) + "@" + std::to_string(e->x) + "," +
                    std::to_string(e->y);
        mix(e->kind);
        mix(e->x);
        mix(e->y);
    }
    return text + " #" + std::to_string(hash);
}

// Pins the whole draw sequence of every level (sizes, counts, construction and
// placement order, and what the entities draw while they are built) for this C
// library's rand(): any change in what is drawn, or when, moves the map. The freerun
// map places its eggs before the kinds built ahead of them.
TEST_F(Maps, SameSeedSameMap) {
    const char* pinned[] = {
        "903 x 907, 54: 11@821,105 11@180,222 11@284,91 11@466,545 #12403221158306390803",
        "512 x 512, 145: 10@439,234 10@425,153 10@115,340 10@284,124 #6087233039717467245",
        "1615 x 1899, 902: 2@1210,1687 2@288,1630 2@263,601 2@845,1516 #7533670661747650290",
        "399 x 619, 124: 4@84,532 4@292,454 4@102,238 4@203,249 #17694762207347991612"};
    setFreerunPage(2, 512, 512, 0);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(summary(build(n, 20240601)), pinned[n - 1]) << "level " << n;
}

} // namespace
