#include "app/Assets.h"
#include "platform/Platform.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// FAT refuses these in a name; the card must hold every sound all the same.
bool fatAccepts(const std::string& path) {
    return path.find_first_of("\\:*?\"<>|") == std::string::npos;
}

TEST(SoundPaths, EverySoundHasANameOfItsOwnThatTheCardAccepts) {
    std::set<std::string> names;
    for (const char* path : assets::allSounds()) {
        std::string name = platform::soundPath(path);
        EXPECT_TRUE(fatAccepts(name)) << name;
        EXPECT_TRUE(names.insert(name).second) << path << " shares " << name;
    }
    EXPECT_EQ(platform::soundPath("sounds\\rev.wav"), "backslashed/sounds/rev.wav");
    EXPECT_EQ(platform::soundPath("sounds/gore/crush1.wav"), "sounds/gore/crush1.wav");
}

} // namespace
