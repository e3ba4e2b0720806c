#pragma once
// The pixel art both picture generators draw with: plain RGB colours and pictures,
// with one colour kept back to mean "no pixel here".
#include <cstdint>
#include <vector>

namespace pixelart {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// The game keys this exact colour out of every sprite; nothing visible may use it.
inline constexpr Rgb kTransparent{0, 255, 0};

// `t` runs from 0 (all a) to 255 (all b).
Rgb mix(Rgb a, Rgb b, int t);
Rgb shade(Rgb c, int delta); // lighter for positive delta, darker for negative

struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> pixels; // row-major, top row first

    Image() = default;
    Image(int w, int h, Rgb fill = kTransparent) : width(w), height(h), pixels(w * h, fill) {}
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Rgb at(int x, int y) const { return pixels[y * width + x]; }
    // Drawing clips silently: shapes are often placed partly off a small picture.
    void set(int x, int y, Rgb c) {
        if (contains(x, y)) pixels[y * width + x] = c;
    }
    void blend(int x, int y, Rgb c, int alpha) {
        if (contains(x, y)) set(x, y, mix(at(x, y), c, alpha));
    }
    bool operator==(const Image& o) const {
        return width == o.width && height == o.height && pixels == o.pixels;
    }
    bool operator!=(const Image& o) const { return !(*this == o); }
};

// Every pixel becomes a `factor` x `factor` block: pixel art enlarged stays crisp.
Image scaled(const Image& image, int factor);
// Puts `picture` on `canvas` with its top-left corner at x, y; the key colour lets the
// canvas through, as it lets the ground through in the game.
void stamp(Image& canvas, const Image& picture, int x, int y);

} // namespace pixelart
