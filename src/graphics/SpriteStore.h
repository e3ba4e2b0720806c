#pragma once
#include <SDL/SDL.h>
#include <string>
#include <unordered_map>
#include <vector>

// The opaque stretches of a shared 16-bit picture, row by row: the frame copies them
// straight into the back buffer instead of testing every pixel against the key, and
// without the blit machinery's cost for each of the thousands of small sprites.
struct OpaqueRuns {
    struct Run {
        Uint16 row;
        Uint16 start;
        Uint16 length;
    };
    SDL_Surface* picture = nullptr;
    std::vector<Run> runs;
    // The runs' pixels laid out for the copy of a picture whose columns are all on the
    // target of this pitch, one layout for a left edge on an even column and one for an
    // odd (SpriteStore.cpp); made at the first such copy, and again when the pitch
    // changes. rowStarts[parity][row] is where that row's words begin, so a picture cut
    // by the top or bottom edge copies only its rows on the target.
    mutable int laidOutPitch = 0;
    mutable std::vector<Uint32> laidOut[2];
    mutable std::vector<Uint32> rowStarts[2];
};

// Pictures by the address of their path, in a table of a power-of-two size: a slot is
// found with a multiply and a mask, where a standard hash table divides by its prime
// size for every entity that asks (in software, on the handheld).
class PathTable {
  public:
    SDL_Surface* find(const char* path) const;
    void insert(const char* path, SDL_Surface* picture);
    void clear();

  private:
    struct Slot {
        const char* path = nullptr;
        SDL_Surface* picture = nullptr;
    };
    std::vector<Slot> slots = std::vector<Slot>(256);
    size_t used = 0;

    size_t firstSlot(const char* path) const;
};

// Every picture of the map is decoded once, in the screen's own pixel format, and
// shared by everything that shows it: a crowded map holds one copy of each image, a
// blit needs no conversion, and a level switch opens no file it has opened before.
class cSpriteStore {
  public:
    // The colour-keyed picture at path, shared: never paint on it. Null when the file
    // cannot be loaded, which is asked for again next time.
    SDL_Surface* shared(const char* path);
    // A colour-keyed copy of its own, for a picture that gets painted on (the car's
    // blood); the caller frees it.
    SDL_Surface* ownCopy(const char* path);
    // Frees every shared picture; what was handed out before is gone with it.
    void release();
    // How many files have been decoded since the start (or the last release).
    int decodedCount() const { return decoded; }
    // The opaque runs of a 16-bit picture the store shares; null for any other. Found
    // through the picture itself (see SpriteStore.cpp), without a search per draw.
    const OpaqueRuns* opaqueRunsOf(SDL_Surface* picture) const;

  private:
    // Asked by address first: the paths are the game's own constants, so a pointer
    // compare spares hashing the text for each of the thousands of entities.
    PathTable byAddress;
    std::unordered_map<std::string, SDL_Surface*> byPath;
    std::vector<OpaqueRuns> runsByNumber;
    int decoded = 0;

    void keepOpaqueRuns(SDL_Surface* picture);
};

extern cSpriteStore spriteStore;

// A loaded picture converted to the screen's format (the loaded one is freed), so
// blitting it is a plain copy; unchanged while there is no screen yet.
SDL_Surface* toScreenFormat(SDL_Surface* loaded);

// Draws a picture at where (its top-left corner) onto a 16-bit target, clipped as a
// blit would be, copying only its opaque runs. The target must be locked.
void copyOpaqueRuns(SDL_Surface* picture, const OpaqueRuns& runs, SDL_Rect where,
                    SDL_Surface* target);
