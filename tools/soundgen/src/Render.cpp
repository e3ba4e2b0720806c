#include "Render.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace soundgen {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double rate = sampleRate;

double fromDb(double db) { return std::pow(10.0, db / 20.0); }

// Zero-delay state-variable filter: stays stable while its cutoff sweeps every sample.
class Svf {
  public:
    double process(double in, double cutoff, double q, FilterKind kind) {
        const double g = std::tan(pi * std::clamp(cutoff, 10.0, rate * 0.45) / rate);
        const double k = 1.0 / q;
        const double a1 = 1.0 / (1.0 + g * (g + k));
        const double a2 = g * a1;
        const double a3 = g * a2;
        const double v3 = in - ic2_;
        const double v1 = a1 * ic1_ + a2 * v3;
        const double v2 = ic2_ + a2 * ic1_ + a3 * v3;
        ic1_ = 2 * v1 - ic1_;
        ic2_ = 2 * v2 - ic2_;
        switch (kind) {
        case FilterKind::Lowpass:
            return v2;
        case FilterKind::Highpass:
            return in - k * v1 - v2;
        case FilterKind::Bandpass:
            return k * v1;
        }
        return v2;
    }

  private:
    double ic1_ = 0;
    double ic2_ = 0;
};

// Rounds off the corners of saw and pulse waves, which would otherwise fold back as
// whistles at this low sample rate.
double polyBlep(double phase, double step) {
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

struct Blip {
    double phase;
    double frequency;
    double level;
};

// Raw source signal, one sample at a time.
class Oscillator {
  public:
    Oscillator(const Layer& layer, Random& random) : layer_(layer), random_(random) {}

    double next(double time, double frequency) {
        const double step = std::min(frequency / rate, 0.5);
        double out = 0;
        switch (layer_.source) {
        case Source::Sine:
            for (const Partial& partial : layer_.partials) {
                double level = partial.amplitude;
                if (partial.decay > 0) level *= std::exp(-time / partial.decay);
                if (partial.ratio * frequency < rate * 0.45)
                    out += level * std::sin(2 * pi * std::fmod(partial.ratio * cycles_, 1.0));
            }
            break;
        case Source::Saw:
            out = 2 * phase_ - 1 - polyBlep(phase_, step);
            break;
        case Source::Square: {
            out = phase_ < layer_.width ? 1.0 : -1.0;
            out += polyBlep(phase_, step);
            out -= polyBlep(std::fmod(phase_ + 1.0 - layer_.width, 1.0), step);
            break;
        }
        case Source::Triangle:
            out = 4 * std::abs(phase_ - 0.5) - 1;
            break;
        case Source::Noise:
            out = random_.uniform(-1, 1);
            break;
        case Source::Brown:
            brown_ = 0.985 * brown_ + 0.17 * random_.uniform(-1, 1);
            out = brown_;
            break;
        case Source::Crackle: {
            const double chance = std::max(0.0, layer_.density.at(time)) / rate;
            burst_ *= std::exp(-1.0 / (layer_.grain * rate));
            if (random_.uniform(0, 1) < chance)
                burst_ = std::max(burst_, random_.uniform(0.3, 1.0));
            out = burst_ * random_.uniform(-1, 1);
            break;
        }
        case Source::Sparkle:
            out = sparkle(time);
            break;
        case Source::Speak:
            break;
        }
        cycles_ += frequency / rate;
        phase_ += step;
        if (phase_ >= 1.0) phase_ -= 1.0;
        return out;
    }

  private:
    double sparkle(double time) {
        const double chance = std::max(0.0, layer_.density.at(time)) / rate;
        if (random_.uniform(0, 1) < chance) {
            const double f = layer_.rangeLow *
                             std::pow(layer_.rangeHigh / layer_.rangeLow, random_.uniform(0, 1));
            blips_.push_back({0.0, f, random_.uniform(0.4, 1.0)});
        }
        const double fall = std::exp(-1.0 / (layer_.grain * rate));
        double out = 0;
        for (Blip& blip : blips_) {
            out += blip.level * std::sin(2 * pi * blip.phase);
            blip.phase = std::fmod(blip.phase + blip.frequency / rate, 1.0);
            blip.level *= fall;
        }
        blips_.erase(std::remove_if(blips_.begin(), blips_.end(),
                                    [](const Blip& b) { return b.level < 1e-3; }),
                     blips_.end());
        return out;
    }

    const Layer& layer_;
    Random& random_;
    double phase_ = 0;
    double cycles_ = 0;
    double brown_ = 0;
    double burst_ = 0;
    std::vector<Blip> blips_;
};

// Slow random drift around zero, roughly within [-1, 1], changing about 25 times a second.
class Wobble {
  public:
    explicit Wobble(Random& random) : random_(random) {}
    double next() {
        if (--countdown_ <= 0) {
            target_ = random_.uniform(-1, 1);
            countdown_ = static_cast<int>(rate / 25);
        }
        value_ += (target_ - value_) * 0.004;
        return value_;
    }

  private:
    Random& random_;
    double target_ = 0;
    double value_ = 0;
    int countdown_ = 0;
};

Samples renderLayer(const Layer& layer, const Samples& speech, double duration, Random& random) {
    const auto count = static_cast<std::size_t>(duration * rate);
    Samples out(count);
    Oscillator oscillator(layer, random);
    Wobble wobble(random);
    std::vector<Svf> formantFilters(layer.formants.size());
    std::vector<Svf> filters(layer.filters.size());
    const double edge = std::min(0.002 * rate, count / 2.0);
    const double gain = fromDb(layer.gainDb);

    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        double x;
        if (layer.source == Source::Speak) {
            const double pos = t * layer.shift * rate;
            const auto j = static_cast<std::size_t>(pos);
            const double frac = pos - static_cast<double>(j);
            const double a = j < speech.size() ? speech[j] : 0.0;
            const double b = j + 1 < speech.size() ? speech[j + 1] : 0.0;
            x = a + (b - a) * frac;
        } else {
            double semitones = 0;
            if (layer.vibratoDepth != 0)
                semitones += layer.vibratoDepth * std::sin(2 * pi * layer.vibratoRate * t);
            if (layer.jitter != 0) semitones += layer.jitter * wobble.next();
            x = oscillator.next(t, layer.pitch.atLog(t) * std::pow(2.0, semitones / 12.0));
        }

        if (!layer.formants.empty()) {
            double sum = 0;
            for (std::size_t f = 0; f < layer.formants.size(); ++f) {
                const Formant& formant = layer.formants[f];
                sum += fromDb(formant.gainDb) *
                       formantFilters[f].process(x, formant.frequency.atLog(t), formant.q,
                                                 FilterKind::Bandpass);
            }
            x = sum;
        }
        for (std::size_t f = 0; f < layer.filters.size(); ++f) {
            const Filter& filter = layer.filters[f];
            x = filters[f].process(x, filter.cutoff.atLog(t), filter.q, filter.kind);
        }
        if (layer.drive > 0) x = std::tanh(x * (1 + layer.drive)) / std::tanh(1 + layer.drive);

        double level = gain * layer.amp.at(t);
        if (layer.decay > 0) level *= std::exp(-t / layer.decay);
        if (layer.tremoloDepth > 0)
            level *=
                1 - layer.tremoloDepth * (0.5 - 0.5 * std::cos(2 * pi * layer.tremoloRate * t));
        const double fromEdge =
            std::min(static_cast<double>(i), static_cast<double>(count - 1 - i));
        if (fromEdge < edge) level *= fromEdge / edge;
        out[i] = static_cast<float>(x * level);
    }
    return out;
}

