#include "platform/Platform.h"

// Every sound is opened at the path the game names it by, backslashes and all.
std::string platform::soundPath(const char* path) { return path; }
