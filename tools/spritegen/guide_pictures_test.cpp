// The guide's pictures are kept beside the page so that it shows them wherever it is
// read; they must stay the ones the build draws from the sprites as they are now.
#include "pixelart/pngfile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;

namespace {

std::set<std::string> picturesIn(const fs::path& folder) {
    std::set<std::string> names;
    if (!fs::is_directory(folder)) return names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".png") names.insert(entry.path().filename().string());
    return names;
}

const std::string kRefresh = "\nrun `" REFRESH_COMMAND "` and commit docs/guide";

} // namespace

TEST(GuidePictures, KeptInTheRepositoryMatchTheBuild) {
    const std::set<std::string> drawn = picturesIn(GUIDE_DRAWN), kept = picturesIn(GUIDE_KEPT);
    ASSERT_FALSE(drawn.empty()) << "the build has drawn no guide pictures in " GUIDE_DRAWN;
    EXPECT_EQ(kept, drawn) << "docs/guide does not hold the pictures the build draws" << kRefresh;
    for (const std::string& name : drawn) {
        if (!kept.count(name)) continue;
        // Pixels, not bytes: another libpng or zlib may pack the same picture otherwise.
        EXPECT_TRUE(pixelart::loadPng(fs::path(GUIDE_DRAWN) / name) ==
                    pixelart::loadPng(fs::path(GUIDE_KEPT) / name))
            << "docs/guide/" << name << " is not the picture the build draws" << kRefresh;
    }
}
