// The replay in a browser page (replay.html?session=NAME): one session per load, so
// that it starts from a fresh game as each native session does in its own process.
// The record line goes to the page's output, where web/browser_test.py reads it.
#include "replay/Recorder.h"
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    for (const Session& session : allSessions()) {
        if (argc < 2 || session.name != argv[1]) continue;
        std::printf("replay %s\n", recordSession(session, RecordOptions{}).c_str());
        return 0;
    }
    std::printf("replay: no session %s\n", argc < 2 ? "named" : argv[1]);
    return 2;
}
