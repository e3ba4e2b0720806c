#include "Recipe.h"
#include "Render.h"
#include "Speech.h"
#include "Wave.h"

#include "app/Assets.h"
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

using namespace soundgen;

namespace {

constexpr double pi = 3.14159265358979323846;

Sound only(const std::string& recipe) {
    auto sounds = parseRecipes(recipe, "test.snd");
    EXPECT_EQ(sounds.size(), 1u);
    return sounds.at(0);
}

// Stands in for espeak-ng: a steady 300 Hz tone, half a second long.
Samples fakeVoice(const Layer&) {
    Samples s(sampleRate / 2);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<float>(0.5 * std::sin(2 * pi * 300 * i / sampleRate));
    return s;
}

double strengthAt(const Samples& s, double frequency) {
    double re = 0;
    double im = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        re += s[i] * std::cos(2 * pi * frequency * i / sampleRate);
        im += s[i] * std::sin(2 * pi * frequency * i / sampleRate);
    }
    return std::hypot(re, im) / static_cast<double>(s.size());
}

std::string readFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

TEST(Wav, WritesPlainSixteenBitMonoThatReadsBack) {
    const Samples in = {0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 2.0f};
    const auto bytes = encodeWav(in);
    ASSERT_EQ(bytes.size(), 44u + 2 * in.size());
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(bytes[22], 1);                      // mono
    EXPECT_EQ(bytes[24] | bytes[25] << 8, 22050); // rate
    EXPECT_EQ(bytes[34], 16);                     // bits
    EXPECT_EQ(bytes[40], 2 * in.size());          // data size
    const Samples out = decodeWav(bytes);
    ASSERT_EQ(out.size(), in.size());
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(out[i], in[i], 1e-4);
    EXPECT_NEAR(out[5], 1.0f, 1e-4); // clipped, not wrapped
}

TEST(Wav, ReadsStreamedStereoAtAnotherRate) {
    // Streaming writers cannot know the size up front and claim the maximum.
    auto bytes = encodeWav(Samples(8, 0.25f));
    bytes[22] = 2;                      // stereo: 4 frames of 2 samples
    bytes[24] = 0x44, bytes[25] = 0xac; // 44100 Hz
    bytes[40] = bytes[41] = bytes[42] = 0xff, bytes[43] = 0x7f;
    const Samples out = decodeWav(bytes);
    ASSERT_EQ(out.size(), 2u); // 4 frames at twice the rate
    EXPECT_NEAR(out[0], 0.25f, 1e-4);
    EXPECT_THROW(decodeWav({'R', 'I', 'F', 'F'}), std::runtime_error);
}

TEST(Render, MeetsTheLevelTargetsWithoutClickingAtTheEdges) {
    const Sound sound = only("sound a.wav\nlength 0.5\npeak -3\nloud -1\n"
                             "layer square\n pitch 440\n");
    const Samples s = render(sound, fakeVoice);
    ASSERT_EQ(s.size(), static_cast<std::size_t>(0.5 * sampleRate));
    EXPECT_NEAR(measure(s).peakDb, -3.0, 0.05);
    EXPECT_EQ(s.front(), 0.0f);
    EXPECT_EQ(s.back(), 0.0f);
    // Starting and stopping mid-cycle would click: the first and last steps stay small.
    for (std::size_t i = 1; i < 10; ++i) {
        EXPECT_LT(std::abs(s[i] - s[i - 1]), 0.05f);
        EXPECT_LT(std::abs(s[s.size() - i] - s[s.size() - i - 1]), 0.05f);
    }

    // Where a quiet-peaked sound would be too loud, the loudness target wins.
    const Sound soft = only("sound a.wav\nlength 0.5\nloud -20\nlayer square\n pitch 440\n");
    const Level level = measure(render(soft, fakeVoice));
    EXPECT_NEAR(level.loudDb, -20.0, 0.1);
    EXPECT_LT(level.peakDb, -3.0);
}

