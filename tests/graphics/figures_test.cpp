#include "graphics/Graphics.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct Extent {
    int bottom, top; // pixels above the baseline
};

Extent extentOf(char c) {
    int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
    TTF_GlyphMetrics(graphics.largeFont, static_cast<unsigned char>(c), &minX, &maxX, &minY, &maxY,
                     &advance);
    return {minY, maxY};
}

// The panels print counts and prices in the large font. Old-style figures sit at the
// height of the small letters and hang below the line, so "0" reads as "o", "1" as
// "I" and "512" as "5I2"; lining figures stand on the line as tall as the capitals.
TEST(LargeFont, FiguresStandOnTheLineAsTallAsCapitals) {
    ASSERT_NE(graphics.largeFont, nullptr);
    const Extent capital = extentOf('H');
    const Extent small = extentOf('o');
    for (char figure : std::string("0123456789")) {
        SCOPED_TRACE(std::string(1, figure));
        const Extent e = extentOf(figure);
        EXPECT_GE(e.bottom, -1);
        EXPECT_GE(e.top, capital.top - 1);
        EXPECT_GE(e.top, small.top + 2);
    }
}

} // namespace
