#include "graphics/SpriteStore.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Menu.h"
#include "screens/Shop.h"

cSpriteStore spriteStore;

SDL_Surface* toScreenFormat(SDL_Surface* loaded) {
    if (!loaded || !SDL_GetVideoSurface()) return loaded;
    SDL_Surface* converted = SDL_DisplayFormat(loaded);
    if (!converted) return loaded;
    SDL_FreeSurface(loaded);
    return converted;
}

SDL_Surface* cSpriteStore::shared(const char* path) {
    auto known = byAddress.find(path);
    if (known != byAddress.end()) return known->second;
    SDL_Surface*& picture = byPath[path];
    if (!picture) {
        picture = toScreenFormat(loadSprite(path));
        if (!picture) return nullptr;
        // Keyed after the conversion, so the key is the screen's own green.
        setColourKey(picture);
        ++decoded;
    }
    byAddress[path] = picture;
    return picture;
}

SDL_Surface* cSpriteStore::ownCopy(const char* path) {
    SDL_Surface* original = shared(path);
    if (!original) return nullptr;
    SDL_Surface* copy = SDL_ConvertSurface(original, original->format, SDL_SWSURFACE);
    setColourKey(copy);
    return copy;
}

void cSpriteStore::release() {
    for (auto& entry : byPath)
        SDL_FreeSurface(entry.second);
    byPath.clear();
    byAddress.clear();
    decoded = 0;
}

void loadGameImages() {
    player.reloadSprites();
    walker.loadImages();
    menu.menuImage = toScreenFormat(menu.menuImage);
    menu.pageImage = toScreenFormat(menu.pageImage);
    menu.resumeImage = toScreenFormat(menu.resumeImage);
    shop.screenImage = toScreenFormat(shop.screenImage);
}
