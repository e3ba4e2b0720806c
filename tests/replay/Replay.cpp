// Seeded sessions of the real game on a fake clock, with every frame shown and every
// sound played hashed in order: the proof that a change meant to leave the game as it
// is (a faster frame, a new home for some code) did leave it so. Each session runs in
// a process of its own, from start-up, so no session can leak into the next.
//
//   vandal_replay --golden FILE            compares every session with FILE
//   vandal_replay --golden FILE --update   writes FILE anew
//   options: --only A,B   only the sessions named;   --log DIR   each session's frames and
//   sounds line by line into DIR/NAME.log, to diff two builds frame by frame;
//   --rest   pass when the loop's rest would end instead of every millisecond.
//
// Run it from the game folder with SDL's dummy drivers.
#include "app/Clock.h"
#include "app/Loop.h"
#include "app/StartUp.h"
#include "app/Rest.h"
#include "replay/Sessions.h"
#include "sound/Sound.h"
#include "world/Random.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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
    if (record.log)
        std::fprintf(record.log, "%u frame %d %016llx\n", fakeNow, record.frames,
                     static_cast<unsigned long long>(frame));
    return __real_SDL_Flip(screen);
}

namespace {

struct Options {
    std::string golden, only, logDir, session;
    bool update = false, rest = false;
};

bool quitRequested = false;

// The busy loop passes every millisecond; the resting one jumps to where its rest
// would end, but never past the session's next press.
void waitFor(Uint32 ms, bool rest) {
    Uint32 until = fakeNow + ms;
    while (fakeNow < until) {
        runPass(quitRequested);
        quitRequested = false; // the sessions never quit; Select is only pressed by mistake
        Uint32 next = fakeNow + 1;
        if (rest) {
            Uint32 due = restDeadline(fakeNow);
            if (due > next) next = due < until ? due : until;
        }
        fakeNow = next;
    }
}

std::string runSession(const Session& session, const Options& options) {
    if (!options.logDir.empty())
        record.log = std::fopen((options.logDir + "/" + session.name + ".log").c_str(), "w");
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
    return line;
}

// A session played by a fresh process of this program: the audio device opened
// before main must not be shared with a forked copy, whose mixer lock could be held.
struct Child {
    std::string name;
    pid_t pid;
    int output;
};

Child startChild(const Session& session, const Options& options) {
    int out[2];
    if (pipe(out) != 0) return {session.name, -1, -1};
    std::vector<std::string> args = {"/proc/self/exe", "--session", session.name};
    if (!options.logDir.empty()) args.insert(args.end(), {"--log", options.logDir});
    if (options.rest) args.push_back("--rest");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    return {session.name, pid, out[0]};
}

// The child's line, or why there is none.
std::string finish(const Child& child) {
    if (child.pid < 0) return child.name + " cannot-start";
    std::string line;
    char buffer[256];
    for (ssize_t n; (n = read(child.output, buffer, sizeof buffer)) > 0;)
        line.append(buffer, static_cast<size_t>(n));
    close(child.output);
    int status = 0;
    waitpid(child.pid, &status, 0);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (line.empty() || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return child.name + " crashed";
    return line;
}

// Every chosen session's line in order, as many played at once as there are cores.
std::vector<std::string> playAll(const Options& options) {
    std::vector<Session> chosen;
    for (const Session& session : allSessions())
        if (options.only.empty() ||
            ("," + options.only + ",").find("," + session.name + ",") != std::string::npos)
            chosen.push_back(session);
    const size_t atOnce = std::max(1L, sysconf(_SC_NPROCESSORS_ONLN));
    std::vector<Child> running;
    std::vector<std::string> lines;
    for (size_t next = 0; next < chosen.size() || !running.empty();) {
        if (next < chosen.size() && running.size() < atOnce) {
            running.push_back(startChild(chosen[next++], options));
            continue;
        }
        lines.push_back(finish(running.front()));
        running.erase(running.begin());
    }
    return lines;
}

// The child's part: one session, its line on standard output. No exit handler runs:
// there is no launcher to hand over to from a replay.
int playOne(const Options& options) {
    for (const Session& session : allSessions()) {
        if (session.name != options.session) continue;
        std::string line = runSession(session, options);
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
        _exit(0);
    }
    return 2;
}

std::map<std::string, std::string> readGolden(const std::string& path) {
    std::map<std::string, std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') lines[line.substr(0, line.find(' '))] = line;
    return lines;
}

int usage() {
    std::fprintf(stderr, "usage: vandal_replay --golden FILE [--update] [--only A,B] [--log DIR] "
                         "[--rest]\n");
    return 2;
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--session" && hasValue)
            options.session = argv[++i];
        else if (arg == "--golden" && hasValue)
            options.golden = argv[++i];
        else if (arg == "--only" && hasValue)
            options.only = argv[++i];
        else if (arg == "--log" && hasValue)
            options.logDir = argv[++i];
        else if (arg == "--update")
            options.update = true;
        else if (arg == "--rest")
            options.rest = true;
        else
            return false;
    }
    return !options.golden.empty() || !options.session.empty();
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) return usage();
    if (!options.session.empty()) return playOne(options);
    std::map<std::string, std::string> golden = readGolden(options.golden);
    std::ostringstream fresh;
    fresh << "# name frames sounds digest: written by vandal_replay --update\n";
    int differing = 0;
    for (const std::string& line : playAll(options)) {
        fresh << line << "\n";
        const std::string& was = golden[line.substr(0, line.find(' '))];
        if (options.update || was == line) continue;
        ++differing;
        std::printf("differs: %s\n   was: %s\n", line.c_str(), was.c_str());
    }
    if (options.update) {
        std::ofstream(options.golden) << fresh.str();
        std::printf("wrote %s\n", options.golden.c_str());
        return 0;
    }
    std::printf("%s\n%d session(s) differ\n", fresh.str().c_str(), differing);
    return differing == 0 ? 0 : 1;
}
