#include "platform/desktop/DataFolder.h"
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

namespace fs = std::filesystem;

// The tests run inside the game folder, which is what a data folder looks like.
TEST(DataFolder, TriesTheNamedFolderThenTheExecutablesThenTheInstalledOnesThenHere) {
    const std::string here = fs::current_path().string();
    auto folders = dataFolderCandidates("/games/vandal", "/opt/vandal/bin");
    ASSERT_GE(folders.size(), 4u);
    EXPECT_EQ(folders[0], "/games/vandal");
    EXPECT_EQ(folders[1], "/opt/vandal/bin");
    EXPECT_EQ(folders[2].rfind("/opt/vandal/", 0), 0u) << folders[2]; // relative to the binary
    EXPECT_EQ(folders.back(), here);

    // Unset variable, unknown executable, and a folder named twice is tried once.
    folders = dataFolderCandidates(here.c_str(), "");
    EXPECT_EQ(folders.front(), here);
    EXPECT_EQ(std::count(folders.begin(), folders.end(), here), 1);

    EXPECT_TRUE(holdsGameData(here));
    EXPECT_FALSE(holdsGameData(here + "/sprites"));
    EXPECT_FALSE(holdsGameData("/nonexistent/vandal"));
}

} // namespace
