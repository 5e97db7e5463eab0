// gamepad_test.cpp: the real SDL side's pads, played with SDL's virtual joysticks: what the
// game reads once a frame step, and that pads never take the place of a window message.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "platform/platform.h"

namespace {

constexpr std::uint32_t A = padBit(PadButton::A), X = padBit(PadButton::X), START = padBit(PadButton::Start);

// What a read gives, whole, so that a failure shows every field: pads, held, pressed, stick x and y.
using Seen = std::tuple<std::int32_t, std::uint32_t, std::uint32_t, std::int32_t, std::int32_t>;
Seen seen(const PlatformPads& p) { return {p.connected, p.held, p.pressed, p.stickX, p.stickY}; }
Seen read() { PlatformPads p; return platformReadPads(&p), seen(p); }
// A pad laid out as SDL lays out controllers: joystick button n is controller button n. SDL
// closes and detaches every one when the pads stop with the video.
SDL_Joystick* plug() { return SDL_JoystickOpen(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0)); }
void unplug(SDL_Joystick* pad) {
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(pad)) SDL_JoystickDetachVirtual(i);
    SDL_JoystickClose(pad);
}
// A virtual pad's change reaches SDL at its next update, as a real pad's at the next look; each change here is its own look.
void hold(SDL_Joystick* pad, SDL_GameControllerButton b, bool down) { SDL_JoystickSetVirtualButton(pad, b, down), SDL_PumpEvents(); }
void lean(SDL_Joystick* pad, SDL_GameControllerAxis axis, Sint16 v) { SDL_JoystickSetVirtualAxis(pad, axis, v), SDL_PumpEvents(); }
// SDL lets pads play a window without the focus, as the offscreen one is, only when told to.
void allowBackground() { SDL_SetHintWithPriority(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1", SDL_HINT_OVERRIDE); }
void push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
void key(Uint32 type, SDL_Keycode sym, SDL_Scancode place, Uint8 repeat) { push({.key{type, 0, 0, Uint8(type == SDL_KEYDOWN), repeat, 0, 0, {place, sym, 0, 0}}}); }
void motion(Sint32 x, Sint32 y) { push({.motion{SDL_MOUSEMOTION, 0, 0, 0, 0, x, y, 0, 0}}); }
// Every waiting message in order, as "down <key code>@<scancode>[ repeat]; move <x>,<y>; ".
std::string messages() {
    std::string all;
    for (PlatformEvent m{}; platformPollEvent(&m); all += "; ")
        all += m.type == PlatformEventType::MouseMove ? "move " + std::to_string(m.x) + "," + std::to_string(m.y)
               : (m.type == PlatformEventType::KeyDown ? "down " : m.type == PlatformEventType::KeyUp ? "up " : "other ") + std::to_string(m.key) + "@" +
                     std::to_string(m.scancode) + (m.repeat ? " repeat" : "");
    return all;
}

struct Pads : ::testing::Test {
    void SetUp() override {
        unsetenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS"), SDL_ResetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS);  // as on a player's desktop
        ASSERT_TRUE(platformInitVideo() && platformOpenWindow("t", 640, 480, 16, false) == WindowOpenResult::Ok) << SDL_GetError();
    }
    void TearDown() override { platformCloseWindow(), platformQuitVideo(); }
};

// A player would see a pad plugged in mid-game stay dead, lose quick taps, act twice, or play while another program has the keyboard.
TEST_F(Pads, APadPluggedInLaterPlaysItsButtonsDpadAndLeftStickWithTheFocus) {
    EXPECT_EQ(read(), Seen{});
    SDL_Joystick* pad = plug();
    ASSERT_EQ(SDL_GetKeyboardFocus(), nullptr);
    hold(pad, SDL_CONTROLLER_BUTTON_A, true), lean(pad, SDL_CONTROLLER_AXIS_LEFTX, 20000);
    EXPECT_EQ(read(), Seen(1, 0, 0, 0, 0)) << "without the focus";
    hold(pad, SDL_CONTROLLER_BUTTON_A, false), lean(pad, SDL_CONTROLLER_AXIS_LEFTX, 0), allowBackground();  // as if the window had it
    const std::pair<SDL_GameControllerButton, PadButton> buttons[] = {{SDL_CONTROLLER_BUTTON_A, PadButton::A}, {SDL_CONTROLLER_BUTTON_B, PadButton::B},
        {SDL_CONTROLLER_BUTTON_START, PadButton::Start}, {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::DpadUp}, {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::DpadDown},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::DpadLeft}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::DpadRight}};
    for (const auto& [sdl, ours] : buttons) {
        const std::uint32_t bit = padBit(ours);
        hold(pad, sdl, true);
        EXPECT_EQ(read(), Seen(1, bit, bit, 0, 0)) << "down";
        EXPECT_EQ(read(), Seen(1, bit, 0, 0, 0)) << "held on";
        hold(pad, sdl, false), hold(pad, sdl, true), hold(pad, sdl, false);
        EXPECT_EQ(read(), Seen(1, 0, bit, 0, 0)) << "up, and a tap between two reads";
        EXPECT_EQ(read(), Seen(1, 0, 0, 0, 0)) << "the tap counts once";
    }
    // Left and up are negative, as SDL's y grows downward; the right stick is not played.
    lean(pad, SDL_CONTROLLER_AXIS_LEFTX, -20000), lean(pad, SDL_CONTROLLER_AXIS_LEFTY, 30000), lean(pad, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    EXPECT_EQ(read(), Seen(1, 0, 0, -20000, 30000));
}

// A player would see two pads fight each other, or a pad pulled out leave its buttons and stick stuck.
TEST_F(Pads, TwoPadsPlayAsOneAndAnUnpluggedPadLetsGoAtOnce) {
    allowBackground();
    SDL_Joystick *first = plug(), *second = plug();
    hold(second, SDL_CONTROLLER_BUTTON_X, true);
    EXPECT_EQ(read(), Seen(2, X, 0, 0, 0)) << "down before the game first saw the pad: held, never pressed";
    hold(first, SDL_CONTROLLER_BUTTON_A, true), lean(first, SDL_CONTROLLER_AXIS_LEFTX, 10000), lean(first, SDL_CONTROLLER_AXIS_LEFTY, -5000);
    lean(second, SDL_CONTROLLER_AXIS_LEFTX, -3000), lean(second, SDL_CONTROLLER_AXIS_LEFTY, 25000);
    EXPECT_EQ(read(), Seen(2, A | X, A, -3000, 25000)) << "the stick pushed further wins, both its axes";
    unplug(second);
    EXPECT_EQ(read(), Seen(1, A, 0, 10000, -5000));
    unplug(first);
    EXPECT_EQ(read(), Seen{});
}

// A player would see keys lag or change places, the cursor stutter behind a busy stick, or a pad press vanish among messages.
TEST_F(Pads, WindowMessagesKeepTheirPlaceAndKeysTheirPlaceOnTheKeyboard) {
    allowBackground();
    SDL_Joystick* pad = plug();
    messages(), read();
    key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, 1), motion(30, 40);
    for (int i = 0; i < 300; ++i) lean(pad, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(i % 2 ? 900 : -900));
    EXPECT_EQ(read(), Seen(1, 0, 0, 900, 0));
    EXPECT_FALSE(SDL_HasEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE)) << "the read takes every pad event";
    EXPECT_EQ(messages(), "down " + std::to_string('A') + "@" + std::to_string(SDL_SCANCODE_A) + " repeat; move 30,40; ");
    // Pad events after the read, among the messages: the moves still merge, the pad reaches the next read.
    motion(50, 60), lean(pad, SDL_CONTROLLER_AXIS_LEFTY, 7000), hold(pad, SDL_CONTROLLER_BUTTON_START, true);
    motion(70, 80), key(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A, 0);
    EXPECT_EQ(messages(), "move 70,80; up " + std::to_string('A') + "@" + std::to_string(SDL_SCANCODE_A) + "; ");
    EXPECT_EQ(read(), Seen(1, START, START, 900, 7000));
    // A key Windows has no code for comes by its place alone; a key with neither is dropped.
    key(SDL_KEYDOWN, SDLK_F13, SDL_SCANCODE_F13, 0), key(SDL_KEYDOWN, SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0);
    EXPECT_EQ(messages(), "down 0@" + std::to_string(SDL_SCANCODE_F13) + "; ");
}

// A player would see the pads' last state play on once the video is gone.
TEST(PadsWithoutVideo, ReadAsNothing) {
    PlatformPads pads{5, ~0u, ~0u, 1, 1};
    platformReadPads(&pads);
    EXPECT_EQ(seen(pads), Seen{});
}

}  // namespace
