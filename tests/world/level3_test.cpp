#include "world/Level3.h"
#include "world/generator_test_support.h"

using namespace generated;

namespace {

const std::vector<int> level3Order = {
    KindDeadCar, KindChest,    KindPinkMan,  KindBlackMan, KindCat,     KindDog,
    KindShop,    KindNosBoost, KindDeadTree, KindPalmTree, KindPossie,  KindAfro,
    KindEuroEgg, KindPortal,   KindFlower,   KindSoap,     KindHellrift};

using L3 = cLevel3;
const std::vector<Rule<L3>> rules = {
    {KindDeadCar, &L3::deadCarCount, 170},   {KindChest, &L3::chestCount, 140},
    {KindPinkMan, &L3::pinkManCount, 125},   {KindBlackMan, &L3::blackManCount, 125},
    {KindCat, &L3::catCount, 130},           {KindDog, &L3::dogCount, 130},
    {KindShop, &L3::shopCount, 0},           {KindNosBoost, &L3::nosBoostCount, 185},
    {KindDeadTree, &L3::deadTreeCount, 180}, {KindPalmTree, &L3::palmTreeCount, 180},
    {KindPossie, &L3::possieCount, 185},     {KindAfro, &L3::afroCount, 185},
    {KindSoap, &L3::soapCount, 185},         {KindHellrift, &L3::hellriftCount, 530},
    {KindPortal, &L3::portalCount, 430},     {KindFlower, &L3::flowerCount, 125},
};

using Level3Map = GeneratedMap;

TEST_F(Level3Map, EveryMapKeepsItsRules) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        cLevel& level = build(3, seed);
        cLevel3& map = *level3Map;
        ASSERT_EQ(&level, &map);
        EXPECT_TRUE(map.width >= 800 && map.width <= 2047) << map.width;
        EXPECT_TRUE(map.height >= 800 && map.height <= 2047) << map.height;
        EXPECT_EQ(level.mapWidth, map.width);
        EXPECT_EQ(level.mapHeight, map.height);
        expectPlacedAndGrouped(level, level3Order);

        auto n = kindCounts(level);
        EXPECT_EQ(n[KindEuroEgg], 32);
        EXPECT_GE(n[KindPortal], 1);
        for (const auto& rule : rules) {
            EXPECT_EQ(n[rule.kind], map.*rule.count) << "kind " << rule.kind;
            EXPECT_LE(n[rule.kind], std::max(1, rule.ceiling(map.width, map.height)));
        }
        if (groundIs(level, 0, 210, 0)) {
            EXPECT_EQ(n[KindPalmTree], 0);
        } else if (groundIs(level, 218, 200, 156)) {
            EXPECT_EQ(n[KindDeadTree], 0);
        } else {
            EXPECT_TRUE(groundIs(level, 179, 220, 253)) << "not one of the three grounds";
            EXPECT_EQ(n[KindDeadTree] + n[KindPalmTree] + n[KindFlower], 0);
        }
    }
}

// 800 x 800 holds just two blocks of the hellrift's divisor, so a present hellrift is
// exactly one there; 320 x 224 is no level-3 size but must not empty or reverse a range.
TEST_F(Level3Map, PopulationRangesAndPresenceOnExtremeSizes) {
    cLevel3& map = *static_cast<cLevel3*>(&build(3, 1));
    expectPopulationRanges(map, rules, {KindDeadTree, KindPalmTree, KindFlower}, 800, 800);
    expectPopulationRanges(map, rules, {KindDeadTree, KindPalmTree, KindFlower}, 2047, 2047);
    expectPopulationRanges(map, rules, {KindDeadTree, KindPalmTree, KindFlower}, 320, 224);
}

// Pins the whole draw sequence for this C library's rand(): any change in what is
// drawn, or when, moves the map.
TEST_F(Level3Map, SameSeedSameMap) {
    cLevel& level = build(3, 20240601);
    EXPECT_EQ(summary(level), "1615 x 1899, 902: 2@1210,1687 2@288,1630 2@263,601 2@845,1516");
    EXPECT_EQ(fingerprint(level), 7533670661747650290ull);
}

} // namespace
