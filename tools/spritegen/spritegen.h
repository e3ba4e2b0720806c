#pragma once
// The sprite generator: readable text pictures in, game BMPs and a contact sheet out.
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace spritegen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// The game keys this exact colour out of every sprite; nothing visible may use it.
inline constexpr Rgb kTransparent{0, 255, 0};
// The one palette key that always means "no pixel here".
inline constexpr char kTransparentKey = '.';

struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> pixels; // row-major, top row first

    Image() = default;
    Image(int w, int h, Rgb fill = kTransparent) : width(w), height(h), pixels(w * h, fill) {}
    Rgb at(int x, int y) const { return pixels[y * width + x]; }
    void set(int x, int y, Rgb c) { pixels[y * width + x] = c; }
    bool operator==(const Image& o) const {
        return width == o.width && height == o.height && pixels == o.pixels;
    }
};

// Every mistake in a source names the file and line, so an artist can fix it directly.
struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

using Palette = std::map<char, Rgb>;

// One "sprite" block: either a drawn grid or a copy of another sprite through exact
// transforms (mirror, flip, rot90, rot180, rot270).
struct SpriteDef {
    std::string path;  // relative to the game's sprites/ folder, without ".bmp"
    std::string where; // "file:line" of the header, for messages
    Image image;
    std::string from;
    std::vector<std::string> ops;
};

struct Sprite {
    std::string path;
    Image image;
};

// "colour KEY R G B [name]" lines, blank lines and "#" comments.
Palette parsePalette(const std::string& text, const std::string& origin);
// A sprite file: its own colour lines (extending the shared palette for this file only)
// and sprite blocks.
std::vector<SpriteDef> parseSprites(const std::string& text, const std::string& origin,
                                    const Palette& shared);
// Turns copies into pictures and rejects duplicate or unknown paths.
std::vector<Sprite> resolveSprites(const std::vector<SpriteDef>& defs);

Image mirror(const Image& image);                         // left <-> right
Image flip(const Image& image);                           // top <-> bottom
Image rotate90(const Image& image);                       // clockwise
Image applyOp(const Image& image, const std::string& op); // throws std::invalid_argument

std::vector<std::uint8_t> encodeBmp(const Image& image);
// Reads the uncompressed 8-, 24- and 32-bit BMPs the game uses; throws std::runtime_error.
Image decodeBmp(const std::vector<std::uint8_t>& bytes);
// RGB, or with `keyedAlpha` RGBA in which the game's transparent colour is see-through.
std::vector<std::uint8_t> encodePng(const Image& image, bool keyedAlpha = false);
std::uint32_t crc32(const std::uint8_t* data, std::size_t size);

// A square `size` x `size` picture of `sprite` enlarged by the largest whole step that
// fits, centred on a transparent ground; throws std::invalid_argument when it cannot fit.
Image makeIcon(const Image& sprite, int size);

// Sprites at `scale` with their paths as labels, then the interface pictures at 1x.
Image makeContactSheet(const std::vector<Sprite>& sprites,
                       const std::vector<std::pair<std::string, Image>>& interfaces, int scale);

} // namespace spritegen
