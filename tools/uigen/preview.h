#pragma once
// Mock screens: the interface pictures placed where the game puts them, with the
// game's text drawn on them the way the game draws it, for people to review.
#include "uigen.h"

namespace uigen {

// The main list's highlight as the game applies it: the green of every pixel brighter
// than 50 in any channel drops by 30, wrapping like the byte it is.
void highlightEntry(Image& img, const layout::Rect& r);

// Text as the game draws it: rendered on black, black keyed out. Latin-1 text.
void gameText(Image& img, const std::string& fontPath, int points, int x, int y,
              const std::string& text, Rgb colour);

std::vector<std::pair<std::string, Image>>
makePreviews(const Kit& kit, const std::vector<std::pair<std::string, Image>>& pictures);

} // namespace uigen
