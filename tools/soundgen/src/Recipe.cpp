#include "Recipe.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <stdexcept>

namespace soundgen {

double Curve::at(double time) const {
    if (time <= points_.front().time) return points_.front().value;
    for (std::size_t i = 1; i < points_.size(); ++i) {
        const Point& a = points_[i - 1];
        const Point& b = points_[i];
        if (time < b.time) {
            const double span = b.time - a.time;
            return span <= 0 ? b.value : a.value + (b.value - a.value) * (time - a.time) / span;
        }
    }
    return points_.back().value;
}

double Curve::atLog(double time) const {
    if (time <= points_.front().time) return points_.front().value;
    for (std::size_t i = 1; i < points_.size(); ++i) {
        const Point& a = points_[i - 1];
        const Point& b = points_[i];
        if (time < b.time) {
            const double span = b.time - a.time;
            if (span <= 0) return b.value;
            const double f = (time - a.time) / span;
            return a.value * std::pow(b.value / a.value, f);
        }
    }
    return points_.back().value;
}

namespace {

class LineParser {
  public:
    LineParser(std::vector<std::string> words, std::string where)
        : words_(std::move(words)), where_(std::move(where)) {}

    [[noreturn]] void fail(const std::string& message) const {
        throw std::runtime_error(where_ + ": " + message);
    }

    bool more() const { return next_ < words_.size(); }
    const std::string& peek() const { return words_[next_]; }

    std::string word() {
        if (!more()) fail("'" + words_[0] + "' needs more values");
        return words_[next_++];
    }

    double number() {
        const std::string w = word();
        return toNumber(w);
    }

    double positive() {
        const double v = number();
        if (v <= 0) fail("'" + words_[0] + "' needs a value above zero");
        return v;
    }

    int integer() {
        const double v = number();
        if (v != std::floor(v)) fail("'" + words_[0] + "' needs a whole number");
        return static_cast<int>(v);
    }

    double toNumber(const std::string& w) const {
        char* end = nullptr;
        const double v = std::strtod(w.c_str(), &end);
        if (w.empty() || *end != '\0' || !std::isfinite(v)) fail("'" + w + "' is not a number");
        return v;
    }

    // Either one plain number, or points written time:value in rising time order.
    Curve curve(bool positiveValues) {
        std::vector<Curve::Point> points;
        while (more()) {
            const std::string& w = peek();
            const auto colon = w.find(':');
            if (colon == std::string::npos) {
                if (!points.empty() ||
                    (!w.empty() && std::isalpha(static_cast<unsigned char>(w[0]))))
                    break;
                points.push_back({0.0, toNumber(word())});
                break;
            }
            const double time = toNumber(w.substr(0, colon));
            const double value = toNumber(w.substr(colon + 1));
            if (!points.empty() && time < points.back().time) fail("curve times must not go back");
            points.push_back({time, value});
            ++next_;
        }
        if (points.empty()) fail("'" + words_[0] + "' needs a value or time:value points");
        if (positiveValues)
            for (const auto& p : points)
                if (p.value <= 0) fail("'" + words_[0] + "' values must be above zero");
        return Curve(std::move(points));
    }

    void done() const {
        if (more()) fail("unexpected '" + words_[next_] + "'");
    }

  private:
    std::vector<std::string> words_;
    std::string where_;
    std::size_t next_ = 1;
};

std::vector<std::string> splitWords(const std::string& line, const std::string& where) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '#') break;
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '"') {
            const auto close = line.find('"', i + 1);
            if (close == std::string::npos) throw std::runtime_error(where + ": unclosed quote");
            words.push_back(line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            std::size_t j = i;
            while (j < line.size() && !std::isspace(static_cast<unsigned char>(line[j])) &&
                   line[j] != '#')
                ++j;
            words.push_back(line.substr(i, j - i));
            i = j;
        }
    }
    return words;
}

