#include "pixelart/image.h"

#include <algorithm>

namespace pixelart {

namespace {

std::uint8_t clampByte(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

} // namespace

Rgb mix(Rgb a, Rgb b, int t) {
    t = std::clamp(t, 0, 255);
    auto channel = [t](int from, int to) {
        return clampByte(from + ((to - from) * t + 127) / 255);
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

Rgb shade(Rgb c, int delta) {
    return {clampByte(c.r + delta), clampByte(c.g + delta), clampByte(c.b + delta)};
}

Image scaled(const Image& image, int factor) {
    Image big(image.width * factor, image.height * factor);
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x)
            big.set(x, y, image.at(x / factor, y / factor));
    return big;
}

void stamp(Image& canvas, const Image& picture, int x, int y) {
    for (int j = 0; j < picture.height; ++j)
        for (int i = 0; i < picture.width; ++i)
            if (picture.at(i, j) != kTransparent) canvas.set(x + i, y + j, picture.at(i, j));
}

} // namespace pixelart
