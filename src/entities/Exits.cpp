#include "entities/Exits.h"
#include "app/Assets.h"
#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include "player/Player.h"
#include "sound/Sound.h"
#include "world/Game.h"
#include "world/Random.h"

namespace {

constexpr int kImageSize = 11;
// Enough speckles to look alive, few enough that the green still shows through.
constexpr int kMaxSpeckles = 49;

Uint32 portalColour(SDL_Surface* image) {
    int red = randRange(0, 256);
    int green = randRange(0, 256);
    int blue = randRange(0, 256);
    return SDL_MapRGB(image->format, red, green, blue);
}

// Hell is red and ash.
Uint32 hellriftColour(SDL_Surface* image) {
    int shade = randRange(0, 2);
    int v = randRange(0, 256);
    if (shade == 1) return SDL_MapRGB(image->format, v, 0, 0);
    return SDL_MapRGB(image->format, v, v, v);
}

} // namespace

Exit::~Exit() { SDL_FreeSurface(image); }

void Exit::buildImage(Uint32 (*pickColour)(SDL_Surface*)) {
    image =
        SDL_CreateRGBSurface(SDL_SWSURFACE, kImageSize, kImageSize, 16, 0xF800, 0x07E0, 0x001F, 0);
    if (!image) return;
    SDL_FillRect(image, nullptr, SDL_MapRGB(image->format, 0, 255, 0));
    int coloured = 0;
    for (int row = 0; row < kImageSize; ++row) {
        for (int column = 0; column < kImageSize; ++column) {
            // Every cell draws its colour, kept or not, so the draws that follow (the
            // rest of the map) land the same for a given seed.
            Uint32 colour = pickColour(image);
            if (randRange(0, 101) <= 50) continue;
            if (coloured >= kMaxSpeckles) return;
            putPixel(image, column, row, colour);
            ++coloured;
        }
    }
}

// The old level is torn down first: the new one's generator makes itself current and
// registers its own entities. `this` belongs to the retired level and stays valid until
// the frame ends, but the old level must not be looked at after the destroy.
void Exit::switchLevel(int target, const char* soundPath) {
    game.destroyCurrentLevel();
    sound.play(soundPath);
    player.levelCount += 1;
    game.enterLevel(target);
}

Portal::Portal() : Exit(KindPortal, randRange(25, 60)) {
    buildImage(portalColour);
    setColourKey(image);
}

void Portal::hit(int) { switchLevel(3, assets::portal); }

Hellrift::Hellrift() : Exit(KindHellrift, randRange(25, 45)) {
    buildImage(hellriftColour);
    setColourKey(image);
}

void Hellrift::hit(int) { switchLevel(4, assets::hellrift); }
