#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

// Every sound the game plays is mono at this rate; the mixer converts on load.
inline constexpr int sampleRate = 22050;

// Mono samples in [-1, 1] at sampleRate.
using Samples = std::vector<float>;

// A 16-bit PCM mono WAV, written by libsndfile. Values beyond [-1, 1] are clipped.
// Throws std::runtime_error when the file cannot be written.
void writeWav(const std::string& path, const Samples& samples);

// Whatever libsndfile reads, at any rate (resampled linearly), channels averaged.
// Streaming writers leave bogus sizes in the header; only the bytes present count.
// Throws std::runtime_error on anything it cannot read.
Samples decodeWav(const std::vector<std::uint8_t>& bytes);

} // namespace soundgen
