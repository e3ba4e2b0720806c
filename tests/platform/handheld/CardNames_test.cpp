#include "app/Assets.h"
#include "platform/handheld/CardNames.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// FAT refuses these in a name; the card must hold every sound all the same.
bool fatAccepts(const std::string& path) {
    return path.find_first_of("\\:*?\"<>|") == std::string::npos;
}

TEST(CardNames, EverySoundHasANameOfItsOwnThatTheCardAccepts) {
    std::set<std::string> names;
    for (const char* path : assets::allSounds()) {
        std::string name = cardName(path);
        EXPECT_TRUE(fatAccepts(name)) << name;
        EXPECT_TRUE(names.insert(name).second) << path << " shares " << name;
    }
    EXPECT_EQ(cardName("sounds\\rev.wav"), "backslashed/sounds/rev.wav");
    EXPECT_EQ(cardName("sounds/gore/crush1.wav"), "sounds/gore/crush1.wav");
}

} // namespace
