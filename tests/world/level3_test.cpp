#include "entities/Pickups.h"
#include "world/Level3.h"
#include "world/generator_test_support.h"
#include <cstdlib>
#include <gtest/gtest.h>

using namespace generated;

namespace {

const std::vector<int> level3Order = {
    KindDeadCar, KindChest,    KindPinkMan,  KindBlackMan, KindCat,     KindDog,
    KindShop,    KindNosBoost, KindDeadTree, KindPalmTree, KindPossie,  KindAfro,
    KindEuroEgg, KindPortal,   KindFlower,   KindSoap,     KindHellrift};

// Each kind's count field, with its side length (the area divisor is its square) or 0
// for the fixed 1..9 shops.
struct Rule {
    int kind;
    int cLevel3::*count;
    int side;
};
const Rule rules[] = {
    {KindDeadCar, &cLevel3::deadCarCount, 170},   {KindChest, &cLevel3::chestCount, 140},
    {KindPinkMan, &cLevel3::pinkManCount, 125},   {KindBlackMan, &cLevel3::blackManCount, 125},
    {KindCat, &cLevel3::catCount, 130},           {KindDog, &cLevel3::dogCount, 130},
    {KindShop, &cLevel3::shopCount, 0},           {KindNosBoost, &cLevel3::nosBoostCount, 185},
    {KindDeadTree, &cLevel3::deadTreeCount, 180}, {KindPalmTree, &cLevel3::palmTreeCount, 180},
    {KindPossie, &cLevel3::possieCount, 185},     {KindAfro, &cLevel3::afroCount, 185},
    {KindSoap, &cLevel3::soapCount, 185},         {KindHellrift, &cLevel3::hellriftCount, 530},
    {KindPortal, &cLevel3::portalCount, 430},     {KindFlower, &cLevel3::flowerCount, 125},
};

int ceilingFor(const Rule& rule, int width, int height) {
    return rule.side ? width * height / (rule.side * rule.side) - 1 : 9;
}

class Level3Map : public testing::Test {
  protected:
    void SetUp() override { resetGame(); }
    void TearDown() override { resetGame(); }

    // A built map whose population draw the tests re-run on other sizes: the draw
    // touches only the counts, never the entities.
    cLevel3& sizedAs(int width, int height) {
        if (!level3Map || game.currentLevel != level3Map) build(3, 1);
        level3Map->width = width;
        level3Map->height = height;
        return *level3Map;
    }
};

TEST_F(Level3Map, EveryMapKeepsItsRules) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        cLevel& level = build(3, seed);
        cLevel3& map = *level3Map;
        ASSERT_EQ(&level, &map);

        EXPECT_GE(map.width, 800);
        EXPECT_LE(map.width, 2047);
        EXPECT_GE(map.height, 800);
        EXPECT_LE(map.height, 2047);
        EXPECT_EQ(level.mapWidth, map.width);
        EXPECT_EQ(level.mapHeight, map.height);
        EXPECT_EQ(firstOutside(level), "");

        auto counts = kindCounts(level);
        EXPECT_EQ(counts[KindEuroEgg], 32);
        EXPECT_EQ(map.eggCount, 32);
        EXPECT_GE(counts[KindPortal], 1);
        for (const Rule& rule : rules) {
            EXPECT_EQ(counts[rule.kind], map.*rule.count) << "kind " << rule.kind;
            EXPECT_LE(counts[rule.kind], std::max(1, ceilingFor(rule, map.width, map.height)))
                << "kind " << rule.kind;
        }

        if (groundIs(level, 0, 210, 0)) {
            EXPECT_EQ(counts[KindPalmTree], 0);
        } else if (groundIs(level, 218, 200, 156)) {
            EXPECT_EQ(counts[KindDeadTree], 0);
        } else {
            EXPECT_TRUE(groundIs(level, 179, 220, 253)) << "not one of the three grounds";
            EXPECT_EQ(counts[KindDeadTree] + counts[KindPalmTree] + counts[KindFlower], 0);
        }
        EXPECT_EQ(kindRuns(level), expectedRuns(level, level3Order));
    }
}

