#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <map>
#include <string>

// One-shot WAV effects. The audio device is opened when the global player is built,
// before main, and every effect is named by its caller's own path.
class cSound {
  public:
    Uint8 enabled = 0; // the menu's sound switch

    cSound();
    ~cSound();
    cSound(const cSound&) = delete;
    cSound& operator=(const cSound&) = delete;

    // Plays the file once on the first free channel; a missing file is silent.
    int play(const char* path);

    // Stops the mixer and closes the device; safe to call more than once. The exit
    // paths call it before SDL shuts down so the audio thread is gone first.
    void close();

  private:
    Mix_Chunk* chunkFor(const char* path);

    bool deviceOpen = false;
    // Decoded once per path: re-reading a file on every coin or meow would stall
    // the handheld's SD card for nothing.
    std::map<std::string, Mix_Chunk*> chunks;
};

extern cSound sound;

// Told of every path that play() is asked for while the switch is on, so that a test
// can hear what the game plays; nullptr for nobody.
using PlayObserver = void (*)(const char* path);
void setPlayObserver(PlayObserver observer);
