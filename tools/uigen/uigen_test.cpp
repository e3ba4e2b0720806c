#include "preview.h"
#include "uigen.h"
#include <gtest/gtest.h>
#include <set>

using namespace uigen;

namespace {

int brightness(Rgb c) { return (c.r * 299 + c.g * 587 + c.b * 114) / 1000; }

} // namespace

class Pictures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ttf = new TtfSession;
        Kit kit;
        kit.smallFontPath = UI_SMALL_FONT;
        kit.largeFontPath = UI_LARGE_FONT;
        kit.icons = parseIcons(pixelart::readText(UI_ICONS), UI_ICONS);
        for (auto& [name, image] : makePictures(kit))
            pictures[name] = image;
        for (auto& [name, image] : makePictures(kit))
            secondRun[name] = image;
        kit.handheld = true;
        for (auto& [name, image] : makePictures(kit))
            handheld[name] = image;
    }
    static void TearDownTestSuite() {
        pictures.clear();
        secondRun.clear();
        handheld.clear();
        delete ttf;
    }
    static const Image& get(const std::string& name) { return pictures.at(name); }

    static TtfSession* ttf;
    static std::map<std::string, Image> pictures, secondRun, handheld;
};

TtfSession* Pictures::ttf = nullptr;
std::map<std::string, Image> Pictures::pictures, Pictures::secondRun, Pictures::handheld;

// Every interface path the game loads is made here, and nothing else.
TEST_F(Pictures, MatchTheGamesAssetList) {
    const std::string header = pixelart::readText(ASSETS_HEADER);
    // The interface pictures are the ones straight under sprites/; the rest sit in
    // folders of their own.
    std::set<std::string> wanted, made;
    const std::string prefix = "\"sprites/";
    for (std::size_t at = header.find(prefix); at != std::string::npos;
         at = header.find(prefix, at + 1)) {
        const std::size_t start = at + prefix.size();
        const std::size_t end = header.find(".bmp\"", start);
        const std::string name = header.substr(start, end - start);
        if (end != std::string::npos && name.find('/') == std::string::npos) wanted.insert(name);
    }
    for (const auto& [name, image] : pictures)
        made.insert(name);
    EXPECT_EQ(wanted.size(), 11u);
    EXPECT_EQ(made, wanted);
    EXPECT_EQ(pictures, secondRun) << "the same sources must give the same pictures";
}

// The game's highlight drops green by 30 on any pixel brighter than 50 in a channel;
// a bright pixel with green under 30 would wrap round to vivid green.
TEST_F(Pictures, MenuEntriesTakeTheHighlightCleanly) {
    for (const char* name : {"menu", "menuresume"}) {
        const Image& img = get(name);
        for (const layout::Rect& r : layout::kMenuEntries) {
            int wrapping = 0, label = 0, light = 0;
            const int middle = r.y + r.h / 2;
            for (int y = r.y; y < r.y + r.h; ++y) {
                for (int x = r.x; x < r.x + r.w; ++x) {
                    Rgb c = img.at(x, y);
                    bool touched = c.r > 50 || c.g > 50 || c.b > 50;
                    bool inside = x > r.x + 3 && x < r.x + r.w - 4 && std::abs(y - middle) < 9;
                    wrapping += touched && c.g < 30;
                    label += inside && !touched;
                    light += brightness(c) > 180;
                }
            }
            EXPECT_EQ(wrapping, 0) << name << " entry at y " << r.y;
            EXPECT_GT(label, 60) << name << " entry at y " << r.y << " has no dark label";
            EXPECT_GT(light, r.w * r.h / 2) << name << " entry at y " << r.y;
        }
    }
}

// The handheld's buttons and the keyboard's keys change the legends, where each
// picture has one, and nothing else of any picture.
TEST_F(Pictures, OnlyTheLegendsTellTheMachinesApart) {
    const std::map<std::string, layout::Rect> legends = {{"menu", {0, 173, 158, 67}},
                                                         {"menuresume", {0, 173, 158, 67}},
                                                         {"shopscreen", {40, 156, 208, 16}},
                                                         {"menusel", {200, 205, 100, 20}}};
    for (const auto& [name, desktop] : pictures) {
        const Image& buttons = handheld.at(name);
        ASSERT_EQ(buttons.width, desktop.width) << name;
        ASSERT_EQ(buttons.height, desktop.height) << name;
        const auto found = legends.find(name);
        const layout::Rect legend = found == legends.end() ? layout::Rect{} : found->second;
        int inside = 0, outside = 0;
        for (int y = 0; y < desktop.height; ++y) {
            for (int x = 0; x < desktop.width; ++x) {
                if (desktop.at(x, y) == buttons.at(x, y)) continue;
                const bool inLegend = x >= legend.x && x < legend.x + legend.w && y >= legend.y &&
                                      y < legend.y + legend.h;
                ++(inLegend ? inside : outside);
            }
        }
        EXPECT_EQ(outside, 0) << name;
        EXPECT_EQ(inside > 20, found != legends.end()) << name << ": " << inside;
    }
}
