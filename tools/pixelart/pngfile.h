#pragma once
// PNG pictures for people (icons, the contact sheet, the guide), through libpng.
#include "pixelart/image.h"

#include <string>

namespace pixelart {

// RGB, or with `keyedAlpha` RGBA in which the game's transparent colour is see-through.
// Throws std::runtime_error with libpng's reason.
void savePng(const std::string& path, const Image& image, bool keyedAlpha = false);
// See-through pixels come back as the transparent colour.
Image loadPng(const std::string& path);

} // namespace pixelart
