#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

// Every sound the game plays is mono at this rate; the mixer converts on load.
inline constexpr int sampleRate = 22050;

// Mono samples in [-1, 1] at sampleRate.
using Samples = std::vector<float>;

// RIFF PCM, 16-bit signed mono. Values beyond [-1, 1] are clipped.
std::vector<std::uint8_t> encodeWav(const Samples& samples);

// Accepts 16-bit PCM, mono or stereo (averaged), at any rate (resampled linearly).
// Tolerates the bogus chunk sizes that streaming writers put in the header.
// Throws std::runtime_error on anything else.
Samples decodeWav(const std::vector<std::uint8_t>& bytes);

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace soundgen
