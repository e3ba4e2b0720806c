#include "preview.h"
#include "uigen.h"
#include <SDL/SDL.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <tuple>

using namespace uigen;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string parseError(const std::string& text) {
    try {
        parseIcons(text, "test.txt");
    } catch (const SourceError& e) {
        return e.what();
    }
    return "";
}

int brightness(Rgb c) { return (c.r * 299 + c.g * 587 + c.b * 114) / 1000; }

} // namespace

TEST(Icons, GridsBecomeSolidAndSeeThroughPixels) {
    auto icons = parseIcons("# a comment\ncolour k 1 2 3 ink\n\nicon dot\n.k\nk.\n", "t");
    ASSERT_EQ(icons.count("dot"), 1u);
    const Icon& dot = icons["dot"];
    EXPECT_EQ(dot.width, 2);
    EXPECT_EQ(dot.height, 2);
    EXPECT_EQ(dot.solid, (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(dot.pixels[1], (Rgb{1, 2, 3}));

    Image img(3, 3, {9, 9, 9});
    drawIcon(img, dot, 1, 1);
    EXPECT_EQ(img.at(1, 1), (Rgb{9, 9, 9}));
    EXPECT_EQ(img.at(2, 1), (Rgb{1, 2, 3}));
}

TEST(Icons, MistakesNameTheLine) {
    EXPECT_EQ(parseError("colour k 0 0 0\nicon a\nkk\nk\n"),
              "test.txt:4: row is 1 wide, the icon is 2");
    EXPECT_EQ(parseError("icon a\nkq\n"), "test.txt:2: unknown colour key 'k'");
    EXPECT_EQ(parseError("colour k 0 0 0\nicon a\nk\n\nicon a\nk\n"),
              "test.txt:5: icon 'a' is defined twice");
    EXPECT_EQ(parseError("colour k 0 300 0\n"), "test.txt:1: colour channels run from 0 to 255");
    EXPECT_EQ(parseError("colour . 0 0 0\n"), "test.txt:1: '.' is reserved for see-through pixels");
    EXPECT_EQ(parseError("colour kk 0 0 0\n"), "test.txt:1: expected: colour KEY R G B [name]");
    EXPECT_EQ(parseError("sprite x\n"), "test.txt:1: unknown line 'sprite'");
    EXPECT_EQ(parseError("icon a\n\n"), "test.txt: icon 'a' has no rows");
}

// The game reads these files with SDL, so SDL is the judge of the encoding; an odd
// width exercises the row padding.
TEST(Bmp, SdlReadsBackEveryPixel) {
    Image img(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            img.set(x, y,
                    {static_cast<std::uint8_t>(x * 50), static_cast<std::uint8_t>(y * 80),
                     static_cast<std::uint8_t>(x + y)});
    std::vector<std::uint8_t> bytes = encodeBmp(img);
    SDL_Surface* loaded =
        SDL_LoadBMP_RW(SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    ASSERT_NE(loaded, nullptr) << SDL_GetError();
    EXPECT_EQ(loaded->format->BitsPerPixel, 24);
    ASSERT_EQ(loaded->w, 5);
    ASSERT_EQ(loaded->h, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const Uint8* p = static_cast<Uint8*>(loaded->pixels) + y * loaded->pitch + x * 3;
            Uint32 value = p[0] | p[1] << 8 | p[2] << 16;
            Uint8 r, g, b;
            SDL_GetRGB(value, loaded->format, &r, &g, &b);
            EXPECT_EQ((Rgb{r, g, b}), img.at(x, y)) << x << "," << y;
        }
    }
    SDL_FreeSurface(loaded);
}

class Pictures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ttf = new TtfSession;
        Kit kit;
        kit.smallFontPath = UI_SMALL_FONT;
        kit.largeFontPath = UI_LARGE_FONT;
        kit.icons = parseIcons(readFile(UI_ICONS), UI_ICONS);
        for (auto& [name, image] : makePictures(kit))
            pictures[name] = image;
        for (auto& [name, image] : makePictures(kit))
            secondRun[name] = image;
    }
    static void TearDownTestSuite() {
        pictures.clear();
        secondRun.clear();
        delete ttf;
    }
    static const Image& get(const std::string& name) { return pictures.at(name); }

    static TtfSession* ttf;
    static std::map<std::string, Image> pictures, secondRun;
};

TtfSession* Pictures::ttf = nullptr;
std::map<std::string, Image> Pictures::pictures, Pictures::secondRun;

// Every interface path the game loads is made here, and nothing else.
TEST_F(Pictures, MatchTheGamesAssetList) {
    const std::string header = readFile(ASSETS_HEADER);
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

TEST_F(Pictures, FitWhereTheGameBlitsThem) {
    using namespace layout;
    EXPECT_EQ(get("hud").width, 320);
    EXPECT_EQ(get("hud").height, 24);
    for (const char* gauge : {"noson", "nosoff", "nosburn"}) {
        EXPECT_EQ(get(gauge).width, get("noson").width);
        EXPECT_EQ(get(gauge).height, get("noson").height);
        EXPECT_LE(kNosX + get(gauge).width, 320) << gauge;
        EXPECT_LE(kNosY + get(gauge).height, 240) << gauge;
    }
    EXPECT_NE(get("noson"), get("nosoff"));
    EXPECT_NE(get("noson"), get("nosburn"));
    for (const char* panel : {"missionscreen", "statscreen", "shopscreen"}) {
        const Image& img = get(panel);
        EXPECT_LE(kPanelX + img.width, 320) << panel;
        EXPECT_LE(kPanelY + img.height, 240) << panel;
        // Nine lines of about 250 px, the last one's descenders near y 166.
        EXPECT_GE(kPanelX + img.width, 300) << panel;
        EXPECT_GE(kPanelY + img.height, 172) << panel;
    }
    EXPECT_LE(kSpeechX + get("speachbox").width, 320);
    EXPECT_LE(kSpeechY + get("speachbox").height, 240 - get("hud").height);
    for (const char* menu : {"menu", "menuresume", "menusel"}) {
        EXPECT_EQ(get(menu).width, 320) << menu;
        EXPECT_EQ(get(menu).height, 240) << menu;
    }
}

// Dark text is drawn straight onto these areas, so they must stay light.
TEST_F(Pictures, TextAreasAreLight) {
    using namespace layout;
    auto expectLight = [](const std::string& name, int x0, int y0, int x1, int y1) {
        const Image& img = get(name);
        int darkest = 255;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                darkest = std::min(darkest, brightness(img.at(x, y)));
        EXPECT_GT(darkest, 170) << name << " " << x0 << "," << y0;
    };
    // "100%", "9999£", "120m" and "99" with their tops on the HUD's top row.
    const int hudWidths[4] = {37, 58, 36, 42};
    for (int i = 0; i < 4; ++i)
        expectLight("hud", kHudNumberX[i], 2, kHudNumberX[i] + hudWidths[i], 13);
    // Mission and shop use nine lines from y 34; statistics five from y 72.
    const int lastLine = kPanelFirstLineY + 8 * kPanelLineStep;
    for (auto [panel, top, bottom] :
         {std::tuple{"missionscreen", kPanelFirstLineY, lastLine},
          std::tuple{"shopscreen", kPanelFirstLineY, lastLine}, std::tuple{"statscreen", 72, 128}})
        expectLight(panel, kPanelTextX - kPanelX - 4, top - kPanelY + 2, 270,
                    bottom - kPanelY + 18);
    expectLight("speachbox", kSpeechTextX - kSpeechX - 2, kSpeechTextY - kSpeechY, 290,
                kSpeechTextY - kSpeechY + 14);
    expectLight("menusel", kMenuPageTextX - 2, 34, 290, 200);
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

TEST_F(Pictures, ResumeDiffersFromPlayOnlyInTheFirstEntry) {
    const Image& menu = get("menu");
    const Image& resume = get("menuresume");
    const layout::Rect& first = layout::kMenuEntries[0];
    int inside = 0, outside = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            if (menu.at(x, y) == resume.at(x, y)) continue;
            bool in =
                x >= first.x && x < first.x + first.w && y >= first.y && y < first.y + first.h;
            (in ? inside : outside)++;
        }
    }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);

    Image tinted = menu;
    highlightEntry(tinted, first);
    EXPECT_NE(tinted, menu);
}
