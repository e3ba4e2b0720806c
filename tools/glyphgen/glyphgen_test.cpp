// The page's text must be the desktop's to the pixel: every line laid out from a
// captured font (written to a file and read back, as the page gets it) is compared
// with what the native TTF_RenderText_Shaded draws.
#include "capture.h"
#include <SDL/SDL_ttf.h>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> linesToDraw() {
    std::vector<std::string> lines = {
        "100%",
        "60\xA3",
        "6m",
        "0",
        "12345\xA3",
        "Cats Killed: 17",
        "Map Terrain: Desert",
        "< Play Freerun >",
        "Buy Fuel (+20m) 200\xA3",
        "Nuke Exhaust 3E",
        "Sound: On",
        "AVAWAT To Ta Yo LT fi ffl",
        "j first, then y",
        "'quoted' \"text\" [x] {y}",
    };
    std::mt19937 rng(7);
    for (int n = 0; n < 300; ++n) {
        std::string line;
        for (int length = 1 + static_cast<int>(rng() % 24); length > 0; --length)
            line += static_cast<char>(32 + rng() % 224);
        lines.push_back(line);
    }
    return lines;
}

glyphs::Font throughFile(const glyphs::Font& font) {
    std::FILE* file = std::tmpfile();
    glyphs::write(file, font);
    std::rewind(file);
    glyphs::Font back;
    EXPECT_TRUE(glyphs::read(file, back));
    std::fclose(file);
    return back;
}

void expectSameAsSdlTtf(const char* path, int points) {
    glyphs::Font font = throughFile(glyphgen::capture(path, points));
    TTF_Font* real = TTF_OpenFont(path, points);
    ASSERT_NE(real, nullptr);
    const SDL_Color white = {255, 255, 255, 0}, black = {0, 0, 0, 0};
    for (const std::string& text : linesToDraw()) {
        SDL_Surface* drawn = TTF_RenderText_Shaded(real, text.c_str(), white, black);
        glyphs::Line line = glyphs::layOut(font, text.c_str());
        ASSERT_NE(drawn, nullptr) << text;
        ASSERT_EQ(line.width, drawn->w) << text;
        ASSERT_EQ(line.height, drawn->h) << text;
        int w = 0, h = 0;
        TTF_SizeText(real, text.c_str(), &w, &h);
        EXPECT_EQ(glyphs::sizeOf(font, text.c_str()).width, w) << text;
        EXPECT_EQ(glyphs::sizeOf(font, text.c_str()).height, h) << text;
        for (int y = 0; y < drawn->h; ++y)
            for (int x = 0; x < drawn->w; ++x)
                ASSERT_EQ(line.pixels[static_cast<size_t>(y * line.pitch + x)],
                          static_cast<const Uint8*>(drawn->pixels)[y * drawn->pitch + x])
                    << path << " " << text << " at " << x << "," << y;
        SDL_FreeSurface(drawn);
    }
    EXPECT_EQ(font.height, TTF_FontHeight(real));
    EXPECT_EQ(font.lineSkip, TTF_FontLineSkip(real));
    TTF_CloseFont(real);
}

TEST(Glyphgen, LinesComeOutAsSdlTtfDrawsThem) {
    ASSERT_EQ(TTF_Init(), 0);
    expectSameAsSdlTtf(SMALL_FONT, 12);
    expectSameAsSdlTtf(LARGE_FONT, 16);
    TTF_Quit();
}

} // namespace
