#pragma once
#include "replay/Sessions.h"
#include <string>

// Starts the game up and plays the session on a fake clock, hashing every frame shown
// (the link wraps SDL_Flip) and every sound asked for; returns the session's line of
// the record: "name frames sounds digest". With rest, a pass runs only when the loop's
// rest would end instead of every millisecond; with a log folder, each frame and
// sound is also written to FOLDER/NAME.log. Once per process: the game starts once.
std::string recordSession(const Session& session, bool rest, const std::string& logDir);
