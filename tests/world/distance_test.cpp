#include "world/Point.h"
#include <cmath>
#include <gtest/gtest.h>

// The squared compare must take the same decisions as the truncated square root it
// replaces, on both sides of every radius the game uses.
TEST(Distance, SquaredCompareMatchesTheTruncatedSquareRoot) {
    for (int r : {-1, 0, 1, 8, 10, 15, 16, 20, 25, 30, 59, 65, 70, 120, 300})
        for (int dx = -310; dx <= 310; dx += 1)
            for (int dy : {0, 1, 7, 15, 16, 100, 212, 299, 300, 301}) {
                bool expected =
                    static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy))) <= r;
                ASSERT_EQ(withinDistance({0, 0}, {dx, dy}, r), expected)
                    << "dx " << dx << " dy " << dy << " r " << r;
            }
}
