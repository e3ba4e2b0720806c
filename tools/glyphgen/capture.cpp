#include "capture.h"
#include <SDL/SDL_ttf.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <memory>
#include <stdexcept>

namespace glyphgen {

namespace {

void captureGlyph(TTF_Font* font, FT_Face face, int code, glyphs::Glyph& glyph) {
    const Uint16 ch = static_cast<Uint16>(code);
    TTF_GlyphMetrics(font, ch, &glyph.minx, &glyph.maxx, &glyph.miny, &glyph.maxy, &glyph.advance);
    glyph.inFont = FT_Get_Char_Index(face, static_cast<FT_ULong>(code)) != 0;
    const SDL_Color white = {255, 255, 255, 0}, black = {0, 0, 0, 0};
    // Shaded against black, the pixels are the coverage itself (palette index 0 to 255).
    SDL_Surface* pixmap = TTF_RenderGlyph_Shaded(font, ch, white, black);
    if (!pixmap) return;
    glyph.width = pixmap->w;
    glyph.rows = pixmap->h;
    for (int y = 0; y < pixmap->h; ++y) {
        const Uint8* row = static_cast<const Uint8*>(pixmap->pixels) + y * pixmap->pitch;
        glyph.coverage.insert(glyph.coverage.end(), row, row + pixmap->w);
    }
    SDL_FreeSurface(pixmap);
}

// SDL_ttf asks FreeType for each pair's grid-fitted kerning at the font's size and
// moves by its whole pixels; the pairs are asked the same way here.
void captureKerning(FT_Face face, int points, glyphs::Font& font) {
    if (!FT_HAS_KERNING(face) || FT_Set_Char_Size(face, 0, points * 64, 0, 0) != 0) return;
    for (int left = 1; left < 256; ++left) {
        FT_UInt leftIndex = FT_Get_Char_Index(face, static_cast<FT_ULong>(left));
        for (int right = 1; leftIndex && right < 256; ++right) {
            FT_UInt rightIndex = FT_Get_Char_Index(face, static_cast<FT_ULong>(right));
            FT_Vector delta;
            if (!rightIndex ||
                FT_Get_Kerning(face, leftIndex, rightIndex, FT_KERNING_DEFAULT, &delta))
                continue;
            font.kerning[static_cast<size_t>(left * 256 + right)] =
                static_cast<std::int8_t>(delta.x >> 6);
        }
    }
}

} // namespace

glyphs::Font capture(const std::string& path, int points) {
    std::unique_ptr<TTF_Font, void (*)(TTF_Font*)> font(TTF_OpenFont(path.c_str(), points),
                                                        TTF_CloseFont);
    FT_Library library;
    FT_Face face;
    if (!font || FT_Init_FreeType(&library) != 0) throw std::runtime_error(path + ": cannot open");
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        throw std::runtime_error(path + ": FreeType cannot open it");
    }
    glyphs::Font captured;
    captured.height = TTF_FontHeight(font.get());
    captured.ascent = TTF_FontAscent(font.get());
    captured.descent = TTF_FontDescent(font.get());
    captured.lineSkip = TTF_FontLineSkip(font.get());
    for (int code = 1; code < 256; ++code)
        captureGlyph(font.get(), face, code, captured.glyphs[code]);
    captureKerning(face, points, captured);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return captured;
}

} // namespace glyphgen
