#include "Recipe.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace soundgen;

namespace {

std::string errorOf(const std::string& recipe) {
    try {
        parseRecipes(recipe, "test.snd");
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

} // namespace

// Paths are kept exactly as written: the cats' crush sounds have backslashes.
TEST(Recipe, ReadsSoundsLayersAndTheirSettings) {
    const auto sounds = parseRecipes(R"(
# a comment line
sound sounds\gore\crush1.wav   # a comment after a setting
length 0.5
peak -4
layer sine
  at 0.05
  pitch 0:100 0.2:400
  lowpass 0:3000 0.4:300 q 2
layer speak
  text "Hey! Off # my lawn!"
sound sounds/b.wav
layer noise
  for 0.2
)",
                                     "x.snd");
    ASSERT_EQ(sounds.size(), 2u);
    const Sound& s = sounds[0];
    EXPECT_EQ(s.path, "sounds\\gore\\crush1.wav");
    EXPECT_EQ(s.origin, "x.snd:3");
    EXPECT_DOUBLE_EQ(s.length, 0.5);
    EXPECT_DOUBLE_EQ(s.peakDb, -4);
    ASSERT_EQ(s.layers.size(), 2u);
    const Layer& tone = s.layers[0];
    EXPECT_EQ(tone.source, Source::Sine);
    EXPECT_DOUBLE_EQ(tone.start, 0.05);
    EXPECT_DOUBLE_EQ(tone.pitch.at(0.1), 250);
    ASSERT_EQ(tone.filters.size(), 1u);
    EXPECT_DOUBLE_EQ(tone.filters[0].cutoff.at(0.4), 300);
    EXPECT_DOUBLE_EQ(tone.filters[0].q, 2);
    EXPECT_EQ(s.layers[1].text, "Hey! Off # my lawn!");
    EXPECT_EQ(sounds[1].layers[0].source, Source::Noise);
}

TEST(Recipe, MistakesNameTheFileAndLine) {
    const struct {
        const char* recipe;
        const char* error;
    } cases[] = {
        {"length 1\n", "test.snd:1: start with 'sound <path>'"},
        {"sound a.wav\nlength 1\nlayer sine\n  pich 440\n", "test.snd:4: unknown setting 'pich'"},
        {"sound a.wav\nlength 1\nlayer sine\n amp 0.5:1 0.2:0\n",
         "test.snd:4: curve times must not go back"},
        {"sound a.wav\nlayer speak\n text \"unclosed\n", "test.snd:3: unclosed quote"},
        {"sound a.wav\nlength 1\n", "test.snd:1: sound has no layers"},
        {"sound a.wav\nlayer sine\nsound b.wav\nlayer noise\nfor 1\n",
         "test.snd:1 (layer at line 2): give the layer 'for' or the sound 'length'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf(c.recipe), c.error);
}
