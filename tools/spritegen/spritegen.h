#pragma once
// The sprite generator: readable text pictures in, game BMPs and a contact sheet out.
#include "pixelart/source.h"

#include <string>
#include <utility>
#include <vector>

namespace spritegen {

using pixelart::Image;
using pixelart::kTransparent;
using pixelart::Palette;
using pixelart::parsePalette;
using pixelart::Rgb;
using pixelart::SourceError;

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

// A square `size` x `size` picture of `sprite` enlarged by the largest whole step that
// fits, centred on a transparent ground; throws std::invalid_argument when it cannot fit.
Image makeIcon(const Image& sprite, int size);

// Sprites at `scale` with their paths as labels, then the interface pictures at 1x.
Image makeContactSheet(const std::vector<Sprite>& sprites,
                       const std::vector<std::pair<std::string, Image>>& interfaces, int scale);

} // namespace spritegen
