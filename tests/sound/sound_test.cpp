#include "sound/Sound.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// A short mono 16-bit WAV of silence, written where the test says.
void writeWav(const std::string& path) {
    const Uint32 samples = 2205, dataBytes = samples * 2;
    auto u32 = [](FILE* f, Uint32 v) {
        for (int i = 0; i < 4; ++i)
            std::fputc((v >> (8 * i)) & 0xFF, f);
    };
    auto u16 = [](FILE* f, Uint16 v) {
        std::fputc(v & 0xFF, f);
        std::fputc(v >> 8, f);
    };
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::fputs("RIFF", f);
    u32(f, 36 + dataBytes);
    std::fputs("WAVEfmt ", f);
    u32(f, 16);
    u16(f, 1);     // PCM
    u16(f, 1);     // mono
    u32(f, 22050); // rate
    u32(f, 44100); // bytes per second
    u16(f, 2);     // block align
    u16(f, 16);    // bits
    std::fputs("data", f);
    u32(f, dataBytes);
    for (Uint32 i = 0; i < dataBytes; ++i)
        std::fputc(0, f);
    std::fclose(f);
}

class SoundPlayer : public testing::Test {
  protected:
    void SetUp() override {
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
    writeWav(blip());
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

TEST_F(SoundPlayer, MissingFileIsSilent) {
    SoundLog log;
    EXPECT_EQ(-1, sound.play("sounds/no-such-effect.wav"));
    EXPECT_EQ(1, log.count("sounds/no-such-effect.wav"));
}

TEST_F(SoundPlayer, PlaysEachEffectOnAFreeChannel) {
    writeWav(blip());
    int first = sound.play(blip().c_str());
    ASSERT_GE(first, 0);
    Mix_Pause(first); // keep it busy however slowly the test runs
    int second = sound.play(blip().c_str());
    ASSERT_GE(second, 0);
    EXPECT_NE(first, second);
}

// The mixer has eight channels; a ninth effect at the same moment is dropped.
TEST_F(SoundPlayer, NinthEffectAtOnceIsDropped) {
    writeWav(blip());
    for (int i = 0; i < 8; ++i) {
        int channel = sound.play(blip().c_str());
        ASSERT_GE(channel, 0) << "effect " << i;
        Mix_Pause(channel);
    }
    EXPECT_EQ(-1, sound.play(blip().c_str()));
}

// The cat's crush sounds are named with backslashes and opened just as written.
TEST_F(SoundPlayer, BackslashPathsPassUnchanged) {
    SoundLog log;
    EXPECT_GE(sound.play("sounds\\gore\\crush1.wav"), 0);
    ASSERT_EQ(1u, log.paths().size());
    EXPECT_EQ("sounds\\gore\\crush1.wav", log.paths()[0]);
}

} // namespace
