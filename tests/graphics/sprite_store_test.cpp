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
#include <cstring>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

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

// The runs' copy must put every picture down as a blit does: whole or cut by any edge
// of the clip, its left edge on an even column or an odd, into a pitch of its own.
TEST(SpriteStore, CopiedRunsDrawWhatABlitDraws) {
    const SDL_PixelFormat* f = screen->format;
    auto canvas = [f] {
        SDL_Surface* s = SDL_CreateRGBSurface(0, 100, 80, 16, f->Rmask, f->Gmask, f->Bmask, 0);
        SDL_Rect clip{10, 8, 80, 64};
        SDL_SetClipRect(s, &clip);
        return s;
    };
    SDL_Surface *blitted = canvas(), *copied = canvas();
    for (const char* path : assets::allImages()) {
        SDL_Surface* picture = spriteStore.shared(path);
        const OpaqueRuns* runs = spriteStore.opaqueRunsOf(picture);
        if (!runs) continue;
        // Across the screen at every column, and down it at every row.
        std::vector<std::pair<int, int>> corners;
        for (int x = -picture->w; x <= 100; ++x)
            corners.insert(corners.end(), {{x, 20}, {x, 8 - picture->h / 2}});
        for (int y = -picture->h; y <= 80; ++y)
            corners.insert(corners.end(), {{30, y}, {31, y}});
        for (auto [x, y] : corners) {
            SDL_FillRect(blitted, nullptr, 0x1234);
            SDL_FillRect(copied, nullptr, 0x1234);
            SDL_Rect where{Sint16(x), Sint16(y), 0, 0};
            SDL_BlitSurface(picture, nullptr, blitted, &where);
            SDL_LockSurface(copied);
            copyOpaqueRuns(picture, *runs, {Sint16(x), Sint16(y), 0, 0}, copied);
            SDL_UnlockSurface(copied);
            ASSERT_EQ(0, std::memcmp(blitted->pixels, copied->pixels, 80 * blitted->pitch))
                << path << " at " << x << "," << y;
        }
    }
    SDL_FreeSurface(blitted);
    SDL_FreeSurface(copied);
}
