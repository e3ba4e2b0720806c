#include "graphics/FireRing.h"
#include <cmath>

namespace {

// Directions in 8.24 fixed point: fine enough that every radius up to well beyond the
// ring's largest rounds to the same pixel as the cosine itself would.
constexpr int kFractionBits = 24;

struct FlameDirections {
    long long cosine[kFireRingFlames];
    long long sine[kFireRingFlames];
};

// Worked out once at start-up, never in a frame. The angle steps in single precision,
// as it always has, so the directions keep their tiny offsets from the exact ones.
FlameDirections workOutDirections() {
    FlameDirections d{};
    float angle = 0.0f;
    for (int i = 0; i < kFireRingFlames; ++i, angle += 6.0f) {
        double radians = static_cast<double>(angle * 0.017453277f);
        d.cosine[i] = std::llround(std::cos(radians) * (1LL << kFractionBits));
        d.sine[i] = std::llround(std::sin(radians) * (1LL << kFractionBits));
    }
    return d;
}

const FlameDirections directions = workOutDirections();

// centre + direction × radius + 0.5, cut toward zero.
int flameCoordinate(int centre, long long direction, int radius) {
    const long long one = 1LL << kFractionBits;
    long long fixed = centre * one + direction * radius + one / 2;
    return static_cast<int>(fixed >= 0 ? fixed >> kFractionBits : -(-fixed >> kFractionBits));
}

} // namespace

Point fireRingFlame(Point centre, int radius, int flame) {
    return {flameCoordinate(centre.x, directions.cosine[flame], radius),
            flameCoordinate(centre.y, directions.sine[flame], radius)};
}
