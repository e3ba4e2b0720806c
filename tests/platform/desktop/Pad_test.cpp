#include "app/Loop.h"
#include "platform/Platform.h"
#include "platform/desktop/Sdl2.h"
#include "platform/gamepad/Gamepad.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include <fstream>
#include <gtest/gtest.h>
#include <list>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

// A pad plugged in the way a player's is: SDL2's virtual joystick, attached to the SDL2
// that sdl12-compat runs on, known to SDL2's controller layer by a mapping like those it
// ships for real pads, and seen by the game through SDL 1.2 from start-up on. Every
// press takes the player's way in: SDL2's controllers, sdl12-compat's events, the
// desktop's translation and the game's input by state.
namespace {

enum Direction { Up, Down, Left, Right };

// A cheap pad's own numbering, unlike SDL2's controller order, so only the mapping can
// put the presses right; one such pad has its d-pad on buttons, the other on a hat.
constexpr const char* kButtons = "a:b3,b:b2,back:b8,start:b9,leftshoulder:b4,rightshoulder:b5,"
                                 "leftx:a0,lefty:a1,";
constexpr const char* kDpadOnButtons = "dpup:b10,dpdown:b11,dpleft:b12,dpright:b13,";
constexpr const char* kDpadOnHat = "dpup:h0.1,dpdown:h0.4,dpleft:h0.8,dpright:h0.2,";
const std::map<std::string, int> kPadButtons = {{"south button", 3},  {"east button", 2},
                                                {"Start", 9},         {"Back / Select", 8},
                                                {"left shoulder", 4}, {"right shoulder", 5}};
constexpr int kDpadButtons[4] = {10, 11, 12, 13};
constexpr Uint8 kHatDirections[4] = {SDL_HAT_UP, SDL_HAT_DOWN, SDL_HAT_LEFT, SDL_HAT_RIGHT};
constexpr Uint32 kSdl2Joysticks = 0x200, kSdl2Controllers = 0x2000;

struct VirtualDesc { // SDL2's SDL_VirtualJoystickDesc, version 1
    Uint16 version = 1, type = 0, naxes = 2, nbuttons = 14, nhats = 1, vendor = 0x1209;
    Uint16 product, padding = 0;
    Uint32 buttonMask = 0, axisMask = 0;
    const char* name;
    void* callbacks[7] = {};
};
struct Guid {
    Uint8 data[16];
};

// One of the pads, as SDL2 sees it; its controls go by the README's names.
class VirtualPad {
  public:
    explicit VirtualPad(bool hat) : dpad(hat ? "hat" : "d-pad") {
        VirtualDesc desc;
        desc.product = hat ? 2 : 1;
        desc.name = hat ? "Pad with a hat" : "Pad with a d-pad";
        index = sdl2::call<int(const VirtualDesc*)>("SDL_JoystickAttachVirtualEx")(&desc);
        char guid[33];
        Guid id = sdl2::call<Guid(int)>("SDL_JoystickGetDeviceGUID")(index);
        sdl2::call<void(Guid, char*, int)>("SDL_JoystickGetGUIDString")(id, guid, sizeof guid);
        const std::string mapping = std::string(guid) + "," + desc.name + "," + kButtons;
        sdl2::call<int(const char*)>("SDL_GameControllerAddMapping")(
            (mapping + (hat ? kDpadOnHat : kDpadOnButtons)).c_str());
        device = sdl2::call<void*(int)>("SDL_JoystickOpen")(index);
    }
    ~VirtualPad() {
        sdl2::call<void(void*)>("SDL_JoystickClose")(device);
        sdl2::call<int(int)>("SDL_JoystickDetachVirtual")(index);
    }
    void hold(const std::string& control, bool down, Direction d = Up) {
        const int axis = d == Up || d == Down; // leftx:a0, lefty:a1
        const Sint16 value = !down ? 0 : d == Up || d == Left ? -32000 : 32000;
        if (control == "left stick")
            sdl2::call<int(void*, int, Sint16)>("SDL_JoystickSetVirtualAxis")(device, axis, value);
        else if (control == "hat")
            sdl2::call<int(void*, int, Uint8)>("SDL_JoystickSetVirtualHat")(
                device, 0, down ? kHatDirections[d] : SDL_HAT_CENTERED);
        else
            sdl2::call<int(void*, int, Uint8)>("SDL_JoystickSetVirtualButton")(
                device, control == "d-pad" ? kDpadButtons[d] : kPadButtons.at(control), down);
    }
    const std::string dpad;

