#include "world/Level4.h"
#include "world/generator_test_support.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

using namespace generated;

namespace {

const std::vector<int> level4Order = {KindPinkMan, KindBlackMan, KindCat,
                                      KindDog,     KindDeadTree, KindPalmTree,
                                      KindEuroEgg, KindPortal,   KindFlower};

struct Rule {
    int kind;
    int cLevel4::*count;
    int side; // area divisor is its square; 0 for the fixed 1..9 portals
};
const Rule rules[] = {
    {KindPinkMan, &cLevel4::pinkManCount, 45},
    {KindBlackMan, &cLevel4::blackManCount, 45},
    {KindCat, &cLevel4::catCount, 45},
    {KindDog, &cLevel4::dogCount, 45},
    {KindDeadTree, &cLevel4::deadTreeCount, 110},
    {KindPalmTree, &cLevel4::palmTreeCount, 110},
    {KindPortal, &cLevel4::portalCount, 0},
    {KindFlower, &cLevel4::flowerCount, 110},
};

int ceilingFor(const Rule& rule, int width, int height) {
    return rule.side ? width * height / (rule.side * rule.side) - 1 : 9;
}

class Level4Map : public testing::Test {
  protected:
    void SetUp() override { resetGame(); }
    void TearDown() override { resetGame(); }

    cLevel4& sizedAs(int width, int height) {
        if (!level4Map || game.currentLevel != level4Map) build(4, 1);
        level4Map->width = width;
        level4Map->height = height;
        return *level4Map;
    }
};

TEST_F(Level4Map, EveryMapKeepsItsRules) {
    const std::set<int> allowed(level4Order.begin(), level4Order.end());
    std::set<int> groundsSeen;
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        cLevel& level = build(4, seed);
        cLevel4& map = *level4Map;
        ASSERT_EQ(&level, &map);

        EXPECT_GE(map.width, 320);
        EXPECT_LE(map.width, 1023);
        EXPECT_GE(map.height, 240);
        EXPECT_LE(map.height, 1023);
        EXPECT_EQ(level.mapWidth, map.width);
        EXPECT_EQ(level.mapHeight, map.height);
        EXPECT_EQ(firstOutside(level), "");

        auto counts = kindCounts(level);
        for (const auto& entry : counts)
            EXPECT_TRUE(allowed.count(entry.first)) << "kind " << entry.first;
        EXPECT_EQ(counts[KindEuroEgg], 32);
        EXPECT_GE(counts[KindPortal], 1);
        EXPECT_LE(counts[KindPortal], 9);
        for (const Rule& rule : rules) {
            EXPECT_EQ(counts[rule.kind], map.*rule.count) << "kind " << rule.kind;
            EXPECT_LE(counts[rule.kind], ceilingFor(rule, map.width, map.height));
        }

        if (groundIs(level, 0, 210, 0)) {
            groundsSeen.insert(0);
            EXPECT_EQ(counts[KindPalmTree], 0);
        } else if (groundIs(level, 218, 200, 156)) {
            groundsSeen.insert(1);
            EXPECT_EQ(counts[KindDeadTree], 0);
        } else {
            EXPECT_TRUE(groundIs(level, 255, 111, 111)) << "not one of the three grounds";
            groundsSeen.insert(2);
            EXPECT_EQ(counts[KindDeadTree] + counts[KindPalmTree] + counts[KindFlower], 0);
        }
        EXPECT_EQ(kindRuns(level), expectedRuns(level, level4Order));
    }
    EXPECT_EQ(groundsSeen.size(), 3u);
}

TEST_F(Level4Map, ChoosesAQuoteAndMakesNoSound) {
    SoundLog log;
    build(4, 4);
    EXPECT_TRUE(log.paths().empty());
    for (int line : {0, 1, 7, 8})
        EXPECT_STREQ(graphics.missionLines[line], "") << line;
    EXPECT_STRNE(graphics.missionLines[2], "");
}

TEST_F(Level4Map, EachKindIsPresentOnAboutFiftyIn101Maps) {
    cLevel4& map = sizedAs(700, 600);
    const int maps = 20000;
    std::map<int, int> present;
    std::srand(78);
    for (int i = 0; i < maps; ++i) {
        map.drawPopulation(1);
        for (const Rule& rule : rules)
            present[rule.kind] += map.*rule.count > 0;
    }
    for (int kind : {KindPinkMan, KindBlackMan, KindCat, KindDog, KindPalmTree, KindFlower})
        EXPECT_NEAR(present[kind] / double(maps), 50.0 / 101.0, 0.02) << "kind " << kind;
    EXPECT_EQ(present[KindDeadTree], 0) << "no dead trees in the desert";
    EXPECT_EQ(present[KindPortal], maps);
}

// One screen (320 x 240) is the smallest map: up to 36 of a walking kind and 5 plants,
// and the whole population inside the first screen. 1023 x 1023 is the largest.
TEST_F(Level4Map, CountRangesOnTheSmallestAndLargestMaps) {
    for (auto size : {std::pair<int, int>{320, 240}, std::pair<int, int>{1023, 1023}}) {
        SCOPED_TRACE("size " + std::to_string(size.first) + " x " + std::to_string(size.second));
        cLevel4& map = sizedAs(size.first, size.second);
        std::map<int, int> lowest, highest;
        std::srand(size.first);
        for (int i = 0; i < 8000; ++i) {
            map.drawPopulation(i % 3);
            for (const Rule& rule : rules) {
                int count = map.*rule.count;
                if (count == 0) continue;
                lowest[rule.kind] =
                    lowest.count(rule.kind) ? std::min(lowest[rule.kind], count) : count;
                highest[rule.kind] = std::max(highest[rule.kind], count);
            }
        }
        for (const Rule& rule : rules) {
            EXPECT_EQ(lowest[rule.kind], 1) << "kind " << rule.kind;
            EXPECT_EQ(highest[rule.kind], ceilingFor(rule, size.first, size.second))
                << "kind " << rule.kind;
        }
    }
    EXPECT_EQ(ceilingFor(rules[0], 320, 240), 36);
    EXPECT_EQ(ceilingFor(rules[4], 320, 240), 5);
}

// Pins the whole draw sequence (sizes, counts, construction and placement order, and
// what the entities draw while they are built) for this C library's rand(): any change
// in what is drawn, or when, moves the map.
TEST_F(Level4Map, SameSeedSameMap) {
    cLevel& level = build(4, 20240601);
    EXPECT_EQ(summary(level), "399 x 619, 124: 4@84,532 4@292,454 4@102,238 4@203,249");
    EXPECT_EQ(fingerprint(level), 17694762207347991612ull);
}

} // namespace
