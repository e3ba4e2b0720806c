#include "world/Level4.h"
#include "world/generator_test_support.h"
#include <set>

using namespace generated;

namespace {

const std::vector<int> level4Order = {KindPinkMan, KindBlackMan, KindCat,
                                      KindDog,     KindDeadTree, KindPalmTree,
                                      KindEuroEgg, KindPortal,   KindFlower};

using L4 = cLevel4;
const std::vector<Rule<L4>> rules = {
    {KindPinkMan, &L4::pinkManCount, 45},
    {KindBlackMan, &L4::blackManCount, 45},
    {KindCat, &L4::catCount, 45},
    {KindDog, &L4::dogCount, 45},
    {KindDeadTree, &L4::deadTreeCount, 110},
    {KindPalmTree, &L4::palmTreeCount, 110},
    {KindPortal, &L4::portalCount, 0},
    {KindFlower, &L4::flowerCount, 110},
};

using Level4Map = GeneratedMap;

// Only the nine kinds of its order: never a hellrift, wreck, chest, hut, boost, possie,
// Afro or soap.
TEST_F(Level4Map, EveryMapKeepsItsRules) {
    std::set<int> grounds;
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        cLevel& level = build(4, seed);
        cLevel4& map = *level4Map;
        ASSERT_EQ(&level, &map);
        EXPECT_TRUE(map.width >= 320 && map.width <= 1023) << map.width;
        EXPECT_TRUE(map.height >= 240 && map.height <= 1023) << map.height;
        EXPECT_EQ(level.mapWidth, map.width);
        EXPECT_EQ(level.mapHeight, map.height);
        expectPlacedAndGrouped(level, level4Order);

        auto n = kindCounts(level);
        EXPECT_EQ(n[KindEuroEgg], 32);
        EXPECT_TRUE(n[KindPortal] >= 1 && n[KindPortal] <= 9) << n[KindPortal];
        for (const auto& rule : rules) {
            EXPECT_EQ(n[rule.kind], map.*rule.count) << "kind " << rule.kind;
            EXPECT_LE(n[rule.kind], rule.ceiling(map.width, map.height));
        }
        if (groundIs(level, 0, 210, 0)) {
            grounds.insert(0);
            EXPECT_EQ(n[KindPalmTree], 0);
        } else if (groundIs(level, 218, 200, 156)) {
            grounds.insert(1);
            EXPECT_EQ(n[KindDeadTree], 0);
        } else {
            grounds.insert(2);
            EXPECT_TRUE(groundIs(level, 255, 111, 111)) << "not one of the three grounds";
            EXPECT_EQ(n[KindDeadTree] + n[KindPalmTree] + n[KindFlower], 0);
        }
    }
    EXPECT_EQ(grounds.size(), 3u);
}

// One screen is the smallest map: up to 36 of a walking kind and 5 of a plant.
TEST_F(Level4Map, PopulationRangesAndPresenceOnExtremeSizes) {
    cLevel4& map = *static_cast<cLevel4*>(&build(4, 1));
    EXPECT_EQ(rules[0].ceiling(320, 240), 36);
    EXPECT_EQ(rules[4].ceiling(320, 240), 5);
    expectPopulationRanges(map, rules, {KindDeadTree, KindPalmTree, KindFlower}, 320, 240);
    expectPopulationRanges(map, rules, {KindDeadTree, KindPalmTree, KindFlower}, 1023, 1023);
}

// Pins the whole draw sequence for this C library's rand(): any change in what is
// drawn, or when, moves the map.
TEST_F(Level4Map, SameSeedSameMap) {
    cLevel& level = build(4, 20240601);
    EXPECT_EQ(summary(level), "399 x 619, 124: 4@84,532 4@292,454 4@102,238 4@203,249");
    EXPECT_EQ(fingerprint(level), 17694762207347991612ull);
}

} // namespace
