#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sndfile.h>
#include <stdexcept>

namespace soundgen {

namespace {

// libsndfile reads the bytes in memory through these.
struct Memory {
    const std::vector<std::uint8_t>& bytes;
    sf_count_t at = 0;
};

sf_count_t memoryLength(void* user) {
    return static_cast<sf_count_t>(static_cast<Memory*>(user)->bytes.size());
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
    auto& memory = *static_cast<Memory*>(user);
    const sf_count_t base = whence == SEEK_CUR   ? memory.at
                            : whence == SEEK_END ? memoryLength(user)
                                                 : 0;
    memory.at = std::clamp<sf_count_t>(base + offset, 0, memoryLength(user));
    return memory.at;
}

sf_count_t memoryRead(void* into, sf_count_t count, void* user) {
    auto& memory = *static_cast<Memory*>(user);
    const sf_count_t n = std::min(count, memoryLength(user) - memory.at);
    std::memcpy(into, memory.bytes.data() + memory.at, static_cast<std::size_t>(n));
    memory.at += n;
    return n;
}

sf_count_t memoryTell(void* user) { return static_cast<Memory*>(user)->at; }

// The frames as they are in the file, channels averaged.
Samples readMono(SNDFILE* file, const SF_INFO& info) {
    std::vector<float> frames(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(file, frames.data(), info.frames);
    Samples mono(static_cast<std::size_t>(got));
    for (std::size_t f = 0; f < mono.size(); ++f) {
        float sum = 0;
        for (int c = 0; c < info.channels; ++c)
            sum += frames[f * info.channels + c];
        mono[f] = sum / static_cast<float>(info.channels);
    }
    return mono;
}

Samples resampled(const Samples& raw, int rate) {
    if (rate == sampleRate || raw.empty()) return raw;
    const double step = static_cast<double>(rate) / sampleRate;
    Samples out(static_cast<std::size_t>(static_cast<double>(raw.size()) / step));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double pos = static_cast<double>(i) * step;
        const auto j = static_cast<std::size_t>(pos);
        const float frac = static_cast<float>(pos - static_cast<double>(j));
        const float next = j + 1 < raw.size() ? raw[j + 1] : raw[j];
        out[i] = raw[j] + (next - raw[j]) * frac;
    }
    return out;
}

} // namespace

void writeWav(const std::string& path, const Samples& samples) {
    // Made 16-bit here: libsndfile's own float writer scales by 32768, not 32767, which
    // would move half of every sound's samples by a step.
    std::vector<short> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), [](float s) {
        return static_cast<short>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
    });
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
    const sf_count_t written =
        sf_write_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size()));
    const int closed = sf_close(file);
    if (written != static_cast<sf_count_t>(pcm.size()) || closed != 0)
        throw std::runtime_error("cannot write " + path);
}

Samples decodeWav(const std::vector<std::uint8_t>& bytes) {
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, nullptr, memoryTell};
    Memory memory{bytes};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &memory);
    if (!file) throw std::runtime_error(std::string("unreadable sound: ") + sf_strerror(nullptr));
    const Samples mono = readMono(file, info);
    sf_close(file);
    return resampled(mono, info.samplerate);
}

} // namespace soundgen
