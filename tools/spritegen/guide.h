#pragma once
// Pictures for the player's guide (docs/playing.md): the game's own sprites and
// interface pictures, enlarged and set on the ground they are seen on in play.
#include "spritegen.h"

namespace spritegen {

using NamedImage = std::pair<std::string, Image>;

// Every picture the guide shows, by file name without ".png". `interfaces` are the
// interface BMPs by file name ("hud.bmp", "noson.bmp", ...). A sprite or interface
// picture that the guide needs and that is missing throws std::runtime_error.
std::vector<NamedImage> makeGuidePictures(const std::vector<Sprite>& sprites,
                                          const std::vector<NamedImage>& interfaces);

} // namespace spritegen
