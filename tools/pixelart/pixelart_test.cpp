#include "pixelart/bmpfile.h"
#include "pixelart/pngfile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <png.h>

using namespace pixelart;

namespace {

constexpr Rgb kRed{200, 0, 0}, kBlue{0, 0, 200};

std::string scratch(const std::string& name) { return testing::TempDir() + "pixelart-" + name; }

} // namespace

// The game reads the rows bottom first, each padded to four bytes; odd widths need the
// padding, and a 24-bit file is the size that says so.
TEST(Bmp, PaddedRowsRoundTrip) {
    for (int width : {5, 6}) {
        Image image(width, 3);
        for (int i = 0; i < width * 3; ++i)
            image.set(i % width, i / width,
                      {std::uint8_t(i * 17), std::uint8_t(255 - i), std::uint8_t(i)});
        const std::string path = scratch("padded.bmp");
        saveBmp(path, image);
        EXPECT_EQ(std::filesystem::file_size(path), 54u + 3 * ((3u * width + 3) / 4 * 4)) << width;
        EXPECT_EQ(loadBmp(path), image) << width;
    }
    EXPECT_THROW(loadBmp(scratch("missing.bmp")), std::runtime_error);
}

// Icons must be see-through where the sprite is; the other pictures have no alpha.
TEST(Png, KeyedAlphaHidesTheTransparentColourOnly) {
    Image image(3, 2);
    image.set(0, 0, kRed);
    image.set(2, 1, kBlue);
    for (bool keyed : {true, false}) {
        const std::string path = scratch(keyed ? "keyed.png" : "plain.png");
        savePng(path, image, keyed);
        png_image header{};
        header.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&header, path.c_str())) << header.message;
        EXPECT_EQ((header.format & PNG_FORMAT_FLAG_ALPHA) != 0, keyed);
        png_image_free(&header);
        EXPECT_EQ(loadPng(path), image) << "keyed " << keyed;
    }
}
