#pragma once
// The uncompressed 24-bit BMPs the game loads, written and read by SDL itself.
#include "pixelart/image.h"

#include <string>

namespace pixelart {

// Both throw std::runtime_error with SDL's reason.
void saveBmp(const std::string& path, const Image& image);
Image loadBmp(const std::string& path);

} // namespace pixelart
