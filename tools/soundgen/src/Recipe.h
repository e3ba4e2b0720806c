#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

// A value that changes over time: straight lines between (seconds, value) points,
// held flat before the first and after the last.
class Curve {
  public:
    struct Point {
        double time;
        double value;
    };

    Curve() = default;
    Curve(double constant) : points_{{0.0, constant}} {}
    explicit Curve(std::vector<Point> points) : points_(std::move(points)) {}

    double at(double time) const;
    // Pitches and cutoffs glide evenly on a musical scale, so they interpolate in log space.
    double atLog(double time) const;
    const std::vector<Point>& points() const { return points_; }

  private:
    std::vector<Point> points_{{0.0, 0.0}};
};

enum class Source { Sine, Saw, Square, Triangle, Noise, Brown, Crackle, Sparkle, Speak };
enum class FilterKind { Lowpass, Highpass, Bandpass };

struct Filter {
    FilterKind kind = FilterKind::Lowpass;
    Curve cutoff{1000.0};
    double q = 0.707;
};

// Formants run side by side (a vowel is several resonances at once); plain filters
// run one after another.
struct Formant {
    Curve frequency{1000.0};
    double q = 5.0;
    double gainDb = 0.0;
};

struct Partial {
    double ratio = 1.0;
    double amplitude = 1.0;
    double decay = 0.0; // seconds for the partial to fall to 1/e; 0 rings forever
};

struct Layer {
    Source source = Source::Sine;
    int line = 0;

    double start = 0.0;
    double duration = -1.0; // negative: until the end of the sound
    Curve pitch{220.0};
    Curve amp{1.0};
    double decay = 0.0;
    double gainDb = 0.0;

    std::vector<Partial> partials{{1.0, 1.0, 0.0}};
    double width = 0.5;
    double vibratoRate = 0.0;
    double vibratoDepth = 0.0; // semitones
    double tremoloRate = 0.0;
    double tremoloDepth = 0.0;
    double jitter = 0.0; // semitones of slow random wobble
    double drive = 0.0;

    Curve density{40.0}; // crackle and sparkle events per second
    double rangeLow = 2000.0;
    double rangeHigh = 6000.0;
    double grain = 0.004;

    std::vector<Formant> formants;
    std::vector<Filter> filters;

    std::string text;
    std::string voice = "en";
    int speakPitch = 50;
    int speed = 160;
    double shift = 1.0; // playback speed of the speech: above 1 is higher and quicker

    int repeatCount = 1;
    double repeatInterval = 0.0;
    double repeatSpacing = 1.0; // each gap is this times the previous one
    double repeatGainDb = 0.0;  // added to every successive copy
};

struct Sound {
    std::string path;     // relative to the game folder, exactly as the game opens it
    std::string origin;   // "file:line", for messages
    double length = -1.0; // negative: as long as the layers
    double peakDb = -3.0;
    double loudDb = -10.0;
    std::uint32_t seed = 1;
    double echoDelay = 0.0;
    double echoFeedback = 0.0;
    double echoMix = 0.0;
    std::vector<Layer> layers;
};

// Throws std::runtime_error naming the file and line of the first mistake.
std::vector<Sound> parseRecipes(const std::string& text, const std::string& fileName);

} // namespace soundgen
