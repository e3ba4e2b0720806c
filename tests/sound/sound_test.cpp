#include "sound/Sound.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

// Switched off, play() touches no file: had it read one, the effect would still sound
// (from the cache) once the file is gone. A missing file is silent, and the cat's
// crush sounds, named with backslashes, are opened just as written.
TEST(SoundPlayer, TheSwitchMissingFilesAndBackslashPaths) {
    Mix_HaltChannel(-1); // effects of earlier tests may still be sounding
    const std::string blip = "/tmp/vandal-blip-" + std::to_string(getpid()) + ".wav";
    std::ofstream(blip, std::ios::binary)
        << std::ifstream("sounds/coin2.wav", std::ios::binary).rdbuf();
    SoundLog log;
    sound.enabled = 0;
    sound.play(blip.c_str());
    EXPECT_TRUE(log.paths().empty());
    std::remove(blip.c_str());
    sound.enabled = 1;
    EXPECT_EQ(-1, sound.play(blip.c_str()));
    EXPECT_GE(sound.play("sounds\\gore\\crush1.wav"), 0);
    EXPECT_EQ((std::vector<std::string>{blip, "sounds\\gore\\crush1.wav"}), log.paths());
    Mix_HaltChannel(-1);
}
