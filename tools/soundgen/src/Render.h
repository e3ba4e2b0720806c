#pragma once

#include "Recipe.h"
#include "Wave.h"

#include <functional>

namespace soundgen {

// Speech comes from outside so the synthesis can be exercised without a speech engine.
using Speaker = std::function<Samples(const Layer&)>;

// The finished sound: layers mixed, echoed, levelled to the sound's peak and loudness
// targets, and faded at both ends so it never clicks.
Samples render(const Sound& sound, const Speaker& speak);

struct Level {
    double peakDb;
    double loudDb; // the loudest 50 ms stretch, as RMS
};
Level measure(const Samples& samples);

// Small deterministic generator: the same recipe must give the same bytes everywhere.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint32_t next();
    double uniform(double low, double high) { return low + (high - low) * (next() / 4294967296.0); }

  private:
    std::uint64_t state_;
};

} // namespace soundgen
