// A few of the game's sounds were named with backslashes (the cats' three crushes and
// the rev a fresh map starts with), which the memory card's FAT file system refuses.
// On the card each of them lives in the folder "backslashed/", under its own name with
// the backslashes turned into folders: "sounds\rev.wav" is "backslashed/sounds/rev.wav".
// They are kept apart from the sounds of the same name written with slashes, which are
// other sounds ("sounds/gore/crush1.wav" is a man's crush, "sounds\gore\crush1.wav" a
// cat's). Every other path is the card's as it is.
#include "platform/Platform.h"
#include <algorithm>

std::string platform::soundPath(const char* path) {
    std::string name = path;
    if (name.find('\\') == std::string::npos) return name;
    std::replace(name.begin(), name.end(), '\\', '/');
    return "backslashed/" + name;
}