TEST(Render, SameSeedSameSoundOtherSeedOtherNoise) {
    const std::string recipe = "length 0.3\nlayer crackle\n density 300\nlayer noise\n";
    const Samples a = render(only("sound a.wav\nseed 1\n" + recipe), fakeVoice);
    const Samples b = render(only("sound a.wav\nseed 1\n" + recipe), fakeVoice);
    const Samples c = render(only("sound a.wav\nseed 2\n" + recipe), fakeVoice);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(Render, LowpassKeepsTheLowToneAndSilencesTheHighOne) {
    const Samples s = render(only("sound a.wav\nlength 0.5\n"
                                  "layer sine\n pitch 200\n lowpass 500\n"
                                  "layer sine\n pitch 5000\n lowpass 500\n"),
                             fakeVoice);
    EXPECT_GT(strengthAt(s, 200), 100 * strengthAt(s, 5000));
}

TEST(Render, PlacesLayersAndTheirRepeatsInTime) {
    // Three clicks 0.1 s then 0.05 s apart (spacing halves), each 6 dB quieter.
    const Samples s = render(only("sound a.wav\nlength 0.4\npeak -1\nloud 0\n"
                                  "layer sine\n at 0.1\n for 0.02\n pitch 1000\n"
                                  " repeat 3 0.1 0.5 -6\n"),
                             fakeVoice);
    const auto levelAround = [&](double t) {
        double peak = 0;
        for (auto i = static_cast<std::size_t>(t * sampleRate);
             i < static_cast<std::size_t>((t + 0.02) * sampleRate); ++i)
            peak = std::max(peak, static_cast<double>(std::abs(s[i])));
        return peak;
    };
    EXPECT_LT(levelAround(0.05), 0.01);
    EXPECT_NEAR(levelAround(0.1), std::pow(10, -1 / 20.0), 0.01);
    EXPECT_NEAR(levelAround(0.2) / levelAround(0.1), 0.5, 0.02);
    EXPECT_NEAR(levelAround(0.25) / levelAround(0.1), 0.25, 0.02);
    EXPECT_LT(levelAround(0.3), 0.01);
}

TEST(Render, ShiftedSpeechIsShorterAndHigher) {
    const Samples s = render(only("sound a.wav\nlayer speak\n text hi\n shift 2\n"), fakeVoice);
    EXPECT_NEAR(static_cast<double>(s.size()), sampleRate / 4.0, 2.0);
    EXPECT_GT(strengthAt(s, 600), 10 * strengthAt(s, 300));
}

TEST(Speech, TrimSilenceKeepsAShortMarginAroundTheVoice) {
    Samples voice(sampleRate, 0.0f);
    for (int i = 5000; i < 6000; ++i)
        voice[i] = 0.5f;
    const Samples trimmed = trimSilence(voice);
    const auto margin = static_cast<std::size_t>(0.01 * sampleRate);
    EXPECT_EQ(trimmed.size(), 1000 + 2 * margin);
    EXPECT_EQ(trimmed[margin], 0.5f);
    EXPECT_TRUE(trimSilence(Samples(100, 0.0f)).empty());
}

// The game refuses to start without every sound it names, so the recipes must make
// each one, once, and each must be a short, level one-shot.
TEST(Recipes, MakeEverySoundTheGameLoads) {
    std::map<std::string, int> expected;
    for (const char* path : assets::allSounds())
        expected[path] = 0;
    ASSERT_EQ(expected.size(), 51u);

    for (const char* file :
         {"alerts", "animals", "engines", "impacts", "magic", "money", "voices"}) {
        const std::string path = std::string(SOUND_RECIPE_DIR) + "/" + file + ".snd";
        for (const Sound& sound : parseRecipes(readFile(path), path)) {
            SCOPED_TRACE(sound.path);
            ASSERT_EQ(expected.count(sound.path), 1u) << "the game never loads it";
            ++expected[sound.path];
            const Samples s = render(sound, fakeVoice);
            EXPECT_GE(s.size(), sampleRate / 10u);
            EXPECT_LE(s.size(), sampleRate * 8u / 5u);
            const Level level = measure(s);
            EXPECT_LE(level.peakDb, -2.9);
            EXPECT_GT(level.loudDb, -16.0);
        }
    }
    for (const auto& [path, made] : expected)
        EXPECT_EQ(made, 1) << path;
}
