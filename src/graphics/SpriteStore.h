#pragma once
#include <SDL/SDL.h>
#include <string>
#include <unordered_map>

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

  private:
    // Asked by address first: the paths are the game's own constants, so a pointer
    // compare spares hashing the text for each of the thousands of entities.
    std::unordered_map<const char*, SDL_Surface*> byAddress;
    std::unordered_map<std::string, SDL_Surface*> byPath;
    int decoded = 0;
};

extern cSpriteStore spriteStore;

// A loaded picture converted to the screen's format (the loaded one is freed), so
// blitting it is a plain copy; unchanged while there is no screen yet.
SDL_Surface* toScreenFormat(SDL_Surface* loaded);

// Start-up's one call once the screen exists: the car's, the walker's and the
// interface pictures in the screen's format.
void loadGameImages();
