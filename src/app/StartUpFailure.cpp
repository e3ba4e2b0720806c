#include "app/StartUpFailure.h"
#include "app/Assets.h"
#include "app/Clock.h"
#include "app/TinyFont.h"
#include "graphics/Graphics.h"
#include "sound/Sound.h"
#include <SDL/SDL_ttf.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr Uint32 kMessageTime = 10000; // ms
constexpr int kMargin = 8;
constexpr int kWindowWidth = 320;
constexpr int kWindowHeight = 240;

bool playerChoseVideoDriver() {
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    return chosen && *chosen;
}

// Draws with the game's small font when it can be had, else with the built-in one.
class MessageFont {
  public:
    MessageFont() : font(graphics.smallFont) {
        if (font) return;
        if (!TTF_WasInit() && TTF_Init() < 0) return;
        font = TTF_OpenFont(assets::smallFont, 12);
    }

    int width(const std::string& text) const {
        int w = 0, h = 0;
        if (!font) return tinyFont::width(text);
        TTF_SizeText(font, text.c_str(), &w, &h);
        return w;
    }

    int lineHeight() const { return font ? TTF_FontLineSkip(font) : tinyFont::kLineHeight; }

    void draw(SDL_Surface* window, int x, int y, const std::string& text) const {
        if (!font) {
            tinyFont::draw(window, x, y, text, SDL_MapRGB(window->format, 255, 255, 255));
            return;
        }
        if (text.empty()) return;
        SDL_Color white = {255, 255, 255, 0};
        SDL_Color black = {0, 0, 0, 0};
        SDL_Surface* rendered = TTF_RenderText_Shaded(font, text.c_str(), white, black);
        if (!rendered) return;
        SDL_Rect where = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
        SDL_BlitSurface(rendered, nullptr, window, &where);
        SDL_FreeSurface(rendered);
    }

  private:
    TTF_Font* font;
};

// Breaks one paragraph into lines no wider than `room`; a word too long for a line
// (a deep path) is broken wherever it must be.
void wrapParagraph(const std::string& paragraph, const MessageFont& font, int room,
                   std::vector<std::string>& lines) {
    std::string line;
    size_t at = 0;
    while (at < paragraph.size()) {
        size_t end = paragraph.find(' ', at);
        if (end == std::string::npos) end = paragraph.size();
        std::string word = paragraph.substr(at, end - at);
        at = end + 1;
        std::string joined = line.empty() ? word : line + " " + word;
        if (font.width(joined) <= room) {
            line = joined;
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        line.clear();
        for (char c : word) {
            if (!line.empty() && font.width(line + c) > room) {
                lines.push_back(line);
                line.clear();
            }
            line += c;
        }
    }
    lines.push_back(line);
}

// An indented paragraph (a file in a list) keeps its indent on every line.
void wrapIndented(const std::string& paragraph, const MessageFont& font, int room,
                  std::vector<std::string>& lines) {
    size_t textStart = paragraph.find_first_not_of(' ');
    if (textStart == std::string::npos) textStart = paragraph.size();
    std::string indent = paragraph.substr(0, textStart);
    std::vector<std::string> wrapped;
    wrapParagraph(paragraph.substr(textStart), font, room - font.width(indent), wrapped);
    for (const std::string& line : wrapped)
        lines.push_back(indent + line);
}

std::vector<std::string> wrap(const std::string& text, const MessageFont& font, int room) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        wrapIndented(text.substr(at, end - at), font, room, lines);
        at = end + 1;
    }
    return lines;
}

void drawMessage(SDL_Surface* window, const std::string& message) {
    MessageFont font;
    SDL_FillRect(window, nullptr, SDL_MapRGB(window->format, 0, 0, 0));
    std::vector<std::string> lines = wrap(message, font, kWindowWidth - 2 * kMargin);
    const std::string closing = "Press a key to close.";
    int room = (kWindowHeight - 2 * kMargin) / font.lineHeight() - 2;
    if (static_cast<int>(lines.size()) > room) {
        int hidden = static_cast<int>(lines.size()) - room + 1;
        lines.resize(room - 1);
        lines.push_back("... and " + std::to_string(hidden) + " more lines");
    }
    lines.push_back("");
    lines.push_back(closing);
    int y = kMargin;
    for (const std::string& line : lines) {
        font.draw(window, kMargin, y, line);
        y += font.lineHeight();
    }
}

// The game's window if it is open; otherwise a new one, when the video driver can
// show one at all.
SDL_Surface* messageWindow() {
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) < 0) return nullptr;
    if (!videoShowsWindow()) return nullptr;
    if (SDL_Surface* open = SDL_GetVideoSurface()) return open;
    SDL_WM_SetCaption("Vandal Demo", nullptr);
    return SDL_SetVideoMode(kWindowWidth, kWindowHeight, 16, 0);
}

bool dismissed() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_JOYBUTTONDOWN:
        case SDL_QUIT:
            return true;
        }
    }
    return false;
}

void showUntilDismissed(SDL_Surface* window, const std::string& message) {
    // The handheld has no keyboard: its buttons must close the message too.
    if (SDL_WasInit(SDL_INIT_JOYSTICK) && SDL_NumJoysticks() > 0) SDL_JoystickOpen(0);
    drawMessage(window, message);
    Uint32 shown = ticksNow();
    while (ticksNow() - shown < kMessageTime && !dismissed()) {
        SDL_Flip(window);
        SDL_Delay(20);
    }
}

} // namespace

bool videoShowsWindow() {
    char name[32];
    if (!SDL_VideoDriverName(name, sizeof name)) return false;
    for (const char* windowless : {"dummy", "offscreen", "evdev"})
        if (std::strcmp(name, windowless) == 0) return false;
    return true;
}

void requireDisplay() {
    if (videoShowsWindow() || playerChoseVideoDriver()) return;
    std::fprintf(stderr, "Couldn't initialize SDL: no display (is DISPLAY set?)\n");
    // The exit handler is not registered yet: the audio thread must go first by hand.
    sound.close();
    SDL_Quit();
    std::exit(1);
}

void failStartUp(const std::string& message, int status) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    if (SDL_Surface* window = messageWindow()) showUntilDismissed(window, message);
    std::exit(status);
}
