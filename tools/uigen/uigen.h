#pragma once
// The interface picture generator: the HUD, the NOS gauge, the panels, the speech box
// and the menu pictures are composed here from drawing code, the game's own fonts and
// the small icons drawn as text in assets/ui.
#include "pixelart/source.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct _TTF_Font;

namespace uigen {

using pixelart::Image;
using pixelart::kTransparent;
using pixelart::mix;
using pixelart::Rgb;
using pixelart::shade;
using pixelart::SourceError;
using pixelart::stamp;

// Shapes. Rectangles are given as x, y, width, height.
void fillRect(Image& img, int x, int y, int w, int h, Rgb c);
void frameRect(Image& img, int x, int y, int w, int h, Rgb c);
void fillRoundRect(Image& img, int x, int y, int w, int h, int radius, Rgb c);
void verticalGradient(Image& img, int x, int y, int w, int h, Rgb top, Rgb bottom);
// A fixed pseudo-random grain, so paper and grass are not flat yet every build matches.
void grain(Image& img, int x, int y, int w, int h, int strength, std::uint32_t seed);
void line(Image& img, int x0, int y0, int x1, int y1, Rgb c);
void fillEllipse(Image& img, int cx, int cy, int rx, int ry, Rgb c);

// The small pictures drawn as text in "icon NAME" blocks, by name; their see-through
// pixels hold the transparent colour.
std::map<std::string, Image> parseIcons(const std::string& text, const std::string& origin);

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
    std::map<std::string, Image> icons;
    bool handheld = false; // the handheld's buttons in the legends, not the keyboard's keys
    const Image& icon(const std::string& name) const;
    // What goes back and leaves the shop: the handheld's X button, the keyboard's b.
    const char* backKey() const { return handheld ? "X" : "B"; }
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
