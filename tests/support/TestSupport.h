#pragma once
#include <SDL/SDL.h>
#include <string>
#include <vector>

// A clock that only moves when the test says so. While one exists, every tick and
// wall-clock reading of the game comes from it; in the unit tests, which link the
// game's SDL_Delay to it, a delay moves it on instead of sleeping, so the loop's own
// rest can be played at full speed.
class FakeClock {
  public:
    explicit FakeClock(Uint32 start = 1000);
    ~FakeClock();
    void set(Uint32 now);
    void advance(Uint32 ms);
    Uint32 now() const;

    static FakeClock* running(); // the one that exists, or null
    Uint32 longestDelay = 0;     // of the delays it stood in for
};

// Records the paths of the sounds played while it exists.
class SoundLog {
  public:
    SoundLog();
    ~SoundLog();
    const std::vector<std::string>& paths() const { return played; }
    int count(const std::string& path) const;
    // How many played paths start with the prefix (e.g. "sounds/grunts/grunt").
    int countPrefix(const std::string& prefix) const;
    void clear() { played.clear(); }

  private:
    std::vector<std::string> played;
};

// Puts every global of the game back to how a fresh start leaves it (menu shown, no
// level, a fresh car and walker, shop closed) so that tests do not leak into each other.
void resetGame();

// Seeds rand() and enters level n as the menu or a portal would; the current level
// is then a freshly generated one.
void enterLevelWithSeed(int n, unsigned seed);

// Input events as SDL delivers them from the keyboard and the gamepad.
SDL_Event keyEvent(SDLKey sym, int type = SDL_KEYDOWN, int mod = KMOD_NONE);
SDL_Event buttonEvent(int button, int type = SDL_JOYBUTTONDOWN);
SDL_Event axisEvent(int axis, int value);

// Reads the back buffer (or any surface) as 8-bit red, green and blue.
struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
Rgb pixelAt(SDL_Surface* surface, int x, int y);
