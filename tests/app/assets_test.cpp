#include "app/Assets.h"
#include "entities/Pickups.h"
#include "graphics/Graphics.h"
#include "graphics/Marker.h"
#include "graphics/Mission.h"
#include "graphics/Pixels.h"
#include "player/Player.h"
#include "screens/Freerun.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "sound/Sound.h"
#include "support/TestSupport.h"
#include <SDL/SDL_mixer.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

// Every line of text the game puts on screen goes through this one call of the font
// library. The test binary stands in front of it to note down what is drawn, in
// which font, and hands the call on unchanged.
namespace {
bool noteTexts = false;
std::map<TTF_Font*, std::set<std::string>> textsDrawn;
} // namespace

extern "C" SDL_Surface* TTF_RenderText_Shaded(TTF_Font* font, const char* text, SDL_Color fg,
                                              SDL_Color bg) {
    using Render = SDL_Surface* (*)(TTF_Font*, const char*, SDL_Color, SDL_Color);
    static auto render = reinterpret_cast<Render>(dlsym(RTLD_NEXT, "TTF_RenderText_Shaded"));
    if (noteTexts && font && text) textsDrawn[font].insert(text);
    return render(font, text, fg, bg);
}

namespace {

// The interface pictures are drawn opaque; every other picture is a keyed sprite.
bool isInterfacePicture(const std::string& path) {
    for (const char* opaque :
         {assets::hudImage, assets::nosOnImage, assets::nosOffImage, assets::nosBurnImage,
          assets::missionImage, assets::statsImage, assets::speechBoxImage, assets::shopScreenImage,
          assets::menuImage, assets::menuPageImage, assets::menuResumeImage})
        if (path == opaque) return true;
    return false;
}

int transparentPixels(SDL_Surface* image) {
    int n = 0;
    for (int y = 0; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x)
            n += pixelAt(image, x, y) == Rgb{0, 255, 0} ? 1 : 0;
    return n;
}

// Every character of `text` (Latin-1) has a glyph in the font.
void expectGlyphs(TTF_Font* font, const std::string& text, const char* fontName) {
    std::string missing;
    for (unsigned char c : text)
        if (!TTF_GlyphIsProvided(font, c)) missing += static_cast<char>(c);
    EXPECT_TRUE(missing.empty()) << fontName << " lacks \"" << missing << "\" for \"" << text
                                 << "\"";
}

TEST(GameFiles, EveryPictureSoundAndFontLoads) {
    std::vector<const char*> images = assets::allImages(), sounds = assets::allSounds();
    EXPECT_EQ(std::set<std::string>(images.begin(), images.end()).size(), images.size());
    EXPECT_EQ(std::set<std::string>(sounds.begin(), sounds.end()).size(), sounds.size());
    for (const char* path : images) {
        SDL_Surface* image = loadSprite(path);
        ASSERT_NE(image, nullptr) << path << ": " << SDL_GetError();
        EXPECT_TRUE(isInterfacePicture(path) || transparentPixels(image) > 0) << path;
        SDL_FreeSurface(image);
    }
    for (const char* path : sounds) {
        Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1);
        ASSERT_NE(chunk, nullptr) << path << ": " << Mix_GetError();
        EXPECT_GT(chunk->alen, 0u) << path;
        Mix_FreeChunk(chunk);
    }
    ASSERT_EQ(assets::allFonts().size(), 2u);
    for (auto [path, points] :
         {std::pair{assets::smallFont, 12}, std::pair{assets::largeFont, 16}}) {
        TTF_Font* font = TTF_OpenFont(path, points);
        ASSERT_NE(font, nullptr) << path;
        TTF_CloseFont(font);
    }
}

class GameTexts : public testing::Test {
  protected:
    void SetUp() override { resetGame(); }
    void TearDown() override {
        noteTexts = false;
        textsDrawn.clear();
        game.currentLevel = nullptr;
        resetGame();
    }
};

TEST_F(GameTexts, EverythingTheMenuAndTheOverlaysDrawHasItsGlyphs) {
    noteTexts = true;
    // Every menu page in each of its looks.
    for (int enabled : {0, 1}) {
        sound.enabled = static_cast<Uint8>(enabled);
        menu.activate(4);
    }
    sound.enabled = 1;
    int terrain = freerunTerrain;
    for (int t = 0; t <= 3; ++t) {
        freerunTerrain = t;
        menu.activate(5);
    }
    freerunTerrain = terrain;
    menu.activate(6);

    // A frame with the statistics, mission and shop panels and a speech from a soap.
    HandMadeLevel level;
    game.currentLevel = &level.level;
    Soap* soap = level.level.makeEntities<Soap>(1);
    soap->setPosition(player.x, player.y);
    graphics.showStats = 1;
    graphics.showMission = 1;
    chooseQuote();
    shop.setOpen(true);
    FakeClock clock;
    graphics.frame();
    noteTexts = false;

    ASSERT_EQ(textsDrawn.count(menu.font), 1u);
    EXPECT_GE(textsDrawn[menu.font].size(), 15u);
    ASSERT_EQ(textsDrawn.count(graphics.smallFont), 1u);
    EXPECT_TRUE(textsDrawn[graphics.smallFont].count("Free blood removal, spick and span."));
    EXPECT_TRUE(textsDrawn[graphics.largeFont].count("Cats Killed: 0"));
    // Texts of other moments: every HUD digit, the shop at every engine level, every quote.
    textsDrawn[graphics.smallFont].insert("0123456789%m\xA3");
    for (int level = 0; level <= 6; ++level) {
        player.setEngineLevel(level);
        shop.refresh();
        for (const char* item : shop.items)
            textsDrawn[graphics.largeFont].insert(item);
    }
    // Quotes must also fit the mission panel.
    for (const auto& entry : quoteTable)
        for (const char* line : entry) {
            if (!line) continue;
            textsDrawn[graphics.largeFont].insert(line);
            int w = 0, h = 0;
            TTF_SizeText(graphics.largeFont, line, &w, &h);
            EXPECT_LE(42 + w, missionRect.x + graphics.missionImage->w) << line;
        }
    for (const auto& [font, texts] : textsDrawn) {
        const char* name = font == graphics.smallFont ? "small font"
                           : font == menu.font        ? "menu font"
                                                      : "large font";
        for (const std::string& text : texts)
            expectGlyphs(font, text, name);
    }
}

} // namespace