void mixInto(Samples& mix, const Samples& part, double start) {
    const auto offset = static_cast<std::size_t>(std::lround(start * rate));
    if (mix.size() < offset + part.size()) mix.resize(offset + part.size(), 0.0f);
    for (std::size_t i = 0; i < part.size(); ++i)
        mix[offset + i] += part[i];
}

double layerStart(const Layer& layer, int copy) {
    double start = layer.start;
    double gap = layer.repeatInterval;
    for (int c = 0; c < copy; ++c) {
        start += gap;
        gap *= layer.repeatSpacing;
    }
    return start;
}

} // namespace

std::uint32_t Random::next() {
    // PCG-XSH-RR
    const std::uint64_t old = state_;
    state_ = old * 6364136223846793005ull + 1442695040888963407ull;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rot = static_cast<std::uint32_t>(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
}

Level measure(const Samples& samples) {
    double peak = 0;
    for (float s : samples)
        peak = std::max(peak, static_cast<double>(std::abs(s)));
    const std::size_t window = static_cast<std::size_t>(0.05 * rate);
    double loudest = 0;
    double sum = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
        if (i >= window) sum -= static_cast<double>(samples[i - window]) * samples[i - window];
        const double span = static_cast<double>(std::min(i + 1, window));
        loudest = std::max(loudest, sum / span);
    }
    auto db = [](double v) { return v > 0 ? 20 * std::log10(v) : -120.0; };
    return {db(peak), db(std::sqrt(std::max(loudest, 0.0)))};
}

