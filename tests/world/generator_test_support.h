#pragma once
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

// What the generator tests look at in a freshly built map.
namespace generated {

// Builds level n from the seed, freeing the previous map's entities first so that a
// loop over many seeds keeps one map alive at a time.
inline cLevel& build(int n, unsigned seed) {
    game.releaseRetiredEntities();
    enterLevelWithSeed(n, seed);
    game.releaseRetiredEntities();
    return *game.currentLevel;
}

inline std::map<int, int> kindCounts(const cLevel& level) {
    std::map<int, int> counts;
    for (const BaseEntity* entity : level.entities)
        ++counts[entity->kind];
    return counts;
}

inline bool groundIs(const cLevel& level, int red, int green, int blue) {
    return level.red == red && level.green == green && level.blue == blue;
}

// Every entity inside x 60..width-61, y 60..height-61, and the list made of one run per
// present kind, in `order`, with no kind outside it.
inline void expectPlacedAndGrouped(const cLevel& level, const std::vector<int>& order) {
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

// "W x H, N: k@x,y ..." with the first four entries spelled out, and an FNV-1a hash of
// the size and every (kind, x, y) in list order.
inline std::string summary(const cLevel& level) {
    std::string text = std::to_string(level.mapWidth) + " x " + std::to_string(level.mapHeight) +
                       ", " + std::to_string(level.entities.size()) + ":";
    for (size_t i = 0; i < level.entities.size() && i < 4; ++i) {
        const BaseEntity* e = level.entities[i];
        text +=
            " " + std::to_string(e->kind) + "@" + std::to_string(e->x) + "," + std::to_string(e->y);
    }
    return text;
}

inline std::uint64_t fingerprint(const cLevel& level) {
    std::uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](int value) {
        for (int i = 0; i < 4; ++i)
            hash = (hash ^ static_cast<std::uint8_t>(value >> 8 * i)) * 1099511628211ull;
    };
    mix(level.mapWidth);
    mix(level.mapHeight);
    for (const BaseEntity* e : level.entities) {
        mix(e->kind);
        mix(e->x);
        mix(e->y);
    }
    return hash;
}

// One kind's population rule in an area-based level: the count field and the side of
// the block it is drawn per (0: a fixed 1..9).
template <class Map> struct Rule {
    int kind;
    int Map::*count;
    int side;
    int ceiling(int width, int height) const {
        return side ? width * height / (side * side) - 1 : 9;
    }
};

// Re-runs the population draw of a built map on a width x height map over many draws
// and all three terrains: every present kind must reach exactly 1..ceiling, and each
// kind free of terrain rules must be present on about 50 maps in 101.
template <class Map>
void expectPopulationRanges(Map& map, const std::vector<Rule<Map>>& rules,
                            const std::vector<int>& plants, int width, int height) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    map.width = width;
    map.height = height;
    const int draws = 9000;
    std::map<int, int> lowest, highest, present;
    std::srand(width * 7919 + height);
    for (int i = 0; i < draws; ++i) {
        map.drawPopulation(i % 3);
        for (const auto& rule : rules) {
            int count = map.*rule.count;
            if (count == 0) continue;
            ++present[rule.kind];
            lowest[rule.kind] =
                present[rule.kind] == 1 ? count : std::min(lowest[rule.kind], count);
            highest[rule.kind] = std::max(highest[rule.kind], count);
        }
    }
    for (const auto& rule : rules) {
        EXPECT_EQ(lowest[rule.kind], 1) << "kind " << rule.kind;
        EXPECT_EQ(highest[rule.kind], std::max(1, rule.ceiling(width, height)))
            << "kind " << rule.kind;
        bool plant = std::find(plants.begin(), plants.end(), rule.kind) != plants.end();
        if (!plant && rule.kind != KindPortal) {
            EXPECT_NEAR(present[rule.kind] / double(draws), 50.0 / 101.0, 0.025)
                << "kind " << rule.kind;
        }
    }
    EXPECT_EQ(present[KindPortal], draws) << "every map has a way out";
}

// Every generator test starts from a fresh game and leaves one behind.
class GeneratedMap : public testing::Test {
  protected:
    void SetUp() override { resetGame(); }
    void TearDown() override { resetGame(); }
};

} // namespace generated
