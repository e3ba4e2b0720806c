#include "spritegen.h"

#include <gtest/gtest.h>

using namespace spritegen;

namespace {
constexpr Rgb kRed{200, 0, 0}, kBlue{0, 0, 200};
} // namespace

TEST(Icon, SpriteGrowsByWholeStepsCentredOnTransparency) {
    Image sprite(2, 3);
    sprite.set(0, 0, kRed);
    sprite.set(1, 2, kBlue);
    // An 8-pixel icon takes the 2x3 sprite at 2x (4x6), 2 pixels in from the left, 1 down.
    Image icon = makeIcon(sprite, 8);
    ASSERT_EQ(icon.width, 8);
    ASSERT_EQ(icon.height, 8);
    struct Case {
        int x, y;
        Rgb expected;
    } cases[] = {{2, 1, kRed},  {3, 2, kRed},         {4, 1, kTransparent}, {5, 6, kBlue},
                 {4, 5, kBlue}, {6, 6, kTransparent}, {1, 1, kTransparent}, {2, 7, kTransparent}};
    for (const Case& c : cases)
        EXPECT_EQ(icon.at(c.x, c.y), c.expected) << c.x << "," << c.y;
    EXPECT_THROW(makeIcon(sprite, 2), std::invalid_argument);
}
