#pragma once
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

// What the generator tests look at in a freshly built map.
namespace generated {

struct Placed {
    int kind;
    int x;
    int y;
};

inline std::vector<Placed> layout(const cLevel& level) {
    std::vector<Placed> placed;
    for (const BaseEntity* entity : level.entities)
        placed.push_back({entity->kind, entity->x, entity->y});
    return placed;
}

// Builds level n from the seed. The previous map's entities are freed first so that a
// loop over hundreds of seeds does not keep every map alive.
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

inline int countOf(const cLevel& level, int kind) {
    auto counts = kindCounts(level);
    auto found = counts.find(kind);
    return found == counts.end() ? 0 : found->second;
}

// The kinds in list order with each run of one kind collapsed: a list grouped by kind
// in the order K1, K2, ... gives exactly the present kinds of that order.
inline std::vector<int> kindRuns(const cLevel& level) {
    std::vector<int> runs;
    for (const BaseEntity* entity : level.entities)
        if (runs.empty() || runs.back() != entity->kind) runs.push_back(entity->kind);
    return runs;
}

// The order `runs` would have if every kind of `order` that is present appeared once,
// in that order.
inline std::vector<int> expectedRuns(const cLevel& level, const std::vector<int>& order) {
    auto counts = kindCounts(level);
    std::vector<int> runs;
    for (int kind : order)
        if (counts.count(kind)) runs.push_back(kind);
    return runs;
}

// The first entity outside x in 60..width-61, y in 60..height-61, as text; empty if
// there is none.
inline std::string firstOutside(const cLevel& level) {
    for (const BaseEntity* entity : level.entities) {
        if (entity->x < 60 || entity->x > level.mapWidth - 61 || entity->y < 60 ||
            entity->y > level.mapHeight - 61) {
            char text[96];
            std::snprintf(text, sizeof text, "kind %d at (%d, %d) on %d x %d", entity->kind,
                          entity->x, entity->y, level.mapWidth, level.mapHeight);
            return text;
        }
    }
    return {};
}

// FNV-1a over the map size and every (kind, x, y) in list order.
inline std::uint64_t fingerprint(const cLevel& level) {
    std::uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](int value) {
        for (int i = 0; i < 4; ++i) {
            hash ^= static_cast<std::uint8_t>(value >> (8 * i));
            hash *= 1099511628211ull;
        }
    };
    mix(level.mapWidth);
    mix(level.mapHeight);
    for (const Placed& p : layout(level)) {
        mix(p.kind);
        mix(p.x);
        mix(p.y);
    }
    return hash;
}

// "W x H, N: k@x,y k@x,y ..." with the first `shown` entries spelled out: small enough
// to pin down in a test, readable when it changes.
inline std::string summary(const cLevel& level, size_t shown = 4) {
    std::string text = std::to_string(level.mapWidth) + " x " + std::to_string(level.mapHeight) +
                       ", " + std::to_string(level.entities.size()) + ":";
    auto placed = layout(level);
    for (size_t i = 0; i < placed.size() && i < shown; ++i)
        text += " " + std::to_string(placed[i].kind) + "@" + std::to_string(placed[i].x) + "," +
                std::to_string(placed[i].y);
    return text;
}

inline bool groundIs(const cLevel& level, int red, int green, int blue) {
    return level.red == red && level.green == green && level.blue == blue;
}

inline int missionLinesUsed() {
    int used = 0;
    for (const auto& line : graphics.missionLines)
        used += line[0] != '\0';
    return used;
}

} // namespace generated