  private:
    int index;
    void* device;
};

// Both pads, plugged in before the game's SDL 1.2 starts its joysticks. The game opens
// the first; the test opens the second too, so one start-up serves both.
class PluggedIn {
  public:
    PluggedIn() {
        // The dummy video driver's window never has the focus, without which SDL2
        // drops a pad's input as meant for another program.
        sdl2::call<int(const char*, const char*)>("SDL_SetHint")(
            "SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1");
        // SDL2's joysticks stay up while the game's SDL 1.2 starts and stops its own.
        sdl2::call<int(Uint32)>("SDL_InitSubSystem")(kSdl2Joysticks);
        for (bool hat : {false, true})
            pads.emplace_back(hat);
        // As start-up does it.
        askForGameControllers();
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
        sdl2::startControllerEvents();
        joystick = SDL_JoystickOpen(0);
        second = SDL_JoystickOpen(1);
    }
    ~PluggedIn() {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        joystick = nullptr;
        pads.clear();
        sdl2::call<void(Uint32)>("SDL_QuitSubSystem")(kSdl2Joysticks | kSdl2Controllers);
        padLayout = false;
    }
    bool seen() const { return joystick && second && padLayout; }
    std::list<VirtualPad> pads;

  private:
    SDL_Joystick* second;
};

// What reaches the game: the handheld's button presses and releases, in order.
std::vector<std::pair<int, int>> arrivals() {
    std::vector<std::pair<int, int>> seen;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (platform::translateEvent(event) &&
            (event.type == SDL_JOYBUTTONDOWN || event.type == SDL_JOYBUTTONUP))
            seen.emplace_back(event.type, event.jbutton.button);
    return seen;
}

std::vector<std::string> split(std::string text, const std::vector<std::string>& separators) {
    for (const std::string& separator : separators)
        for (auto at = text.find(separator); at != std::string::npos; at = text.find(separator))
            text.replace(at, separator.size(), "|");
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, '|');) {
        const auto first = part.find_first_not_of(' ');
        parts.push_back(first == std::string::npos
                            ? ""
                            : part.substr(first, part.find_last_not_of(' ') - first + 1));
    }
    return parts;
}

// The README's Controls table: each row's GP2X button and the pad controls beside it.
std::vector<std::pair<std::string, std::vector<std::string>>> readmeControls() {
    std::ifstream readme(README);
    std::string line;
    while (std::getline(readme, line) && line != "## Controls") {}
    std::vector<std::pair<std::string, std::vector<std::string>>> rows;
    while (std::getline(readme, line) && line.rfind("## ", 0) != 0) {
        // | Action | Keyboard | GP2X button | Desktop gamepad |
        const std::vector<std::string> cells = split(line, {});
        if (cells.size() == 5 && !cells[4].empty() && cells[4][0] != '-' && cells[1] != "Action")
            rows.emplace_back(cells[3], split(cells[4], {" or ", ", "}));
    }
    return rows;
}

class Pad : public testing::TestWithParam<bool> {
  protected:
    static PluggedIn* pluggedIn;
    static void SetUpTestSuite() { pluggedIn = new PluggedIn; }
    static void TearDownTestSuite() { delete pluggedIn; }

    FakeClock clock{20000};
    VirtualPad& pad = GetParam() ? pluggedIn->pads.back() : pluggedIn->pads.front();

    void SetUp() override {
        ASSERT_TRUE(pluggedIn->seen());
        resetGame();
        arrivals();
    }
    void TearDown() override { resetGame(); }
};

PluggedIn* Pad::pluggedIn = nullptr;

TEST_P(Pad, EveryControlInTheReadmeArrivesAsTheHandheldButtonBesideIt) {
    int checked = 0;
    for (const auto& [handheld, controls] : readmeControls()) {
        for (const std::string& control : controls) {
            SCOPED_TRACE(control + " for " + handheld);
            const bool isDirection = control == "d-pad" || control == "hat";
            if (isDirection && control != pad.dpad) continue; // the other pad's
            if (isDirection || control == "left stick") {
                EXPECT_EQ(handheld, "joystick (0 up, 4 down, 2 left, 6 right)");
                for (auto [d, button] : {std::pair{Up, 0}, {Down, 4}, {Left, 2}, {Right, 6}}) {
                    pad.hold(control, true, d);
                    auto pressed = arrivals();
                    pad.hold(control, false, d);
                    auto released = arrivals();
                    // A d-pad lets go of its button; a stick's centre lets go of nothing.
                    released.insert(released.begin(), pressed.begin(), pressed.end());
                    std::vector<std::pair<int, int>> expected = {{SDL_JOYBUTTONDOWN, button}};
                    if (isDirection) expected.emplace_back(SDL_JOYBUTTONUP, button);
                    EXPECT_EQ(released, expected);
                }
            } else {
                ASSERT_EQ(kPadButtons.count(control), 1u) << "a control the test cannot press";
                const int button = std::stoi(handheld.substr(handheld.find('(') + 1));
                pad.hold(control, true);
                EXPECT_EQ(arrivals(),
                          (std::vector<std::pair<int, int>>{{SDL_JOYBUTTONDOWN, button}}));
                pad.hold(control, false); // the release of A ends the gas
                EXPECT_EQ(arrivals(),
                          (std::vector<std::pair<int, int>>{{SDL_JOYBUTTONUP, button}}));
            }
            ++checked;
        }
    }
    EXPECT_EQ(checked, 9);
}

INSTANTIATE_TEST_SUITE_P(DpadOnButtonsOrOnAHat, Pad, testing::Bool());

} // namespace
