#include "sound/Sound.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A private copy of one of the game's effects, so that a test may delete it.
void copyEffect(const std::string& path) {
    std::ifstream from("sounds/coin2.wav", std::ios::binary);
    std::ofstream to(path, std::ios::binary);
    to << from.rdbuf();
    ASSERT_TRUE(from && to);
}

class SoundPlayer : public testing::Test {
  protected:
    void SetUp() override {
        Mix_HaltChannel(-1); // effects of earlier tests may still be sounding
        sound.enabled = 1;
        char dir[] = "/tmp/vandal-sound-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(dir));
        folder = dir;
    }
    void TearDown() override {
        Mix_HaltChannel(-1);
        std::remove(blip().c_str());
        rmdir(folder.c_str());
        sound.enabled = 1;
    }
    std::string blip() const { return folder + "/blip.wav"; }

    std::string folder;
};

TEST_F(SoundPlayer, SwitchedOffTouchesNoFile) {
    copyEffect(blip());
    SoundLog log;
    sound.enabled = 0;
    sound.play(blip().c_str());
    sound.play("sounds/no-such-effect.wav");
    EXPECT_TRUE(log.paths().empty());

    // Had the silent call read the file, it would still sound after the file is gone.
    std::remove(blip().c_str());
    sound.enabled = 1;
    EXPECT_EQ(-1, sound.play(blip().c_str()));
}

// A missing file is silent, and the cat's crush sounds, named with backslashes, are
// opened just as written.
TEST_F(SoundPlayer, MissingFileIsSilentAndBackslashPathsPassUnchanged) {
    SoundLog log;
    EXPECT_EQ(-1, sound.play("sounds/no-such-effect.wav"));
    EXPECT_GE(sound.play("sounds\\gore\\crush1.wav"), 0);
    EXPECT_EQ((std::vector<std::string>{"sounds/no-such-effect.wav", "sounds\\gore\\crush1.wav"}),
              log.paths());
}

} // namespace
