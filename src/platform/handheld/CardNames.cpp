#include "platform/handheld/CardNames.h"
#include <algorithm>

std::string cardName(const char* path) {
    std::string name = path;
    if (name.find('\\') == std::string::npos) return name;
    std::replace(name.begin(), name.end(), '\\', '/');
    return "backslashed/" + name;
}