Source sourceNamed(const std::string& name, const LineParser& p) {
    static const std::map<std::string, Source> sources = {
        {"sine", Source::Sine},         {"saw", Source::Saw},         {"square", Source::Square},
        {"triangle", Source::Triangle}, {"noise", Source::Noise},     {"brown", Source::Brown},
        {"crackle", Source::Crackle},   {"sparkle", Source::Sparkle}, {"speak", Source::Speak}};
    const auto found = sources.find(name);
    if (found == sources.end()) p.fail("unknown layer source '" + name + "'");
    return found->second;
}

void parseFilter(LineParser& p, Layer& layer, FilterKind kind) {
    Filter f;
    f.kind = kind;
    f.cutoff = p.curve(true);
    if (p.more() && p.peek() == "q") {
        p.word();
        f.q = p.positive();
    }
    p.done();
    layer.filters.push_back(f);
}

void parseFormant(LineParser& p, Layer& layer) {
    Formant f;
    f.frequency = p.curve(true);
    while (p.more()) {
        const std::string option = p.word();
        if (option == "q")
            f.q = p.positive();
        else if (option == "gain")
            f.gainDb = p.number();
        else
            p.fail("formant takes 'q' and 'gain', not '" + option + "'");
    }
    layer.formants.push_back(f);
}

// Returns false if the keyword is not a layer setting.
bool parseLayerSetting(const std::string& key, LineParser& p, Layer& layer) {
    if (key == "at") {
        layer.start = p.number();
        if (layer.start < 0) p.fail("'at' cannot be negative");
    } else if (key == "for") {
        layer.duration = p.positive();
    } else if (key == "pitch") {
        layer.pitch = p.curve(true);
    } else if (key == "amp") {
        layer.amp = p.curve(false);
    } else if (key == "decay") {
        layer.decay = p.positive();
    } else if (key == "gain") {
        layer.gainDb = p.number();
    } else if (key == "partials") {
        layer.partials.clear();
        while (p.more()) {
            const std::string w = p.word();
            Partial partial;
            const auto a = w.find(':');
            const auto b = a == std::string::npos ? a : w.find(':', a + 1);
            partial.ratio = p.toNumber(w.substr(0, a));
            if (a != std::string::npos) partial.amplitude = p.toNumber(w.substr(a + 1, b - a - 1));
            if (b != std::string::npos) partial.decay = p.toNumber(w.substr(b + 1));
            if (partial.ratio <= 0 || partial.decay < 0) p.fail("bad partial '" + w + "'");
            layer.partials.push_back(partial);
        }
        if (layer.partials.empty()) p.fail("'partials' needs ratio[:amplitude[:decay]] values");
    } else if (key == "width") {
        layer.width = p.number();
        if (layer.width <= 0 || layer.width >= 1) p.fail("'width' must be between 0 and 1");
    } else if (key == "vibrato") {
        layer.vibratoRate = p.positive();
        layer.vibratoDepth = p.number();
    } else if (key == "tremolo") {
        layer.tremoloRate = p.positive();
        layer.tremoloDepth = p.number();
        if (layer.tremoloDepth < 0 || layer.tremoloDepth > 1) p.fail("tremolo depth is 0 to 1");
    } else if (key == "jitter") {
        layer.jitter = p.number();
    } else if (key == "drive") {
        layer.drive = p.number();
        if (layer.drive < 0) p.fail("'drive' cannot be negative");
    } else if (key == "density") {
        layer.density = p.curve(false);
    } else if (key == "range") {
        layer.rangeLow = p.positive();
        layer.rangeHigh = p.positive();
        if (layer.rangeHigh < layer.rangeLow) p.fail("'range' goes low then high");
    } else if (key == "grain") {
        layer.grain = p.positive();
    } else if (key == "lowpass") {
        parseFilter(p, layer, FilterKind::Lowpass);
    } else if (key == "highpass") {
        parseFilter(p, layer, FilterKind::Highpass);
    } else if (key == "bandpass") {
        parseFilter(p, layer, FilterKind::Bandpass);
    } else if (key == "formant") {
        parseFormant(p, layer);
    } else if (key == "text") {
        layer.text = p.word();
    } else if (key == "voice") {
        layer.voice = p.word();
    } else if (key == "speakpitch") {
        layer.speakPitch = p.integer();
        if (layer.speakPitch < 0 || layer.speakPitch > 99) p.fail("'speakpitch' is 0 to 99");
    } else if (key == "speed") {
        layer.speed = p.integer();
        if (layer.speed < 80 || layer.speed > 450) p.fail("'speed' is 80 to 450 words a minute");
    } else if (key == "shift") {
        layer.shift = p.positive();
    } else if (key == "repeat") {
        layer.repeatCount = p.integer();
        if (layer.repeatCount < 1) p.fail("'repeat' needs at least one copy");
        layer.repeatInterval = p.number();
        if (p.more()) layer.repeatSpacing = p.positive();
        if (p.more()) layer.repeatGainDb = p.number();
    } else {
        return false;
    }
    p.done();
    return true;
}