TEST_F(Level3Map, ChoosesAQuoteAndMakesNoSound) {
    SoundLog log;
    for (int line = 0; line < 9; ++line)
        std::strcpy(graphics.missionLines[line], "stale");
    build(3, 9);
    EXPECT_TRUE(log.paths().empty());
    for (int line : {0, 1, 7, 8})
        EXPECT_STREQ(graphics.missionLines[line], "") << line;
    EXPECT_STRNE(graphics.missionLines[2], "");
    EXPECT_STRNE(graphics.missionLines[2], "stale");
}

TEST_F(Level3Map, EachKindIsPresentOnAboutFiftyIn101Maps) {
    cLevel3& map = sizedAs(1200, 1200);
    const int maps = 20000;
    std::map<int, int> present;
    std::srand(77);
    for (int i = 0; i < maps; ++i) {
        map.drawPopulation(0);
        for (const Rule& rule : rules)
            present[rule.kind] += map.*rule.count > 0;
    }
    for (const Rule& rule : rules) {
        if (rule.kind == KindPortal || rule.kind == KindPalmTree) continue;
        EXPECT_NEAR(present[rule.kind] / double(maps), 50.0 / 101.0, 0.02) << "kind " << rule.kind;
    }
    EXPECT_EQ(present[KindPalmTree], 0) << "no palms on grass";
    EXPECT_EQ(present[KindPortal], maps) << "a way out on every map";
}

// The smallest map holds two blocks of the largest divisor: a present hellrift is
// always exactly one, and no range may be empty or reversed.
TEST_F(Level3Map, CountRangesOnTheSmallestAndLargestMaps) {
    for (int side : {800, 2047}) {
        SCOPED_TRACE("side " + std::to_string(side));
        cLevel3& map = sizedAs(side, side);
        std::map<int, int> lowest, highest;
        std::srand(side);
        for (int i = 0; i < 6000; ++i) {
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
            EXPECT_EQ(highest[rule.kind], ceilingFor(rule, side, side)) << "kind " << rule.kind;
        }
    }
    EXPECT_EQ(ceilingFor(rules[13], 800, 800), 1) << "one hellrift on the smallest map";
}

// No level-3 map is smaller than 800 x 800, but a hand-sized one (the smallest size the
// freerun page allows) must still draw sane counts rather than divide by zero.
TEST_F(Level3Map, TinyHandSizedMapStillDrawsSaneCounts) {
    cLevel3& map = sizedAs(320, 224);
    std::srand(5);
    for (int i = 0; i < 2000; ++i) {
        map.drawPopulation(i % 3);
        for (const Rule& rule : rules) {
            ASSERT_GE(map.*rule.count, 0) << "kind " << rule.kind;
            ASSERT_LE(map.*rule.count, std::max(1, ceilingFor(rule, 320, 224)));
        }
        ASSERT_GE(map.portalCount, 1);
    }
}

// The plants' draws happen whatever the ground, so the terrain changes nothing else.
TEST_F(Level3Map, TerrainZeroesPlantsWithoutShiftingOtherDraws) {
    cLevel3& map = sizedAs(1500, 1100);
    auto othersAfter = [&map](unsigned seed, int terrain) {
        std::srand(seed);
        map.drawPopulation(terrain);
        std::vector<int> others;
        for (const Rule& rule : rules)
            if (rule.kind != KindDeadTree && rule.kind != KindPalmTree && rule.kind != KindFlower)
                others.push_back(map.*rule.count);
        others.push_back(std::rand()); // the next draw after the population
        return others;
    };
    for (unsigned seed = 1; seed <= 200; ++seed) {
        auto onGrass = othersAfter(seed, 0);
        auto onDesert = othersAfter(seed, 1);
        auto onWater = othersAfter(seed, 2);
        EXPECT_EQ(map.deadTreeCount + map.palmTreeCount + map.flowerCount, 0);
        ASSERT_EQ(onGrass, onWater) << "seed " << seed;
        ASSERT_EQ(onGrass, onDesert) << "seed " << seed;
    }
}

// Pins the whole draw sequence (sizes, counts, construction and placement order, and
// what the entities draw while they are built) for this C library's rand(): any change
// in what is drawn, or when, moves the map.
TEST_F(Level3Map, SameSeedSameMap) {
    cLevel& level = build(3, 20240601);
    EXPECT_EQ(summary(level), "1615 x 1899, 902: 2@1210,1687 2@288,1630 2@263,601 2@845,1516");
    EXPECT_EQ(fingerprint(level), 7533670661747650290ull);
}

} // namespace
