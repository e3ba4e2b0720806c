#include "uigen.h"
#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace uigen {

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

void blit(Image& target, const Image& source, int x, int y) {
    for (int j = 0; j < source.height; ++j)
        for (int i = 0; i < source.width; ++i)
            target.set(x + i, y + j, source.at(i, j));
}

std::vector<std::uint8_t> encodeBmp(const Image& image) {
    const int rowBytes = (image.width * 3 + 3) / 4 * 4;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(rowBytes * image.height);
    const std::uint32_t headerSize = 14 + 40;
    std::vector<std::uint8_t> out;
    out.reserve(headerSize + dataSize);
    auto put16 = [&out](std::uint32_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto put32 = [&put16](std::uint32_t v) {
        put16(v & 0xffff);
        put16(v >> 16);
    };
    out.push_back('B');
    out.push_back('M');
    put32(headerSize + dataSize);
    put32(0);
    put32(headerSize);
    put32(40);
    put32(static_cast<std::uint32_t>(image.width));
    put32(static_cast<std::uint32_t>(image.height)); // positive: rows stored bottom-up
    put16(1);
    put16(24);
    put32(0); // no compression
    put32(dataSize);
    put32(2835); // 72 dpi, in pixels per metre
    put32(2835);
    put32(0);
    put32(0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            Rgb c = image.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (int pad = image.width * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

std::map<std::string, Icon> parseIcons(const std::string& text, const std::string& origin) {
    std::map<char, Rgb> palette;
    std::map<std::string, Icon> icons;
    std::istringstream in(text);
    std::string row;
    int lineNo = 0;
    std::string current; // the icon whose rows are being read, if any
    auto fail = [&](const std::string& why) {
        throw SourceError(origin + ":" + std::to_string(lineNo) + ": " + why);
    };
    while (std::getline(in, row)) {
        ++lineNo;
        if (!row.empty() && row.back() == '\r') row.pop_back();
        if (!current.empty()) {
            if (row.empty()) {
                current.clear();
                continue;
            }
            Icon& icon = icons[current];
            if (icon.height > 0 && static_cast<int>(row.size()) != icon.width)
                fail("row is " + std::to_string(row.size()) + " wide, the icon is " +
                     std::to_string(icon.width));
            icon.width = static_cast<int>(row.size());
            ++icon.height;
            for (char key : row) {
                if (key == '.') {
                    icon.pixels.push_back({});
                    icon.solid.push_back(false);
                    continue;
                }
                auto found = palette.find(key);
                if (found == palette.end()) fail(std::string("unknown colour key '") + key + "'");
                icon.pixels.push_back(found->second);
                icon.solid.push_back(true);
            }
            continue;
        }
        std::istringstream words(row);
        std::string word;
        if (!(words >> word) || word[0] == '#') continue;
        if (word == "colour") {
            std::string key;
            int r = -1, g = -1, b = -1;
            if (!(words >> key >> r >> g >> b) || key.size() != 1)
                fail("expected: colour KEY R G B [name]");
            if (key == ".") fail("'.' is reserved for see-through pixels");
            if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255)
                fail("colour channels run from 0 to 255");
            if (palette.count(key[0])) fail("colour key '" + key + "' is defined twice");
            palette[key[0]] = {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                               static_cast<std::uint8_t>(b)};
        } else if (word == "icon") {
            if (!(words >> current)) fail("expected: icon NAME");
            if (icons.count(current)) fail("icon '" + current + "' is defined twice");
            icons[current] = Icon{};
        } else {
            fail("unknown line '" + word + "'");
        }
    }
    for (const auto& [name, icon] : icons)
        if (icon.height == 0) throw SourceError(origin + ": icon '" + name + "' has no rows");
    return icons;
}

void drawIcon(Image& img, const Icon& icon, int x, int y, int scale) {
    for (int j = 0; j < icon.height; ++j)
        for (int i = 0; i < icon.width; ++i)
            if (icon.solid[j * icon.width + i])
                fillRect(img, x + i * scale, y + j * scale, scale, scale,
                         icon.pixels[j * icon.width + i]);
}

} // namespace uigen
