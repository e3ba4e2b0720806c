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

TEST(MissionQuotes, OnlyLinesTwoToSixAreEverWritten) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        scribbleOverThePanel();
        std::srand(seed);
        chooseQuote();
        ASSERT_GE(entryOnThePanel(), 0);
        for (int line : {0, 1, 7, 8})
            EXPECT_EQ(graphics.missionLines[line][0], '\0') << "line " << line;
    }
    clearMissionLines();
}

TEST(MissionQuotes, EveryEntryTurnsUpAboutOnceInFifteen) {
    int seen[kQuoteCount] = {};
    const int draws = 3000;
    std::srand(99);
    for (int i = 0; i < draws; ++i) {
        chooseQuote();
        int entry = entryOnThePanel();
        ASSERT_GE(entry, 0);
        ++seen[entry];
    }
    for (int k = 0; k < kQuoteCount; ++k) {
        EXPECT_GT(seen[k], draws / 15 / 2) << "entry " << k;
        EXPECT_LT(seen[k], draws / 15 * 2) << "entry " << k;
    }
    clearMissionLines();
}

// The panel's layout: which of lines 2..6 each entry fills (bit 0 is line 2).
TEST(MissionQuotes, EachEntryFillsItsOwnLines) {
    const int filled[kQuoteCount] = {0b00011, 0b01011, 0b00011, 0b11011, 0b10111,
                                     0b01111, 0b10111, 0b10111, 0b01011, 0b10111,
                                     0b01011, 0b00111, 0b00011, 0b00011, 0b00001};
    for (int k = 0; k < kQuoteCount; ++k) {
        int mask = 0;
        for (int i = 0; i < kQuoteLineCount; ++i)
            if (quoteTable[k][i] && quoteTable[k][i][0]) mask |= 1 << i;
        EXPECT_EQ(mask, filled[k]) << "entry " << k;
    }
}

TEST(MissionQuotes, TheChineseProverbReadsExactly) {
    const char* expected[kQuoteLineCount] = {"It is easy to get a thousand",
                                             "prescriptions but hard to get", "one single remedy.",
                                             "", " - Chinese Proverb"};
    for (int i = 0; i < kQuoteLineCount; ++i) {
        std::string line = quoteTable[4][i] ? quoteTable[4][i] : "";
        EXPECT_EQ(line, expected[i]) << "line " << i + kQuoteFirstLine;
    }
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
