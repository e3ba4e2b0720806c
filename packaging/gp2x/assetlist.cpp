// Writes every file the game loads, one path a line, so the SD-card package can copy
// the whole asset tree and be checked against the same list.
#include "app/Assets.h"
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetlist OUTPUT\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    for (const auto& list : {assets::allImages(), assets::allSounds(), assets::allFonts()})
        for (const char* path : list)
            std::fprintf(out, "%s\n", path);
    return std::fclose(out) == 0 ? 0 : 1;
}
