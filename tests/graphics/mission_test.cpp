#include "graphics/Graphics.h"
#include "graphics/Mission.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Which entry of the table the panel shows now, by its first line; -1 if none.
int entryOnThePanel() {
    for (int k = 0; k < kQuoteCount; ++k)
        if (std::strcmp(graphics.missionLines[kQuoteFirstLine], quoteTable[k][0]) == 0) return k;
    return -1;
}

void scribbleOverThePanel() {
    for (auto& line : graphics.missionLines)
        std::strcpy(line, "left over from the last level");
}

// Only lines 2..6 are ever written, and every entry turns up about once in fifteen.
TEST(MissionQuotes, EveryEntryTurnsUpAboutOnceInFifteenOnLinesTwoToSix) {
    int seen[kQuoteCount] = {};
    const int draws = 3000;
    std::srand(99);
    for (int i = 0; i < draws; ++i) {
        scribbleOverThePanel();
        chooseQuote();
        int entry = entryOnThePanel();
        ASSERT_GE(entry, 0);
        ++seen[entry];
        for (int line : {0, 1, 7, 8})
            ASSERT_EQ(graphics.missionLines[line][0], '\0') << "line " << line;
    }
    for (int k = 0; k < kQuoteCount; ++k) {
        EXPECT_GT(seen[k], draws / 15 / 2) << "entry " << k;
        EXPECT_LT(seen[k], draws / 15 * 2) << "entry " << k;
    }
    clearMissionLines();
}

TEST(MissionQuotes, EveryLineFitsThePanelInItsFont) {
    ASSERT_NE(graphics.largeFont, nullptr);
    const int right = missionRect.x + graphics.missionImage->w;
    for (int k = 0; k < kQuoteCount; ++k)
        for (int i = 0; i < kQuoteLineCount; ++i) {
            const char* text = quoteTable[k][i];
            if (!text || !text[0]) continue;
            EXPECT_LT(std::strlen(text), 128u);
            int w = 0, h = 0;
            ASSERT_EQ(TTF_SizeText(graphics.largeFont, text, &w, &h), 0);
            EXPECT_LE(42 + w, right)
                << "entry " << k << ": \"" << text << "\" is " << w << " pixels wide";
        }
}

} // namespace
