#include "graphics/SpriteStore.h"
#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include <cstring>

cSpriteStore spriteStore;

namespace {

OpaqueRuns findOpaqueRuns(SDL_Surface* picture) {
    OpaqueRuns found;
    Uint16 key = static_cast<Uint16>(SDL_MapRGB(picture->format, 0, 255, 0));
    SurfaceLock lock(picture);
    for (int y = 0; y < picture->h; ++y) {
        const Uint16* row = reinterpret_cast<const Uint16*>(static_cast<Uint8*>(picture->pixels) +
                                                            y * picture->pitch);
        int x = 0;
        while (x < picture->w) {
            while (x < picture->w && row[x] == key)
                ++x;
            int start = x;
            while (x < picture->w && row[x] != key)
                ++x;
            if (x > start)
                found.runs.push_back({static_cast<Uint16>(y), static_cast<Uint16>(start),
                                      static_cast<Uint16>(x - start)});
        }
    }
    return found;
}

} // namespace

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
        runsByPicture[picture] = findOpaqueRuns(picture);
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
    runsByPicture.clear();
    decoded = 0;
}

const OpaqueRuns* cSpriteStore::opaqueRunsOf(SDL_Surface* picture) const {
    auto known = runsByPicture.find(picture);
    return known == runsByPicture.end() ? nullptr : &known->second;
}

namespace {

// A picture wholly inside the clip, which is almost every one: no run needs clipping,
// and the pitches stay in registers across the copies.
void copyWholeRuns(const SDL_Surface* picture, const OpaqueRuns& runs, SDL_Rect where,
                   SDL_Surface* target) {
    const Uint8* from = static_cast<const Uint8*>(picture->pixels);
    const int fromPitch = picture->pitch, toPitch = target->pitch;
    Uint8* to = static_cast<Uint8*>(target->pixels) + where.y * toPitch + where.x * 2;
    for (const OpaqueRuns::Run& run : runs.runs)
        std::memcpy(to + run.row * toPitch + run.start * 2,
                    from + run.row * fromPitch + run.start * 2,
                    static_cast<size_t>(run.length) * 2);
}

void copyClippedRuns(const SDL_Surface* picture, const OpaqueRuns& runs, SDL_Rect where,
                     SDL_Surface* target) {
    const SDL_Rect& clip = target->clip_rect;
    const int left = clip.x, right = clip.x + clip.w, top = clip.y, bottom = clip.y + clip.h;
    const Uint8* from = static_cast<const Uint8*>(picture->pixels);
    Uint8* to = static_cast<Uint8*>(target->pixels);
    const int fromPitch = picture->pitch, toPitch = target->pitch;
    for (const OpaqueRuns::Run& run : runs.runs) {
        int y = where.y + run.row;
        if (y < top || y >= bottom) continue;
        int x0 = where.x + run.start;
        int x1 = x0 + run.length;
        int skipped = x0 < left ? left - x0 : 0;
        x0 += skipped;
        if (x1 > right) x1 = right;
        if (x0 >= x1) continue;
        std::memcpy(to + y * toPitch + x0 * 2,
                    from + run.row * fromPitch + (run.start + skipped) * 2,
                    static_cast<size_t>(x1 - x0) * 2);
    }
}

} // namespace

void copyOpaqueRuns(SDL_Surface* picture, const OpaqueRuns& runs, SDL_Rect where,
                    SDL_Surface* target) {
    const SDL_Rect& clip = target->clip_rect;
    int left = clip.x, right = clip.x + clip.w, top = clip.y, bottom = clip.y + clip.h;
    if (where.x >= right || where.y >= bottom || where.x + picture->w <= left ||
        where.y + picture->h <= top)
        return;
    SurfaceLock lock(target);
    if (where.x >= left && where.y >= top && where.x + picture->w <= right &&
        where.y + picture->h <= bottom)
        copyWholeRuns(picture, runs, where, target);
    else
        copyClippedRuns(picture, runs, where, target);
}
