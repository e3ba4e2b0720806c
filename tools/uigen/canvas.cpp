#include "uigen.h"
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace uigen {

void fillRect(Image& img, int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            img.set(i, j, c);
}

void frameRect(Image& img, int x, int y, int w, int h, Rgb c) {
    fillRect(img, x, y, w, 1, c);
    fillRect(img, x, y + h - 1, w, 1, c);
    fillRect(img, x, y, 1, h, c);
    fillRect(img, x + w - 1, y, 1, h, c);
}

void fillRoundRect(Image& img, int x, int y, int w, int h, int radius, Rgb c) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            // Distance into the corner square, measured from the corner's circle centre.
            int dx = std::max({radius - 1 - i, i - (w - radius), 0});
            int dy = std::max({radius - 1 - j, j - (h - radius), 0});
            if (dx * dx + dy * dy <= radius * radius - radius) img.set(x + i, y + j, c);
        }
    }
}

void verticalGradient(Image& img, int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int j = 0; j < h; ++j)
        fillRect(img, x, y + j, w, 1, mix(top, bottom, h > 1 ? j * 255 / (h - 1) : 0));
}

void grain(Image& img, int x, int y, int w, int h, int strength, std::uint32_t seed) {
    std::uint32_t state = seed * 2654435761u + 1u;
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            if (!img.contains(i, j)) continue;
            int delta = static_cast<int>(state % (2u * strength + 1u)) - strength;
            img.set(i, j, shade(img.at(i, j), delta));
        }
    }
}

void line(Image& img, int x0, int y0, int x1, int y1, Rgb c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        img.set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void fillEllipse(Image& img, int cx, int cy, int rx, int ry, Rgb c) {
    for (int j = -ry; j <= ry; ++j)
        for (int i = -rx; i <= rx; ++i)
            if (i * i * ry * ry + j * j * rx * rx <= rx * rx * ry * ry) img.set(cx + i, cy + j, c);
}

std::map<std::string, Image> parseIcons(const std::string& text, const std::string& origin) {
    std::map<std::string, Image> icons;
    for (auto& block : pixelart::parseBlocks(text, origin, "icon", {})) {
        if (!block.more.empty()) throw SourceError(block.where + ": expected: icon NAME");
        if (!icons.emplace(block.name, std::move(block.image)).second)
            throw SourceError(block.where + ": icon '" + block.name + "' is defined twice");
    }
    return icons;
}

} // namespace uigen
