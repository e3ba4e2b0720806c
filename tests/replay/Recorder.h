#pragma once
#include "replay/Sessions.h"
#include <string>

struct RecordOptions {
    std::string logDir; // each frame and sound also written to DIR/NAME.log
    int shot = 0;       // and this frame saved as DIR/NAME-N.bmp
    bool rest = false;  // a pass only when the loop's rest would end, not every ms
};

// Starts the game up and plays the session on a fake clock, hashing every frame shown
// (the link wraps SDL_Flip) and every sound asked for; returns the session's line of
// the record: "name frames sounds digest". Once per process: the game starts once.
std::string recordSession(const Session& session, const RecordOptions& options);
