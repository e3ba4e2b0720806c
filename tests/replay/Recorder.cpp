// Plays one seeded session of the real game on a fake clock and folds every frame
// handed to SDL_Flip and every sound asked for into one digest (Recorder.h).
#include "replay/Recorder.h"
#include "replay/Watch.h"
#include "app/Timer.h"
#include "app/Clock.h"
#include "app/Loop.h"
#include "app/Rest.h"
#include "app/StartUp.h"
#include "sound/Sound.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

Uint32 fakeNow = 1000;
Uint32 readFakeNow() { return fakeNow; }
time_t readFakeWallClock() { return 1700000000 + fakeNow / 1000; }

// Folds 64-bit words into a running hash (a multiply and a shift per word).
struct Hash {
    Uint64 value = 0x6A09E667F3BCC908ull;
    void add(Uint64 word) {
        value ^= word;
        value *= 0x9E3779B97F4A7C15ull;
        value ^= value >> 29;
    }
    void add(const void* bytes, size_t n) {
        const Uint8* p = static_cast<const Uint8*>(bytes);
        for (; n >= 8; n -= 8, p += 8) {
            Uint64 word;
            std::memcpy(&word, p, 8);
            add(word);
        }
        Uint64 tail = 0;
        std::memcpy(&tail, p, n);
        add(tail ^ n);
    }
};

struct Record {
    Hash digest;
    int frames = 0;
    int sounds = 0;
    FILE* log = nullptr;
    std::string shotPath; // where frame `shotFrame` is saved, if anywhere
    int shotFrame = 0;
} record;

Uint64 surfaceHash(SDL_Surface* surface) {
    Hash h;
    const int rowBytes = surface->w * surface->format->BytesPerPixel;
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y)
        h.add(static_cast<const Uint8*>(surface->pixels) + y * surface->pitch,
              static_cast<size_t>(rowBytes));
    SDL_UnlockSurface(surface);
    return h.value;
}

void noteSound(const char* path) {
    record.digest.add(fakeNow);
    record.digest.add(path, std::strlen(path));
    ++record.sounds;
    if (record.log) std::fprintf(record.log, "%u sound %s\n", fakeNow, path);
}

} // namespace

// Every picture the game shows goes through here; the link wraps it.
extern "C" int __real_SDL_Flip(SDL_Surface* screen);
extern "C" int __wrap_SDL_Flip(SDL_Surface* screen) {
    Uint64 frame = surfaceHash(screen);
    record.digest.add(fakeNow);
    record.digest.add(frame);
    ++record.frames;
    if (record.frames == record.shotFrame) SDL_SaveBMP(screen, record.shotPath.c_str());
    if (record.log)
        std::fprintf(record.log, "%u frame %d %016llx\n", fakeNow, record.frames,
                     static_cast<unsigned long long>(frame));
    return __real_SDL_Flip(screen);
}

namespace {

bool quitRequested = false;
std::string firstBroken; // the first pass that broke a rule, and how

void pass() {
    Uint32 frameDeadline = frameTimer.deadline;
    runPass(quitRequested);
    quitRequested = false; // the sessions never quit; Select is only pressed by mistake
    if (!firstBroken.empty()) return;
    std::string broken = checkAfterPass(frameTimer.deadline != frameDeadline);
    if (!broken.empty()) firstBroken = "at " + std::to_string(fakeNow) + " ms: " + broken;
}

// The busy loop passes every millisecond; the resting one jumps to where its rest
// would end, but never past the session's next press.
void waitFor(Uint32 ms, bool rest) {
    Uint32 until = fakeNow + ms;
    while (fakeNow < until) {
        pass();
        Uint32 next = fakeNow + 1;
        if (rest) {
            Uint32 due = restDeadline(fakeNow);
            if (due > next) next = due < until ? due : until;
        }
        fakeNow = next;
    }
}

} // namespace

std::string recordSession(const Session& session, const RecordOptions& options) {
    if (!options.logDir.empty())
        record.log = std::fopen((options.logDir + "/" + session.name + ".log").c_str(), "w");
    record.shotFrame = options.shot;
    record.shotPath =
        options.logDir + "/" + session.name + "-" + std::to_string(options.shot) + ".bmp";
    // The sessions press the handheld's own buttons, on every platform.
    setenv("SDL12COMPAT_USE_GAME_CONTROLLERS", "0", 1);
    setTickSource(readFakeNow);
    setWallClockSource(readFakeWallClock);
    startUp();
    setPlayObserver(noteSound);
    std::srand(session.seed);
    Controls controls{[&](Uint32 ms) { waitFor(ms, options.rest); },
                      [](const SDL_Event& event) {
                          SDL_Event copy = event;
                          SDL_PushEvent(&copy);
                      }};
    playSession(session, controls);
    if (record.log) std::fclose(record.log);
    char line[160];
    std::snprintf(line, sizeof line, "%s %d %d %016llx", session.name.c_str(), record.frames,
                  record.sounds, static_cast<unsigned long long>(record.digest.value));
    // A broken rule spoils the line, so that it cannot match the record.
    return firstBroken.empty() ? line : std::string(line) + " broke the rules " + firstBroken;
}
