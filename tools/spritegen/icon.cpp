#include "spritegen.h"

#include <algorithm>

namespace spritegen {

// Whole steps keep the pixel art crisp: every sprite pixel becomes a square block.
Image makeIcon(const Image& sprite, int size) {
    const int scale = std::min(size / sprite.width, size / sprite.height);
    if (scale < 1)
        throw std::invalid_argument("a " + std::to_string(sprite.width) + "x" +
                                    std::to_string(sprite.height) + " sprite does not fit a " +
                                    std::to_string(size) + " pixel icon");
    Image icon(size, size);
    pixelart::stamp(icon, pixelart::scaled(sprite, scale), (size - sprite.width * scale) / 2,
                    (size - sprite.height * scale) / 2);
    return icon;
}

} // namespace spritegen
