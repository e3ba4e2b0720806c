#include "graphics/SpriteStore.h"
#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

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

// A picture whose columns all land on the target is copied from its layout, a stream
// of words made for one target pitch and one parity of the target column its left edge
// lands on. Each run is a control word, the run's byte offset from the picture's corner
// and its shape (how many pixel pairs, whether a lone pixel comes before or after
// them), then its pixels, the pairs as the target's aligned words. A shape is copied by
// its own straight-line function, so a run costs a table jump and a load and a store a
// word, without a loop or a test of its own.
constexpr int kMostPairs = 8;
constexpr int kShapeBits = 6;
constexpr Uint32 kShapeMask = (1u << kShapeBits) - 1;
constexpr Uint32 kLonePixelBefore = 2, kLonePixelAfter = 1;

constexpr Uint32 shapeOf(int pairs, bool before, bool after) {
    return static_cast<Uint32>(pairs) * 4 | (before ? kLonePixelBefore : 0) |
           (after ? kLonePixelAfter : 0);
}

template <bool Before, bool After, size_t... Pair>
const Uint32* copyShape(const Uint32* from, Uint8* to, std::index_sequence<Pair...>) {
    constexpr size_t first = Before ? 1 : 0;
    if (Before) *reinterpret_cast<Uint16*>(to) = static_cast<Uint16>(from[0]);
    Uint32* pairs = reinterpret_cast<Uint32*>(to + 2 * first);
    ((pairs[Pair] = from[first + Pair]), ...);
    if (After)
        *reinterpret_cast<Uint16*>(pairs + sizeof...(Pair)) =
            static_cast<Uint16>(from[first + sizeof...(Pair)]);
    return from + first + sizeof...(Pair) + (After ? 1 : 0);
}

template <size_t Shape> const Uint32* copyShape(const Uint32* from, Uint8* to) {
    return copyShape<(Shape & kLonePixelBefore) != 0, (Shape & kLonePixelAfter) != 0>(
        from, to, std::make_index_sequence<Shape / 4>());
}

using ShapeCopy = const Uint32* (*)(const Uint32* from, Uint8* to);

template <size_t... Shape>
constexpr std::array<ShapeCopy, sizeof...(Shape)> shapeCopies(std::index_sequence<Shape...>) {
    return {&copyShape<Shape>...};
}

constexpr std::array<ShapeCopy, shapeOf(kMostPairs, true, true) + 1> kShapeCopies =
    shapeCopies(std::make_index_sequence<shapeOf(kMostPairs, true, true) + 1>());

// The offsets must fit their bits, and the target's rows must all share one word
// alignment.
bool canLayOut(const SDL_Surface* picture, int pitch) {
    return pitch % 4 == 0 &&
           static_cast<Uint32>(picture->h) * static_cast<Uint32>(pitch) < (1u << (32 - kShapeBits));
}

void layOut(const SDL_Surface* picture, const OpaqueRuns& runs, int pitch, bool oddColumn,
            std::vector<Uint32>& words, std::vector<Uint32>& rowStarts) {
    words.clear();
    rowStarts.clear();
    for (const OpaqueRuns::Run& run : runs.runs) {
        while (rowStarts.size() <= run.row)
            rowStarts.push_back(static_cast<Uint32>(words.size()));
        const Uint8* pixel =
            static_cast<const Uint8*>(picture->pixels) + run.row * picture->pitch + run.start * 2;
        Uint32 offset = static_cast<Uint32>(run.row * pitch + run.start * 2);
        int left = run.length;
        // A long run is split where its shape runs out of pairs.
        while (left > 0) {
            size_t control = words.size();
            words.push_back(offset << kShapeBits);
            Uint16 lone;
            bool before = ((offset / 2) & 1) != oddColumn;
            if (before) {
                std::memcpy(&lone, pixel, 2);
                words.push_back(lone);
                pixel += 2, offset += 2, --left;
            }
            int pairs = std::min(left / 2, kMostPairs);
            for (int i = 0; i < pairs; ++i) {
                Uint32 pair;
                std::memcpy(&pair, pixel, 4);
                words.push_back(pair);
                pixel += 4, offset += 4, left -= 2;
            }
            bool after = left == 1;
            if (after) {
                std::memcpy(&lone, pixel, 2);
                words.push_back(lone);
                left = 0;
            }
            words[control] |= shapeOf(pairs, before, after);
        }
    }
    while (rowStarts.size() <= static_cast<size_t>(picture->h))
        rowStarts.push_back(static_cast<Uint32>(words.size()));
}

// corner is the address of the target's pixel under the picture's top-left one, which
// may lie above the target when its top rows are left out; from and end are a stretch
// of whole rows of the layout made for corner's column parity.
void copyLaidOut(const Uint32* from, const Uint32* end, uintptr_t corner) {
    while (from != end) {
        Uint32 control = *from++;
        from = kShapeCopies[control & kShapeMask](
            from, reinterpret_cast<Uint8*>(corner + (control >> kShapeBits)));
    }
}

void copyRun(Uint8* to, const Uint8* from, int pixels) {
    Uint16* target = reinterpret_cast<Uint16*>(to);
    const Uint16* source = reinterpret_cast<const Uint16*>(from);
    for (int i = 0; i < pixels; ++i)
        target[i] = source[i];
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
    const int left = clip.x, right = clip.x + clip.w, top = clip.y, bottom = clip.y + clip.h;
    const int pitch = target->pitch;
    if (where.x < left || where.x + picture->w > right || !canLayOut(picture, pitch)) {
        copyClippedRuns(picture, runs, where, target);
        return;
    }
    const int firstRow = where.y < top ? top - where.y : 0;
    const int endRow = where.y + picture->h > bottom ? bottom - where.y : picture->h;
    if (firstRow >= endRow) return;
    if (runs.laidOutPitch != pitch) {
        layOut(picture, runs, pitch, false, runs.laidOut[0], runs.rowStarts[0]);
        layOut(picture, runs, pitch, true, runs.laidOut[1], runs.rowStarts[1]);
        runs.laidOutPitch = pitch;
    }
    uintptr_t corner = reinterpret_cast<uintptr_t>(target->pixels) +
                       static_cast<intptr_t>(where.y * pitch + where.x * 2);
    int parity = (corner / 2) & 1;
    const Uint32* words = runs.laidOut[parity].data();
    const std::vector<Uint32>& rowStarts = runs.rowStarts[parity];
    copyLaidOut(words + rowStarts[firstRow], words + rowStarts[endRow], corner);
}
