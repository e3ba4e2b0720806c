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
    const int left = (size - sprite.width * scale) / 2;
    const int top = (size - sprite.height * scale) / 2;
    for (int y = 0; y < sprite.height * scale; ++y)
        for (int x = 0; x < sprite.width * scale; ++x)
            icon.set(left + x, top + y, sprite.at(x / scale, y / scale));
    return icon;
}

} // namespace spritegen
