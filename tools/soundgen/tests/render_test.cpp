#include "Recipe.h"
#include "Render.h"
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

std::string readFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

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
