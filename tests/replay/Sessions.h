#pragma once
#include <SDL/SDL.h>
#include <functional>
#include <random>
#include <string>
#include <vector>

// A seeded session at the controls of the real game: menu tours, drives with the
// shop, the panels, NOS and portals, freerun maps, the last miles on foot and the
// end of a game, on the keyboard or on the handheld's buttons. The presses come from
// the session's own generator, so the game's rand() sees only the game's draws.
enum class Plan { MenuTour, Drive, PadDrive, Freerun, LastMiles };

struct Session {
    std::string name;
    Plan plan;
    unsigned seed;
    int seconds; // of game time
};

// Every session the replay plays, in a fixed order.
std::vector<Session> allSessions();

// What a session may ask of the loop: run it for ms milliseconds of game time
// (reacting to nothing), or push an event for the next pass.
struct Controls {
    std::function<void(Uint32 ms)> wait;
    std::function<void(const SDL_Event&)> push;
};

// Plays the session's presses through the controls until its time is up.
void playSession(const Session& session, Controls& controls);
