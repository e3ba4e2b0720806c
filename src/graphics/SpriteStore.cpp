#include "graphics/SpriteStore.h"
#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include <algorithm>
#include <cstdint>
#include <cstring>

cSpriteStore spriteStore;

namespace {

OpaqueRuns findOpaqueRuns(SDL_Surface* picture) {
    OpaqueRuns found;
    found.picture = picture;
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

// SDL 1.2 leaves a word of every surface unused (unused1): a shared picture keeps its
// runs' number there, one more than their place in the store, so a draw reaches them
// directly. The browser's SDL has no such word, and its 32-bit pictures no runs.
template <typename Surface> auto spareWord(Surface* surface, int) -> decltype(&surface->unused1) {
    return &surface->unused1;
}
template <typename Surface> Uint32* spareWord(Surface*, long) { return nullptr; }

} // namespace

SDL_Surface* toScreenFormat(SDL_Surface* loaded) {
    if (!loaded || !SDL_GetVideoSurface()) return loaded;
    SDL_Surface* converted = SDL_DisplayFormat(loaded);
    if (!converted) return loaded;
    SDL_FreeSurface(loaded);
    return converted;
}

size_t PathTable::firstSlot(const char* path) const {
    // Fibonacci hashing: the multiply spreads the address's bits into the top ones.
    Uint32 spread = static_cast<Uint32>(reinterpret_cast<uintptr_t>(path)) * 2654435769u;
    return (spread >> 8) & (slots.size() - 1);
}

SDL_Surface* PathTable::find(const char* path) const {
    for (size_t i = firstSlot(path);; i = (i + 1) & (slots.size() - 1)) {
        if (slots[i].path == path) return slots[i].picture;
        if (!slots[i].path) return nullptr;
    }
}

// Kept at most half full, so a search soon meets an empty slot.
void PathTable::insert(const char* path, SDL_Surface* picture) {
    if (2 * (used + 1) > slots.size()) {
        std::vector<Slot> old(2 * slots.size());
        old.swap(slots);
        used = 0;
        for (const Slot& slot : old)
            if (slot.path) insert(slot.path, slot.picture);
    }
    size_t i = firstSlot(path);
    while (slots[i].path && slots[i].path != path)
        i = (i + 1) & (slots.size() - 1);
    if (!slots[i].path) ++used;
    slots[i] = {path, picture};
}

void PathTable::clear() {
    std::fill(slots.begin(), slots.end(), Slot{});
    used = 0;
}

SDL_Surface* cSpriteStore::shared(const char* path) {
    if (SDL_Surface* known = byAddress.find(path)) return known;
    SDL_Surface*& picture = byPath[path];
    if (!picture) {
        picture = toScreenFormat(loadSprite(path));
        if (!picture) return nullptr;
        // Keyed after the conversion, so the key is the screen's own green.
        setColourKey(picture);
        keepOpaqueRuns(picture);
        ++decoded;
    }
    byAddress.insert(path, picture);
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
    runsByNumber.clear();
    decoded = 0;
}

void cSpriteStore::keepOpaqueRuns(SDL_Surface* picture) {
    Uint32* word = spareWord(picture, 0);
    if (!word) return;
    runsByNumber.push_back(findOpaqueRuns(picture));
    *word = static_cast<Uint32>(runsByNumber.size());
}

// A surface the store never numbered reads 0, or a number whose runs belong to another.
const OpaqueRuns* cSpriteStore::opaqueRunsOf(SDL_Surface* picture) const {
    const Uint32* word = spareWord(picture, 0);
    if (!word || *word == 0 || *word > runsByNumber.size()) return nullptr;
    const OpaqueRuns& runs = runsByNumber[*word - 1];
    return runs.picture == picture ? &runs : nullptr;
}

namespace {

// On the ARM a run is copied by a loop of our own: most are a few pixels, and its
// memcpy spends some fifty instructions before it copies a byte; the loop beat it in
// every scenario's count, long runs too. On x86 memcpy beats the loop at any length
// (callgrind, the freerun frame).
#ifdef __arm__
constexpr bool kLoopedRuns = true;
#else
constexpr bool kLoopedRuns = false;
#endif

void copyRun(Uint8* to, const Uint8* from, int pixels) {
    if (!kLoopedRuns) {
        std::memcpy(to, from, static_cast<size_t>(pixels) * 2);
        return;
    }
    Uint16* target = reinterpret_cast<Uint16*>(to);
    const Uint16* source = reinterpret_cast<const Uint16*>(from);
    for (int i = 0; i < pixels; ++i)
        target[i] = source[i];
}

// A picture wholly inside the clip, which is almost every one: no run needs clipping,
// and the pitches stay in registers across the copies.
void copyWholeRuns(const SDL_Surface* picture, const OpaqueRuns& runs, SDL_Rect where,
                   SDL_Surface* target) {
    const Uint8* from = static_cast<const Uint8*>(picture->pixels);
    const int fromPitch = picture->pitch, toPitch = target->pitch;
    Uint8* to = static_cast<Uint8*>(target->pixels) + where.y * toPitch + where.x * 2;
    for (const OpaqueRuns::Run& run : runs.runs)
        copyRun(to + run.row * toPitch + run.start * 2, from + run.row * fromPitch + run.start * 2,
                run.length);
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
        copyRun(to + y * toPitch + x0 * 2, from + run.row * fromPitch + (run.start + skipped) * 2,
                x1 - x0);
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
