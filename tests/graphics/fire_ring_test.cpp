#include "graphics/FireRing.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {

// The flames sit where the cosine in double precision put them, for every radius the
// ring grows through and centres on both sides of the screen's left and top edges
// (where cutting toward zero differs from rounding down).
TEST(FireRing, FlamesWhereTheCosineWouldPutThem) {
    float angle = 0.0f;
    for (int flame = 0; flame < kFireRingFlames; ++flame, angle += 6.0f) {
        double radians = static_cast<double>(angle * 0.017453277f);
        for (int radius = 0; radius <= 130; ++radius)
            for (int centre = -140; centre <= 460; ++centre) {
                Point got = fireRingFlame({centre, centre}, radius, flame);
                ASSERT_EQ(got.x, static_cast<int>(centre + std::cos(radians) * radius + 0.5))
                    << flame << " " << radius << " " << centre;
                ASSERT_EQ(got.y, static_cast<int>(centre + std::sin(radians) * radius + 0.5))
                    << flame << " " << radius << " " << centre;
            }
    }
}

} // namespace
