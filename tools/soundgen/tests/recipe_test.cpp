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

TEST(Curve, HoldsItsEndsAndInterpolatesBetweenPoints) {
    const Curve c({{0.1, 100.0}, {0.3, 400.0}});
    EXPECT_DOUBLE_EQ(c.at(0.0), 100.0);
    EXPECT_DOUBLE_EQ(c.at(1.0), 400.0);
    EXPECT_DOUBLE_EQ(c.at(0.2), 250.0);
    // A glide from 100 to 400 Hz passes 200 Hz halfway: an octave each half.
    EXPECT_NEAR(c.atLog(0.2), 200.0, 1e-9);
    EXPECT_DOUBLE_EQ(Curve(7.0).atLog(3.0), 7.0);
}

TEST(Curve, JumpsWhereTwoPointsShareATime) {
    const Curve c({{0.0, 1.0}, {0.5, 1.0}, {0.5, 3.0}, {1.0, 3.0}});
    EXPECT_DOUBLE_EQ(c.at(0.49), 1.0);
    EXPECT_DOUBLE_EQ(c.at(0.51), 3.0);
}

TEST(Recipe, ReadsEverySettingAUsefulSoundNeeds) {
    const auto sounds = parseRecipes(R"(
# a comment line
sound sounds\gore\crush1.wav   # kept exactly, backslashes and all
length 0.5
peak -4
seed 9
echo 0.1 0.3 0.2
layer sine
  at 0.05
  pitch 0:100 0.2:400
  partials 1 2.76:0.5 5.4:0.25:0.1
  lowpass 0:3000 0.4:300 q 2
  formant 900 q 6 gain -3
  repeat 3 0.1 0.5 -2
layer speak
  text "Hey! Off # my lawn!"
  voice en+m7
  speakpitch 35
  shift 1.25
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
    EXPECT_EQ(s.seed, 9u);
    EXPECT_DOUBLE_EQ(s.echoMix, 0.2);
    ASSERT_EQ(s.layers.size(), 2u);

    const Layer& tone = s.layers[0];
    EXPECT_EQ(tone.source, Source::Sine);
    EXPECT_DOUBLE_EQ(tone.start, 0.05);
    EXPECT_DOUBLE_EQ(tone.pitch.at(0.2), 400);
    ASSERT_EQ(tone.partials.size(), 3u);
    EXPECT_DOUBLE_EQ(tone.partials[0].amplitude, 1.0);
    EXPECT_DOUBLE_EQ(tone.partials[1].ratio, 2.76);
    EXPECT_DOUBLE_EQ(tone.partials[2].decay, 0.1);
    ASSERT_EQ(tone.filters.size(), 1u);
    EXPECT_EQ(tone.filters[0].kind, FilterKind::Lowpass);
    EXPECT_DOUBLE_EQ(tone.filters[0].cutoff.at(0.4), 300);
    EXPECT_DOUBLE_EQ(tone.filters[0].q, 2);
    ASSERT_EQ(tone.formants.size(), 1u);
    EXPECT_DOUBLE_EQ(tone.formants[0].gainDb, -3);
    EXPECT_EQ(tone.repeatCount, 3);
    EXPECT_DOUBLE_EQ(tone.repeatSpacing, 0.5);
    EXPECT_DOUBLE_EQ(tone.repeatGainDb, -2);

    const Layer& voice = s.layers[1];
    EXPECT_EQ(voice.text, "Hey! Off # my lawn!");
    EXPECT_EQ(voice.voice, "en+m7");
    EXPECT_EQ(voice.speakPitch, 35);
    EXPECT_DOUBLE_EQ(voice.shift, 1.25);

    EXPECT_EQ(sounds[1].layers[0].source, Source::Noise);
}

TEST(Recipe, MistakesNameTheFileAndLine) {
    EXPECT_EQ(errorOf("length 1\n"), "test.snd:1: start with 'sound <path>'");
    EXPECT_EQ(errorOf("sound a.wav\nlength 1\npitch 440\n"),
              "test.snd:3: 'pitch' belongs inside a layer, or is unknown");
    EXPECT_EQ(errorOf("sound a.wav\nlength 1\nlayer sine\n  pich 440\n"),
              "test.snd:4: unknown setting 'pich'");
    EXPECT_EQ(errorOf("sound a.wav\nlayer hum\n"), "test.snd:2: unknown layer source 'hum'");
    EXPECT_EQ(errorOf("sound a.wav\nlength 1\nlayer sine\n pitch 0:400 0.5:x\n"),
              "test.snd:4: 'x' is not a number");
    EXPECT_EQ(errorOf("sound a.wav\nlength 1\nlayer sine\n amp 0.5:1 0.2:0\n"),
              "test.snd:4: curve times must not go back");
    EXPECT_EQ(errorOf("sound a.wav\nlength 1\nlayer sine\n pitch 0:0 1:400\n"),
              "test.snd:4: 'pitch' values must be above zero");
    EXPECT_EQ(errorOf("sound a.wav\nlength 1\nlayer sine\n lowpass 800 q\n"),
              "test.snd:4: 'lowpass' needs more values");
    EXPECT_EQ(errorOf("sound a.wav\nlength 1\nlayer sine\n for 0.2 0.3\n"),
              "test.snd:4: unexpected '0.3'");
    EXPECT_EQ(errorOf("sound a.wav\nlayer speak\n text \"unclosed\n"),
              "test.snd:3: unclosed quote");
}

TEST(Recipe, RefusesSoundsThatCannotBeRendered) {
    EXPECT_EQ(errorOf("sound a.wav\nlength 1\n"), "test.snd:1: sound has no layers");
    EXPECT_EQ(errorOf("sound a.wav\nlayer sine\nsound b.wav\nlayer noise\nfor 1\n"),
              "test.snd:1 (layer at line 2): give the layer 'for' or the sound 'length'");
    EXPECT_EQ(errorOf("sound a.wav\nlayer speak\n  voice en\n"),
              "test.snd:1 (layer at line 2): a speak layer needs 'text'");
}