Samples render(const Sound& sound, const Speaker& speak) {
    Samples mix;
    for (std::size_t index = 0; index < sound.layers.size(); ++index) {
        const Layer& layer = sound.layers[index];
        Samples speech;
        if (layer.source == Source::Speak) speech = speak(layer);
        for (int copy = 0; copy < layer.repeatCount; ++copy) {
            const double start = layerStart(layer, copy);
            double duration = layer.duration;
            if (layer.source == Source::Speak && duration < 0)
                duration = static_cast<double>(speech.size()) / (rate * layer.shift);
            else if (duration < 0)
                duration = sound.length - start;
            if (duration <= 0) continue;
            Random random(sound.seed * 1000003ull + index * 101 + static_cast<std::uint64_t>(copy));
            Layer copyLayer = layer;
            copyLayer.gainDb += layer.repeatGainDb * copy;
            mixInto(mix, renderLayer(copyLayer, speech, duration, random), start);
        }
    }
    if (sound.length > 0) mix.resize(static_cast<std::size_t>(sound.length * rate), 0.0f);
    if (mix.empty()) throw std::runtime_error(sound.origin + ": the sound came out empty");

    if (sound.echoDelay > 0) {
        const auto delay = static_cast<std::size_t>(sound.echoDelay * rate);
        Samples wet(mix.size(), 0.0f);
        for (std::size_t i = 0; i < mix.size(); ++i) {
            const float back = i >= delay ? mix[i - delay] + wet[i - delay] : 0.0f;
            wet[i] = static_cast<float>(back * sound.echoFeedback);
        }
        for (std::size_t i = 0; i < mix.size(); ++i)
            mix[i] +=
                static_cast<float>(wet[i] * sound.echoMix / std::max(sound.echoFeedback, 1e-9));
    }

    // Speech and rumbles carry a little offset; it would eat headroom for nothing.
    double lastIn = 0;
    double lastOut = 0;
    const double pole = std::exp(-2 * pi * 20 / rate);
    for (float& s : mix) {
        const double out = s - lastIn + pole * lastOut;
        lastIn = s;
        lastOut = out;
        s = static_cast<float>(out);
    }

    const Level level = measure(mix);
    if (level.peakDb <= -119) throw std::runtime_error(sound.origin + ": the sound is silent");
    const double gain =
        std::min(fromDb(sound.peakDb - level.peakDb), fromDb(sound.loudDb - level.loudDb));
    const std::size_t fadeIn =
        std::min<std::size_t>(static_cast<std::size_t>(0.001 * rate), mix.size() / 2);
    const std::size_t fadeOut =
        std::min<std::size_t>(static_cast<std::size_t>(0.015 * rate), mix.size() / 2);
    for (std::size_t i = 0; i < mix.size(); ++i) {
        double g = gain;
        if (i < fadeIn) g *= static_cast<double>(i) / fadeIn;
        const std::size_t fromEnd = mix.size() - 1 - i;
        if (fromEnd < fadeOut) g *= static_cast<double>(fromEnd) / fadeOut;
        mix[i] = static_cast<float>(mix[i] * g);
    }
    return mix;
}

} // namespace soundgen
