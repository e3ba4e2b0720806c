#pragma once
#include <string>

// Rules that hold whatever the player presses, checked after every pass of a session.
// Returns the first pass's broken rules, or an empty string while all hold.
std::string checkAfterPass(bool frameRan);
