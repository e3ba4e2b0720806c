// uigen OUTDIR SMALL_FONT LARGE_FONT ICONS MACHINE          writes the interface BMPs
// uigen preview OUTDIR SMALL_FONT LARGE_FONT ICONS MACHINE  writes mock screens for review
// MACHINE is "handheld" (its buttons in the legends) or "desktop" (the keyboard's keys).
#include "pixelart/bmpfile.h"
#include "preview.h"
#include "uigen.h"
#include <cstdio>

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: uigen [preview] OUTDIR SMALL_FONT LARGE_FONT ICONS handheld|desktop\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const bool preview = argc > 1 && std::string(argv[1]) == "preview";
    const int first = preview ? 2 : 1;
    if (argc != first + 5) return usage();
    const std::string machine = argv[first + 4];
    if (machine != "handheld" && machine != "desktop") return usage();
    try {
        const std::string outDir = argv[first];
        uigen::TtfSession ttf;
        uigen::Kit kit;
        kit.smallFontPath = argv[first + 1];
        kit.largeFontPath = argv[first + 2];
        kit.icons = uigen::parseIcons(pixelart::readText(argv[first + 3]), argv[first + 3]);
        kit.handheld = machine == "handheld";
        const auto pictures = uigen::makePictures(kit);
        const auto outputs = preview ? uigen::makePreviews(kit, pictures) : pictures;
        for (const auto& [name, image] : outputs)
            pixelart::saveBmp(outDir + "/" + name + ".bmp", image);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "uigen: %s\n", e.what());
        return 1;
    }
    return 0;
}
