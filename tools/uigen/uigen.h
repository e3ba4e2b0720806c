#pragma once
// The interface picture generator: the HUD, the NOS gauge, the panels, the speech box
// and the menu pictures are composed here from drawing code, the game's own fonts and
// the small icons drawn as text in assets/ui.
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct _TTF_Font;

namespace uigen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// `t` runs from 0 (all a) to 255 (all b).
Rgb mix(Rgb a, Rgb b, int t);
Rgb shade(Rgb c, int delta); // lighter for positive delta, darker for negative

struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> pixels; // row-major, top row first

    Image() = default;
    Image(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(w * h, fill) {}
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

// Shapes. Rectangles are given as x, y, width, height.
void fillRect(Image& img, int x, int y, int w, int h, Rgb c);
void frameRect(Image& img, int x, int y, int w, int h, Rgb c);
void fillRoundRect(Image& img, int x, int y, int w, int h, int radius, Rgb c);
void verticalGradient(Image& img, int x, int y, int w, int h, Rgb top, Rgb bottom);
// A fixed pseudo-random grain, so paper and grass are not flat yet every build matches.
void grain(Image& img, int x, int y, int w, int h, int strength, std::uint32_t seed);
void line(Image& img, int x0, int y0, int x1, int y1, Rgb c);
void fillEllipse(Image& img, int cx, int cy, int rx, int ry, Rgb c);
void blit(Image& target, const Image& source, int x, int y);

// Uncompressed 24-bit Windows BMP, the format the game loads.
std::vector<std::uint8_t> encodeBmp(const Image& image);

// A small picture drawn as text: pixels that are not solid let the background through.
struct Icon {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    std::vector<bool> solid;
};

struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "colour KEY R G B [name]" lines and "icon NAME" blocks of rows ending at a blank
// line; '.' is always see-through. Mistakes are reported with file and line.
std::map<std::string, Icon> parseIcons(const std::string& text, const std::string& origin);
void drawIcon(Image& img, const Icon& icon, int x, int y, int scale = 1);

// One of the game's fonts at one size. Text is given in UTF-8.
class Font {
  public:
    Font(const std::string& path, int points, bool bold = false);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    int width(const std::string& text) const;
    int height() const;
    // Smooth edges blended into what is already there; returns the width drawn.
    int draw(Image& img, int x, int y, const std::string& text, Rgb colour) const;
    void drawCentred(Image& img, int centreX, int y, const std::string& text, Rgb colour) const;
    // A dark rim round bright lettering, for titles that sit on busy backgrounds.
    void drawOutlined(Image& img, int x, int y, const std::string& text, Rgb colour, Rgb rim) const;

  private:
    _TTF_Font* font_ = nullptr;
};

// Opens and closes SDL_ttf around the fonts' lifetime.
struct TtfSession {
    TtfSession();
    ~TtfSession();
    TtfSession(const TtfSession&) = delete;
    TtfSession& operator=(const TtfSession&) = delete;
};

struct Kit {
    std::string smallFontPath; // DejaVu Sans, the game's HUD and speech font
    std::string largeFontPath; // Linux Libertine, the game's panel and menu font
    std::map<std::string, Icon> icons;
    const Icon& icon(const std::string& name) const;
};

// Every interface picture, by its path under the game's sprites/ folder.
std::vector<std::pair<std::string, Image>> makePictures(const Kit& kit);

// Where the game puts things on these pictures; the pictures are drawn around them.
namespace layout {
struct Rect {
    int x, y, w, h;
};
inline constexpr int kHudTop = 216;
inline constexpr int kHudNumberX[4] = {33, 87, 166, 220};
inline constexpr int kNosX = 277, kNosY = 213;
inline constexpr int kPanelX = 16, kPanelY = 14;
inline constexpr int kPanelTextX = 42, kPanelFirstLineY = 34, kPanelLineStep = 14;
inline constexpr int kSpeechX = 10, kSpeechY = 164, kSpeechTextX = 20, kSpeechTextY = 172;
inline constexpr Rect kMenuEntries[6] = {{165, 15, 143, 27},  {165, 51, 143, 27},
                                         {165, 86, 143, 27},  {165, 122, 143, 27},
                                         {165, 159, 143, 27}, {165, 193, 143, 34}};
inline constexpr int kMenuPageTextX = 26;
} // namespace layout

} // namespace uigen
