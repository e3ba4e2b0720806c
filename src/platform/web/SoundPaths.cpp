// The page's sounds are Ogg Vorbis, made from the WAVs at build time, under the names
// of the WAVs. The four named with backslashes (the cats' crushes and the rev a fresh
// map starts with) live under "backslashed/", as on the handheld's card: the page's
// file system has folders where the names had backslashes, and "sounds\gore\crush1.wav"
// is not the man's "sounds/gore/crush1.wav".
#include "platform/Platform.h"
#include <algorithm>

std::string platform::soundPath(const char* path) {
    std::string name = path;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.replace(dot, std::string::npos, ".ogg");
    if (name.find('\\') == std::string::npos) return name;
    std::replace(name.begin(), name.end(), '\\', '/');
    return "backslashed/" + name;
}