bool parseSoundSetting(const std::string& key, LineParser& p, Sound& sound) {
    if (key == "length") {
        sound.length = p.positive();
    } else if (key == "peak") {
        sound.peakDb = p.number();
        if (sound.peakDb > 0) p.fail("'peak' is in dB below full scale");
    } else if (key == "loud") {
        sound.loudDb = p.number();
        if (sound.loudDb > 0) p.fail("'loud' is in dB below full scale");
    } else if (key == "seed") {
        sound.seed = static_cast<std::uint32_t>(p.integer());
    } else if (key == "echo") {
        sound.echoDelay = p.positive();
        sound.echoFeedback = p.number();
        sound.echoMix = p.number();
        if (sound.echoFeedback < 0 || sound.echoFeedback >= 1) p.fail("echo feedback is 0 to 0.99");
    } else {
        return false;
    }
    p.done();
    return true;
}

void checkSound(const Sound& sound) {
    if (sound.layers.empty()) throw std::runtime_error(sound.origin + ": sound has no layers");
    for (const Layer& layer : sound.layers) {
        const std::string where =
            sound.origin + " (layer at line " + std::to_string(layer.line) + ")";
        if (layer.source == Source::Speak && layer.text.empty())
            throw std::runtime_error(where + ": a speak layer needs 'text'");
        if (layer.source != Source::Speak && layer.duration < 0 && sound.length < 0)
            throw std::runtime_error(where + ": give the layer 'for' or the sound 'length'");
    }
}

} // namespace

std::vector<Sound> parseRecipes(const std::string& text, const std::string& fileName) {
    std::vector<Sound> sounds;
    Layer* layer = nullptr;
    std::size_t lineStart = 0;
    int lineNumber = 0;
    while (lineStart <= text.size()) {
        auto lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        const std::string line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        ++lineNumber;

        const std::string where = fileName + ":" + std::to_string(lineNumber);
        std::vector<std::string> words = splitWords(line, where);
        if (words.empty()) continue;
        const std::string key = words[0];
        LineParser p(std::move(words), where);

        if (key == "sound") {
            if (!sounds.empty()) checkSound(sounds.back());
            Sound sound;
            sound.path = p.word();
            sound.origin = where;
            p.done();
            sounds.push_back(sound);
            layer = nullptr;
            continue;
        }
        if (sounds.empty()) p.fail("start with 'sound <path>'");
        Sound& sound = sounds.back();
        if (key == "layer") {
            Layer fresh;
            fresh.source = sourceNamed(p.word(), p);
            fresh.line = lineNumber;
            p.done();
            sound.layers.push_back(fresh);
            layer = &sound.layers.back();
            continue;
        }
        if (parseSoundSetting(key, p, sound)) continue;
        if (!layer) p.fail("'" + key + "' belongs inside a layer, or is unknown");
        if (!parseLayerSetting(key, p, *layer)) p.fail("unknown setting '" + key + "'");
    }
    if (!sounds.empty()) checkSound(sounds.back());
    return sounds;
}

} // namespace soundgen
