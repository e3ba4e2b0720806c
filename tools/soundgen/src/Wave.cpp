#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace soundgen {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xff));
}

std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at) {
    if (at + 4 > in.size()) throw std::runtime_error("truncated WAV header");
    return static_cast<std::uint32_t>(in[at]) | static_cast<std::uint32_t>(in[at + 1]) << 8 |
           static_cast<std::uint32_t>(in[at + 2]) << 16 |
           static_cast<std::uint32_t>(in[at + 3]) << 24;
}

std::uint16_t get16(const std::vector<std::uint8_t>& in, std::size_t at) {
    if (at + 2 > in.size()) throw std::runtime_error("truncated WAV header");
    return static_cast<std::uint16_t>(in[at] | in[at + 1] << 8);
}

bool tagAt(const std::vector<std::uint8_t>& in, std::size_t at, const char* tag) {
    return at + 4 <= in.size() && std::equal(tag, tag + 4, in.begin() + at);
}

} // namespace

std::vector<std::uint8_t> encodeWav(const Samples& samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put32(out, 36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, sampleRate);
    put32(out, sampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(out, dataBytes);
    for (float s : samples) {
        const float clipped = std::clamp(s, -1.0f, 1.0f);
        const auto v = static_cast<std::int16_t>(std::lround(clipped * 32767.0f));
        put16(out, static_cast<std::uint16_t>(v));
    }
    return out;
}

Samples decodeWav(const std::vector<std::uint8_t>& in) {
    if (!tagAt(in, 0, "RIFF") || !tagAt(in, 8, "WAVE")) throw std::runtime_error("not a WAV file");
    std::size_t at = 12;
    int channels = 0;
    int rate = 0;
    while (at + 8 <= in.size()) {
        const std::uint32_t size = get32(in, at + 4);
        if (tagAt(in, at, "fmt ")) {
            if (get16(in, at + 8) != 1 || get16(in, at + 22) != 16)
                throw std::runtime_error("only 16-bit PCM WAV is supported");
            channels = get16(in, at + 10);
            rate = static_cast<int>(get32(in, at + 12));
            if (channels < 1 || channels > 2 || rate <= 0)
                throw std::runtime_error("unsupported WAV layout");
        } else if (tagAt(in, at, "data")) {
            if (channels == 0) throw std::runtime_error("WAV data before its format");
            // Streamed output claims a huge size: trust the bytes actually present.
            const std::size_t available = in.size() - (at + 8);
            const std::size_t bytes = std::min<std::size_t>(size, available);
            const std::size_t frames = bytes / (2 * static_cast<std::size_t>(channels));
            Samples raw(frames);
            for (std::size_t f = 0; f < frames; ++f) {
                float sum = 0;
                for (int c = 0; c < channels; ++c) {
                    const auto v =
                        static_cast<std::int16_t>(get16(in, at + 8 + (f * channels + c) * 2));
                    sum += static_cast<float>(v) / 32768.0f;
                }
                raw[f] = sum / static_cast<float>(channels);
            }
            if (rate == sampleRate || raw.empty()) return raw;
            const double step = static_cast<double>(rate) / sampleRate;
            Samples out(static_cast<std::size_t>(static_cast<double>(frames) / step));
            for (std::size_t i = 0; i < out.size(); ++i) {
                const double pos = static_cast<double>(i) * step;
                const auto j = static_cast<std::size_t>(pos);
                const float frac = static_cast<float>(pos - static_cast<double>(j));
                const float next = j + 1 < frames ? raw[j + 1] : raw[j];
                out[i] = raw[j] + (next - raw[j]) * frac;
            }
            return out;
        }
        at += 8 + size + (size & 1);
    }
    throw std::runtime_error("WAV file has no data");
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

} // namespace soundgen
