#include "preview.h"
#include "screens/Credits.h"
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

namespace uigen {

void highlightEntry(Image& img, const layout::Rect& r) {
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            Rgb c = img.at(x, y);
            if (c.r <= 50 && c.g <= 50 && c.b <= 50) continue;
            c.g = static_cast<std::uint8_t>(c.g - 30);
            img.set(x, y, c);
        }
    }
}

void gameText(Image& img, const std::string& fontPath, int points, int x, int y,
              const std::string& text, Rgb colour) {
    TTF_Font* font = TTF_OpenFont(fontPath.c_str(), points);
    if (!font) throw std::runtime_error("cannot open font " + fontPath);
    const SDL_Color fg = {colour.r, colour.g, colour.b, 0}, bg = {0, 0, 0, 0};
    SDL_Surface* line = TTF_RenderText_Shaded(font, text.c_str(), fg, bg);
    TTF_CloseFont(font);
    if (!line) return;
    // The game keys out the palette entry black maps to, not every black entry: with
    // near-black text the whole ramp is black and only the background drops out.
    const Uint32 key = SDL_MapRGB(line->format, 0, 0, 0);
    SDL_LockSurface(line);
    for (int j = 0; j < line->h; ++j) {
        const auto* row = static_cast<const Uint8*>(line->pixels) + j * line->pitch;
        for (int i = 0; i < line->w; ++i) {
            if (row[i] == key) continue;
            const SDL_Color& c = line->format->palette->colors[row[i]];
            img.set(x + i, y + j, {c.r, c.g, c.b});
        }
    }
    SDL_UnlockSurface(line);
    SDL_FreeSurface(line);
}

namespace {

const Image& find(const std::vector<std::pair<std::string, Image>>& pictures,
                  const std::string& name) {
    for (const auto& [n, image] : pictures)
        if (n == name) return image;
    throw std::runtime_error("no picture " + name);
}

// A stand-in for the world under the interface: grass, sand and water.
Image world() {
    Image img(320, 240, {106, 176, 72});
    grain(img, 0, 0, 320, 240, 6, 7);
    fillRect(img, 200, 0, 120, 120, {226, 204, 140});
    fillRect(img, 0, 150, 120, 90, {64, 130, 210});
    return img;
}

} // namespace

std::vector<std::pair<std::string, Image>>
makePreviews(const Kit& kit, const std::vector<std::pair<std::string, Image>>& pictures) {
    using namespace layout;
    const std::string& small = kit.smallFontPath;
    const std::string& large = kit.largeFontPath;
    std::vector<std::pair<std::string, Image>> out;

    const char* gauges[3] = {"noson", "nosoff", "nosburn"};
    for (int i = 0; i < 3; ++i) {
        Image screen = world();
        stamp(screen, find(pictures, "hud"), 0, kHudTop);
        const char* numbers[4] = {i == 0 ? "100%" : "7%", i == 0 ? "60\xA3" : "1250\xA3",
                                  i == 0 ? "6m" : "120m", i == 0 ? "0" : "12"};
        for (int n = 0; n < 4; ++n)
            gameText(screen, small, 12, kHudNumberX[n], kHudTop, numbers[n], {1, 1, 1});
        stamp(screen, find(pictures, gauges[i]), kNosX, kNosY);
        if (i == 0) {
            stamp(screen, find(pictures, "speachbox"), kSpeechX, kSpeechY);
            gameText(screen, small, 12, kSpeechTextX, kSpeechTextY,
                     "Hey! That was my cat! You owe me \xA3"
                     "50, pal.",
                     {0, 0, 0});
        }
        out.emplace_back(std::string("preview-play-") + gauges[i], screen);
    }

    const char* missionLines[9] = {"Mission 1",
                                   "",
                                   "Run over ten cats before the",
                                   "fuel runs out. Pick up the",
                                   "eggs you find on the way and",
                                   "spend your money in the shop.",
                                   "",
                                   "Press M to hide this page.",
                                   "Good luck!"};
    Image mission = world();
    stamp(mission, find(pictures, "missionscreen"), kPanelX, kPanelY);
    for (int i = 0; i < 9; ++i)
        gameText(mission, large, 16, kPanelTextX, kPanelFirstLineY + kPanelLineStep * i,
                 missionLines[i], {45, 46, 53});
    out.emplace_back("preview-mission", mission);

    Image stats = world();
    stamp(stats, find(pictures, "statscreen"), kPanelX, kPanelY);
    const char* statLines[5] = {"Cats Killed: 12", "Dogs Killed: 3", "Men Killed: 0",
                                "Eggs Found: 4", "Money Spent: 250\xA3"};
    for (int i = 0; i < 5; ++i)
        gameText(stats, large, 16, kPanelTextX, 72 + 14 * i, statLines[i], {45, 46, 53});
    out.emplace_back("preview-stats", stats);

    Image shop = world();
    stamp(shop, find(pictures, "shopscreen"), kPanelX, kPanelY);
    const char* offers[9] = {"\xA3"
                             "35 - Kill a Kitten",
                             "\xA3"
                             "20 - Full Tank of Fuel",
                             "\xA3"
                             "50 - Repair the Car",
                             "\xA3"
                             "120 - Nitrous Refill",
                             "\xA3"
                             "5 - Bag of Cat Treats",
                             "3 Eggs - Golden Horn",
                             "\xA3"
                             "999 - Very Expensive Hat",
                             "\xA3"
                             "15 - Map of the Town",
                             "Leave the Shop and Go Home!"};
    const Rgb offerColours[3] = {{25, 25, 25}, {80, 119, 192}, {151, 0, 0}};
    for (int i = 0; i < 9; ++i)
        gameText(shop, large, 16, kPanelTextX, kPanelFirstLineY + kPanelLineStep * i, offers[i],
                 offerColours[i == 2   ? 1
                              : i == 6 ? 2
                                       : 0]);
    out.emplace_back("preview-shop", shop);

    Image menu = find(pictures, "menu");
    highlightEntry(menu, kMenuEntries[2]);
    out.emplace_back("preview-menu", menu);
    Image resume = find(pictures, "menuresume");
    highlightEntry(resume, kMenuEntries[0]);
    out.emplace_back("preview-menuresume", resume);

    Image page = find(pictures, "menusel");
    const int rows[11] = {32, 46, 60, 74, 86, 100, 114, 148, 162, 176, 202};
    const char* freerun[11] = {"Cats: 10",         "Men: 5",
                               "Pink: 2",          "Dead Cars: 100",
                               "Shops: 1",         "Nos Boosts: 3",
                               "Chests: 4",        "Map Width: 2000",
                               "Map Height: 2000", "Map Terrain: Desert",
                               "< Play Freerun >"};
    for (int i = 0; i < 11; ++i)
        gameText(page, large, 16, kMenuPageTextX, rows[i], freerun[i],
                 i == 9 ? Rgb{128, 0, 0} : Rgb{25, 25, 25});
    out.emplace_back("preview-freerun", page);

    Image credits = find(pictures, "menusel");
    for (const CreditLine& line : creditLines)
        gameText(credits, large, 16, kMenuPageTextX, line.y, line.text, {25, 25, 25});
    out.emplace_back("preview-credits", credits);
    return out;
}

} // namespace uigen
