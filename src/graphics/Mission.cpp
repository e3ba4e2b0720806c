#include "graphics/Mission.h"
#include "graphics/Graphics.h"
#include "world/Random.h"
#include <cstring>

// Lines 2 to 6 of the mission panel for each entry; attributions start with a space.
const char* const quoteTable[kQuoteCount][kQuoteLineCount] = {
    {"The pills wear off; the bills don't.", " - A pharmacist's notebook", nullptr, nullptr,
     nullptr},
    {"A remedy for everything is", "a cure for nothing.", "", " ~ Old apothecary saying", nullptr},
    {"Every high has its hangover,", "and it always calls back. ~ Anon.", nullptr, nullptr,
     nullptr},
    {"The right dose heals; the same", "dose, doubled, does not.", "", " - A country doctor",
     " ~ Notes from the Night Shift"},
    {"It is easy to get a thousand", "prescriptions but hard to get", "one single remedy.", "",
     " - Chinese Proverb"},
    {"Asked what had cured him,", "the old courier said: \"Time,", "water and a long walk.\"",
     " - Overheard at a bus stop", nullptr},
    {"Some take pills to feel alive;", "some go outside. The second", "kind is cheaper.", "",
     " - A park ranger"},
    {"A shortcut through the chemist", "is still the long way home,", "with worse scenery.", "",
     " ~ Graffiti on a road sign"},
    {"Nothing makes a headache worse", "than the cure for last night's.", "",
     " - A bartender at closing time", nullptr},
    {"The label says 'may cause", "drowsiness'. The car says", "'please don't'.", "",
     " - A tow-truck driver"},
    {"Dreams are free. The pills", "that promise them are not.", "", " ~ Street corner wisdom",
     nullptr},
    {"Read the leaflet twice, take", "its advice once, and the pill", "never. ~ Grandma", nullptr,
     nullptr},
    {"Hint: Cat's drop blue eggs when killed", "occasionally.", nullptr, nullptr, nullptr},
    {"Hint: Dogs give you money when they", "get crushed.", nullptr, nullptr, nullptr},
    {"Hint: Prosies give you health.", nullptr, nullptr, nullptr, nullptr},
};

void clearMissionLines() {
    for (auto& line : graphics.missionLines)
        line[0] = '\0';
}

void chooseQuote() {
    clearMissionLines();
    int entry = randRange(0, kQuoteCount);
    for (int i = 0; i < kQuoteLineCount; ++i) {
        const char* text = quoteTable[entry][i];
        if (text && text[0]) std::strcpy(graphics.missionLines[kQuoteFirstLine + i], text);
    }
}
