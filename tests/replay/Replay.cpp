// Seeded sessions of the real game on a fake clock, with every frame shown and every
// sound played hashed in order: the proof that a change meant to leave the game as it
// is (a faster frame, a new home for some code) did leave it so. Each session runs in
// a process of its own, from start-up, so no session can leak into the next.
//
//   vandal_replay --golden FILE            compares every session with FILE
//   vandal_replay --golden FILE --update   writes FILE anew
//   options: --only A,B   only the sessions named;   --log DIR   each session's frames and
//   sounds line by line into DIR/NAME.log, to diff two builds frame by frame, and with
//   --shot N also frame N as DIR/NAME-N.bmp;
//   --rest   pass when the loop's rest would end instead of every millisecond.
//
// Run it from the game folder with SDL's dummy drivers.
#include "replay/Recorder.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Options {
    std::string golden, only, session;
    RecordOptions record;
    bool update = false;
};

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
    if (!options.record.logDir.empty()) args.insert(args.end(), {"--log", options.record.logDir});
    if (options.record.rest) args.push_back("--rest");
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

std::vector<Session> chosenSessions(const Options& options) {
    std::vector<Session> chosen;
    for (const Session& session : allSessions())
        if (options.only.empty() ||
            ("," + options.only + ",").find("," + session.name + ",") != std::string::npos)
            chosen.push_back(session);
    return chosen;
}

// Every chosen session's line in order, as many played at once as there are cores.
std::vector<std::string> playAll(const std::vector<Session>& chosen, const Options& options) {
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
        std::string line = recordSession(session, options.record);
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
                         "[--shot N] [--rest]\n");
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
        else if (arg == "--shot" && hasValue)
            options.record.shot = std::atoi(argv[++i]);
        else if (arg == "--log" && hasValue)
            options.record.logDir = argv[++i];
        else if (arg == "--update")
            options.update = true;
        else if (arg == "--rest")
            options.record.rest = true;
        else
            return false;
    }
    return !options.golden.empty() || !options.session.empty();
}

// Compares the lines with the record, or writes the record anew; main's status.
int report(const std::vector<std::string>& lines, const Options& options) {
    std::map<std::string, std::string> golden = readGolden(options.golden);
    std::ostringstream fresh;
    fresh << "# name frames sounds digest: written by vandal_replay --update\n";
    int differing = 0;
    for (const std::string& line : lines) {
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
    std::printf("%s%d session(s) differ\n", fresh.str().c_str(), differing);
    return differing == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) return usage();
    if (!options.session.empty()) return playOne(options);
    std::vector<Session> chosen = chosenSessions(options);
    if (chosen.size() != 1 || options.update) return report(playAll(chosen, options), options);
    // A single session is played right here: this process is fresh already, and an
    // emulator that runs this program could not start another copy of it.
    int status = report({recordSession(chosen.front(), options.record)}, options);
    std::fflush(stdout);
    _exit(status);
}
