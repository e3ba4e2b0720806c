#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace soundgen;

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

// espeak-ng writes its voice to a pipe and cannot go back to fill in the sizes, so its
// header claims about two gigabytes; only the samples present may come back.
TEST(Wave, ReadsBackWhatItWritesAndStreamedHeaders) {
    Samples tone(999);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(1.5 * std::sin(0.05 * static_cast<double>(i)));
    const std::string path = testing::TempDir() + "soundgen-tone.wav";
    writeWav(path, tone);
    std::vector<std::uint8_t> bytes = bytesOf(path);
    const Samples back = decodeWav(bytes);
    ASSERT_EQ(back.size(), tone.size());
    // Written at 32767 steps a side and read back at 32768: within two steps.
    for (std::size_t i = 0; i < tone.size(); ++i)
        ASSERT_NEAR(back[i], std::clamp(tone[i], -1.0f, 1.0f), 2.0 / 32767) << i;

    put32(bytes, 4, 0x7ffff024);  // the RIFF chunk
    put32(bytes, 40, 0x7ffff000); // the data chunk
    EXPECT_EQ(decodeWav(bytes), back);
    EXPECT_THROW(decodeWav({bytes.begin(), bytes.begin() + 20}), std::runtime_error);
}
