#pragma once
#include "platform/web/Glyphs.h"
#include <string>

namespace glyphgen {

// The font file at `points` as this machine's SDL_ttf lays it out. TTF_Init must have
// run. Throws std::runtime_error when the font cannot be opened.
glyphs::Font capture(const std::string& path, int points);

} // namespace glyphgen
