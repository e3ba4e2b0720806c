#include "platform/web/Glyphs.h"
#include <algorithm>
#include <cstring>

namespace glyphs {

namespace {

const std::uint8_t* bytesOf(const char* text) {
    return reinterpret_cast<const std::uint8_t*>(text);
}

// Kerning needs both glyphs in the font: a character it lacks gets its box, unkerned.
int kerningBefore(const Font& font, const std::uint8_t* at, const std::uint8_t* text) {
    if (at == text) return 0;
    const bool both = font.glyphs[at[-1]].inFont && font.glyphs[*at].inFont;
    return both ? font.kern(at[-1], *at) : 0;
}

// ORs a glyph's coverage in with its top-left corner at (x, y). As in SDL_ttf, a pixmap
// reported wider than its box is cut to the box, and a row may run on into the next
// one but never past the end of the line.
void stamp(Line& line, const Glyph& glyph, int x, int y) {
    const int width = std::min(glyph.width, glyph.maxx - glyph.minx);
    const long end = static_cast<long>(line.pixels.size());
    for (int row = 0; row < glyph.rows; ++row) {
        if (y + row < 0 || y + row >= line.height) continue;
        long at = static_cast<long>(y + row) * line.pitch + x;
        const std::uint8_t* from = &glyph.coverage[static_cast<size_t>(row * glyph.width)];
        for (int col = 0; col < width && at < end; ++col, ++at)
            if (at >= 0) line.pixels[static_cast<size_t>(at)] |= from[col];
    }
}

} // namespace

// The font's height, unless a glyph reaches further below the ascent.
Size sizeOf(const Font& font, const char* latin1) {
    const std::uint8_t* text = bytesOf(latin1);
    int x = 0, minx = 0, maxx = 0, miny = 0;
    for (const std::uint8_t* c = text; *c; ++c) {
        const Glyph& glyph = font.glyphs[*c];
        x += kerningBefore(font, c, text);
        minx = std::min(minx, x + glyph.minx);
        maxx = std::max(maxx, x + std::max(glyph.advance, glyph.maxx));
        miny = std::min(miny, glyph.miny);
        x += glyph.advance;
    }
    return {maxx - minx, std::max(font.height, font.ascent - miny)};
}

Line layOut(const Font& font, const char* latin1) {
    Line line;
    const Size size = sizeOf(font, latin1);
    if (size.width <= 0) return Line{};
    line.width = size.width;
    line.height = size.height;
    line.pitch = (line.width + 3) & ~3; // SDL's 4-byte rows, which a long glyph runs into
    line.pixels.assign(static_cast<size_t>(line.pitch * line.height), 0);
    const std::uint8_t* text = bytesOf(latin1);
    int x = 0;
    for (const std::uint8_t* c = text; *c; ++c) {
        const Glyph& glyph = font.glyphs[*c];
        x += kerningBefore(font, c, text);
        if (c == text && glyph.minx < 0) x -= glyph.minx; // the first glyph starts inside
        stamp(line, glyph, x + glyph.minx, font.ascent - glyph.maxy);
        x += glyph.advance;
    }
    return line;
}

// The file: the font's four numbers, then each of the 256 glyphs (five metrics, whether
// the font has it, its size and coverage), then the kerned pairs. Little-endian.
namespace {

void put(std::FILE* out, int value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        std::fputc((value >> (8 * i)) & 0xFF, out);
}

bool get(std::FILE* in, int& value, int bytes) {
    unsigned raw = 0;
    for (int i = 0; i < bytes; ++i) {
        int c = std::fgetc(in);
        if (c == EOF) return false;
        raw |= static_cast<unsigned>(c) << (8 * i);
    }
    const unsigned sign = 1u << (8 * bytes - 1);
    value = static_cast<int>((raw ^ sign) - sign); // every field is signed
    return true;
}

const char kMagic[4] = {'V', 'G', 'L', '1'};

} // namespace

void write(std::FILE* out, const Font& font) {
    std::fwrite(kMagic, 1, 4, out);
    for (int value : {font.height, font.ascent, font.descent, font.lineSkip})
        put(out, value, 2);
    for (const Glyph& g : font.glyphs) {
        for (int value : {g.minx, g.maxx, g.miny, g.maxy, g.advance})
            put(out, value, 2);
        for (int value : {g.inFont ? 1 : 0, g.width, g.rows})
            put(out, value, 2);
        if (!g.coverage.empty()) // a space has no pixels, and no buffer to point at
            std::fwrite(g.coverage.data(), 1, g.coverage.size(), out);
    }
    int pairs = static_cast<int>(std::count_if(font.kerning.begin(), font.kerning.end(),
                                               [](std::int8_t k) { return k != 0; }));
    put(out, pairs, 4);
    for (int i = 0; i < 256 * 256; ++i)
        if (font.kerning[static_cast<size_t>(i)] != 0) {
            put(out, i, 4);
            put(out, font.kerning[static_cast<size_t>(i)], 1);
        }
}

bool read(std::FILE* in, Font& font) {
    char magic[4];
    if (std::fread(magic, 1, 4, in) != 4 || std::memcmp(magic, kMagic, 4) != 0) return false;
    bool whole = get(in, font.height, 2) && get(in, font.ascent, 2) && get(in, font.descent, 2) &&
                 get(in, font.lineSkip, 2);
    for (Glyph& g : font.glyphs) {
        int inFont = 0;
        whole = whole && get(in, g.minx, 2) && get(in, g.maxx, 2) && get(in, g.miny, 2) &&
                get(in, g.maxy, 2) && get(in, g.advance, 2) && get(in, inFont, 2) &&
                get(in, g.width, 2) && get(in, g.rows, 2) && g.width >= 0 && g.rows >= 0;
        if (!whole) return false;
        g.inFont = inFont != 0;
        g.coverage.resize(static_cast<size_t>(g.width * g.rows));
        whole = std::fread(g.coverage.data(), 1, g.coverage.size(), in) == g.coverage.size();
    }
    int pairs = 0;
    whole = whole && get(in, pairs, 4);
    for (int i = 0; whole && i < pairs; ++i) {
        int at = 0, kern = 0;
        whole = get(in, at, 4) && get(in, kern, 1) && at >= 0 && at < 256 * 256;
        if (whole) font.kerning[static_cast<size_t>(at)] = static_cast<std::int8_t>(kern);
    }
    return whole;
}

} // namespace glyphs
