#include "app/Assets.h"
#include "app/Loop.h"
#include "entities/Animals.h"
#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include "graphics/SpriteStore.h"
#include "player/Player.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <gtest/gtest.h>

namespace {

// A colour that is not pure green but lands on the screen's green would turn into a
// hole in the picture once the store converts it to 16 bits.
int pixelsThatTurnTransparent(SDL_Surface* image, SDL_PixelFormat* screenFormat) {
    Uint32 key = SDL_MapRGB(screenFormat, 0, 255, 0);
    int holes = 0;
    for (int y = 0; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x) {
            Rgb c = pixelAt(image, x, y);
            if (c == Rgb{0, 255, 0}) continue;
            if (SDL_MapRGB(screenFormat, Uint8(c.r), Uint8(c.g), Uint8(c.b)) == key) ++holes;
        }
    return holes;
}

} // namespace

TEST(SpriteStore, NoPictureGainsTransparentPixelsInTheScreensFormat) {
    for (const char* path : assets::allImages()) {
        SDL_Surface* image = loadSprite(path);
        ASSERT_NE(image, nullptr) << path;
        EXPECT_EQ(pixelsThatTurnTransparent(image, screen->format), 0) << path;
        SDL_FreeSurface(image);
    }
}

TEST(SpriteStore, EntitiesShareOnePictureAndALevelSwitchDecodesNothingNew) {
    resetGame();
    enterLevelWithSeed(4, 3);
    Cat* first = nullptr;
    for (BaseEntity* entity : game.currentLevel->entities) {
        if (entity->kind != KindCat) continue;
        auto* cat = static_cast<Cat*>(entity);
        if (!first)
            first = cat;
        else
            EXPECT_EQ(cat->currentSprite(), first->currentSprite());
    }
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->currentSprite()->format->BitsPerPixel, screen->format->BitsPerPixel);
    int decoded = spriteStore.decodedCount();
    enterLevelWithSeed(4, 3);
    EXPECT_EQ(spriteStore.decodedCount(), decoded);
    resetGame();
}

TEST(SpriteStore, BloodStainsOnlyTheCarsOwnCopies) {
    resetGame();
    SDL_Surface* shared = spriteStore.shared(assets::carImages[0]);
    ASSERT_NE(player.sprites[1], shared);
    SDL_Surface* before = SDL_ConvertSurface(shared, shared->format, 0);
    for (int kill = 0; kill < 20; ++kill)
        paintBlood(player.sprites);
    for (int y = 0; y < shared->h; ++y)
        for (int x = 0; x < shared->w; ++x)
            ASSERT_EQ(getPixel(shared, x, y), getPixel(before, x, y)) << x << "," << y;
    SDL_FreeSurface(before);
    resetGame();
}
