#include "Speech.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace soundgen {

Samples trimSilence(Samples voice) {
    // espeak-ng pads its output with quiet; a grunt must land on the hit, not after it.
    const float threshold = 0.01f;
    const auto margin = static_cast<std::ptrdiff_t>(0.01 * sampleRate);
    const auto loud = [threshold](float s) { return std::abs(s) > threshold; };
    const auto first = std::find_if(voice.begin(), voice.end(), loud);
    if (first == voice.end()) return {};
    const auto last = std::find_if(voice.rbegin(), voice.rend(), loud).base();
    const auto begin = std::max(voice.begin(), first - std::min(margin, first - voice.begin()));
    const auto end = last + std::min(margin, voice.end() - last);
    return Samples(begin, end);
}

Samples speakWithEspeak(const Layer& layer) {
    // Arguments go straight to the program, never through a shell, so any line of
    // dialogue is safe as it is written.
    std::vector<std::string> args = {"espeak-ng",
                                     "-v",
                                     layer.voice,
                                     "-p",
                                     std::to_string(layer.speakPitch),
                                     "-s",
                                     std::to_string(layer.speed),
                                     "--stdout",
                                     "--",
                                     layer.text};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "espeak-ng", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        throw std::runtime_error("cannot run espeak-ng (run scripts/setup.sh): " +
                                 std::string(std::strerror(spawned)));
    }

    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got > 0) {
            bytes.insert(bytes.end(), buffer, buffer + got);
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("espeak-ng failed saying \"" + layer.text + "\"");
    return trimSilence(decodeWav(bytes));
}

} // namespace soundgen
