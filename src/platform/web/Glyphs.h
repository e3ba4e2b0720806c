#pragma once
#include <cstdint>
#include <cstdio>
#include <vector>

// A font at one size as SDL_ttf 2.0.11 lays it out: each Latin-1 glyph's 8-bit coverage
// and metrics, the font's height and ascent, and the kerning of every pair that has
// some. The native SDL_ttf and FreeType capture it on the build machine
// (tools/glyphgen), so that the page draws its text with the desktop's very pixels
// without carrying a font engine.
namespace glyphs {

struct Glyph {
    int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
    bool inFont = false; // the font has a glyph of its own here, which kerning needs
    int width = 0, rows = 0;
    std::vector<std::uint8_t> coverage; // rows x width, 0 (none) to 255 (full)
};

struct Font {
    int height = 0, ascent = 0, descent = 0, lineSkip = 0;
    Glyph glyphs[256];
    std::vector<std::int8_t> kerning =
        std::vector<std::int8_t>(256 * 256); // [left * 256 + right], pixels

    int kern(std::uint8_t left, std::uint8_t right) const { return kerning[left * 256 + right]; }
};

// One rendered line: coverage values, `pitch` bytes a row.
struct Line {
    int width = 0, height = 0, pitch = 0;
    std::vector<std::uint8_t> pixels;
};

struct Size {
    int width, height;
};

// The size SDL_ttf gives the text (TTF_SizeText); width 0 for nothing to draw.
Size sizeOf(const Font& font, const char* latin1);

// The text as TTF_RenderText_Shaded lays it out, before the palette: width 0 when it
// would render nothing.
Line layOut(const Font& font, const char* latin1);

bool read(std::FILE* in, Font& font);
void write(std::FILE* out, const Font& font);

} // namespace glyphs
