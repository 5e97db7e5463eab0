// gamepad_test.cpp: the real SDL side's pads, played with SDL's virtual joysticks: what the
// game reads once a frame step, and that pads never take the place of a window message.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace {

class Pads : public ::testing::Test {
protected:
    void SetUp() override {
        // The offscreen window never has the keyboard focus, and SDL drops a pad's presses
        // while another program has it, unless told otherwise as here.
        if (background) {
            SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        } else {
            unsetenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS");
            SDL_ResetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS);
        }
        ASSERT_TRUE(platformInitVideo());
        ASSERT_EQ(platformOpenWindow("t", 640, 480, 16, false), WindowOpenResult::Ok);
        ASSERT_NE(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u) << "controllers did not start: " << SDL_GetError();
        PlatformEvent ignored;
        while (platformPollEvent(&ignored)) {
        }
        read();
    }
    void TearDown() override {
        while (!sticks.empty()) unplug(sticks.front());
        platformCloseWindow();
        platformQuitVideo();
    }

    // A pad laid out as SDL lays out controllers: joystick button n is controller button n.
    SDL_Joystick* plug() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "virtual pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        SDL_Joystick* stick = SDL_JoystickOpen(index);
        EXPECT_NE(stick, nullptr) << SDL_GetError();
        sticks.push_back(stick);
        return stick;
    }
    void unplug(SDL_Joystick* stick) {
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(stick)) SDL_JoystickDetachVirtual(i);
        SDL_JoystickClose(stick);
        std::erase(sticks, stick);
    }
    // A virtual pad's change reaches SDL at its next joystick update, as a real pad's reaches
    // it at the next look at the device; each change here is its own look.
    static void button(SDL_Joystick* stick, SDL_GameControllerButton b, bool down) {
        SDL_JoystickSetVirtualButton(stick, b, down ? 1 : 0);
        SDL_PumpEvents();
    }
    static void lean(SDL_Joystick* stick, SDL_GameControllerAxis axis, Sint16 value) {
        SDL_JoystickSetVirtualAxis(stick, axis, value);
        SDL_PumpEvents();
    }
    static PlatformPads read() {
        PlatformPads pads;
        platformReadPads(&pads);
        return pads;
    }
    static void push(const SDL_Event& e) { ASSERT_EQ(SDL_PushEvent(const_cast<SDL_Event*>(&e)), 1) << SDL_GetError(); }
    static SDL_Event key(Uint32 type, SDL_Keycode sym, SDL_Scancode place, Uint8 repeat) {
        SDL_Event e{};
        e.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.repeat = repeat;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = place;
        return e;
    }
    static SDL_Event motion(Sint32 x, Sint32 y) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = x;
        e.motion.y = y;
        return e;
    }

    std::vector<SDL_Joystick*> sticks;
    bool background = true;
};

class PadsUnfocused : public Pads {
protected:
    void SetUp() override {
        background = false;
        Pads::SetUp();
    }
};

constexpr std::uint32_t A = padBit(PadButton::A);
constexpr std::uint32_t B = padBit(PadButton::B);

TEST_F(Pads, APadPluggedInPlaysItsButtonsDpadAndLeftStick) {
    EXPECT_EQ(read().connected, 0);
    SDL_Joystick* pad = plug();
    PlatformPads now = read();
    EXPECT_EQ(now.connected, 1);
    EXPECT_EQ(now.held | now.pressed, 0u);

    // Down and up again within one frame step: pressed once, never held.
    button(pad, SDL_CONTROLLER_BUTTON_A, true);
    button(pad, SDL_CONTROLLER_BUTTON_A, false);
    now = read();
    EXPECT_EQ(now.pressed, A);
    EXPECT_EQ(now.held, 0u);
    EXPECT_EQ(read().pressed, 0u);

    button(pad, SDL_CONTROLLER_BUTTON_B, true);
    now = read();
    EXPECT_EQ(now.pressed, B);
    EXPECT_EQ(now.held, B);
    now = read();
    EXPECT_EQ(now.pressed, 0u);
    EXPECT_EQ(now.held, B) << "held while down";
    button(pad, SDL_CONTROLLER_BUTTON_B, false);
    EXPECT_EQ(read().held, 0u);

    const std::pair<SDL_GameControllerButton, PadButton> dpad[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::DpadUp}, {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::DpadDown},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::DpadLeft}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::DpadRight}};
    for (const auto& [sdl, ours] : dpad) {
        button(pad, sdl, true);
        now = read();
        EXPECT_EQ(now.held, padBit(ours)) << "d-pad button " << sdl;
        EXPECT_EQ(now.pressed, padBit(ours)) << "d-pad button " << sdl;
        button(pad, sdl, false);
    }

    // Left and up are negative, as SDL's y grows downward; the right stick is not played.
    lean(pad, SDL_CONTROLLER_AXIS_LEFTX, -20000);
    lean(pad, SDL_CONTROLLER_AXIS_LEFTY, 30000);
    lean(pad, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    now = read();
    EXPECT_EQ(now.stickX, -20000);
    EXPECT_EQ(now.stickY, 30000);

    // A button already down as the pad comes in is held, but was never pressed.
    SDL_Joystick* late = plug();
    SDL_JoystickSetVirtualButton(late, SDL_CONTROLLER_BUTTON_X, 1);
    now = read();
    EXPECT_EQ(now.connected, 2);
    EXPECT_EQ(now.held, padBit(PadButton::X));
    EXPECT_EQ(now.pressed, 0u);
}

TEST_F(Pads, TwoPadsPlayAsOneAndAnUnpluggedPadLetsGoAtOnce) {
    SDL_Joystick* first = plug();
    SDL_Joystick* second = plug();
    EXPECT_EQ(read().connected, 2);

    button(first, SDL_CONTROLLER_BUTTON_A, true);
    button(second, SDL_CONTROLLER_BUTTON_B, true);
    lean(first, SDL_CONTROLLER_AXIS_LEFTX, 10000);
    lean(first, SDL_CONTROLLER_AXIS_LEFTY, -5000);
    lean(second, SDL_CONTROLLER_AXIS_LEFTX, -3000);
    lean(second, SDL_CONTROLLER_AXIS_LEFTY, 25000);
    PlatformPads now = read();
    EXPECT_EQ(now.held, A | B);
    EXPECT_EQ(now.pressed, A | B);
    EXPECT_EQ(now.stickX, -3000) << "the stick pushed further wins, whichever its axis";
    EXPECT_EQ(now.stickY, 25000);
    lean(first, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    now = read();
    EXPECT_EQ(now.stickX, -32768);
    EXPECT_EQ(now.stickY, -5000);

    unplug(first);  // with A down and its stick hard left
    now = read();
    EXPECT_EQ(now.connected, 1);
    EXPECT_EQ(now.held, B);
    EXPECT_EQ(now.stickX, -3000);
    EXPECT_EQ(now.stickY, 25000);
    unplug(second);
    now = read();
    EXPECT_EQ(now.connected, 0);
    EXPECT_EQ(now.held, 0u);
    EXPECT_EQ(now.stickX, 0);
    EXPECT_EQ(now.stickY, 0);
}

TEST_F(Pads, WindowMessagesKeepTheirPlaceAndKeysTheirPlaceOnTheKeyboard) {
    SDL_Joystick* pad = plug();
    read();

    // A key and a mouse move wait while the stick jitters: the read takes every pad event
    // and no message, and the messages come in their order.
    push(key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, 1));
    push(motion(30, 40));
    for (int i = 0; i < 300; ++i) lean(pad, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(i % 2 ? 900 : -900));
    EXPECT_EQ(read().stickX, 900);
    EXPECT_FALSE(SDL_HasEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE));
    PlatformEvent message{};
    ASSERT_TRUE(platformPollEvent(&message));
    EXPECT_EQ(message.type, PlatformEventType::KeyDown);
    EXPECT_EQ(message.key, 'A');
    EXPECT_EQ(message.scancode, SDL_SCANCODE_A);
    EXPECT_TRUE(message.repeat);
    ASSERT_TRUE(platformPollEvent(&message));
    EXPECT_EQ(message.type, PlatformEventType::MouseMove);
    EXPECT_EQ(message.x, 30);
    EXPECT_EQ(message.y, 40);
    EXPECT_FALSE(platformPollEvent(&message));

    // Pad events that come after the read, among the messages: the moves still merge into
    // one, and the stick and the press reach the next read.
    push(motion(50, 60));
    lean(pad, SDL_CONTROLLER_AXIS_LEFTY, 7000);
    button(pad, SDL_CONTROLLER_BUTTON_START, true);
    push(motion(70, 80));
    push(key(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A, 0));
    ASSERT_TRUE(platformPollEvent(&message));
    EXPECT_EQ(message.type, PlatformEventType::MouseMove);
    EXPECT_EQ(message.x, 70);
    EXPECT_EQ(message.y, 80);
    ASSERT_TRUE(platformPollEvent(&message));
    EXPECT_EQ(message.type, PlatformEventType::KeyUp);
    EXPECT_FALSE(message.repeat);
    EXPECT_FALSE(platformPollEvent(&message));
    const PlatformPads now = read();
    EXPECT_EQ(now.stickY, 7000);
    EXPECT_EQ(now.pressed, padBit(PadButton::Start));

    // A key Windows has no code for comes by its place alone; a key with neither is dropped.
    push(key(SDL_KEYDOWN, SDLK_F13, SDL_SCANCODE_F13, 0));
    push(key(SDL_KEYDOWN, SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0));
    ASSERT_TRUE(platformPollEvent(&message));
    EXPECT_EQ(message.type, PlatformEventType::KeyDown);
    EXPECT_EQ(message.key, 0);
    EXPECT_EQ(message.scancode, SDL_SCANCODE_F13);
    EXPECT_FALSE(message.repeat);
    EXPECT_FALSE(platformPollEvent(&message));
}

TEST_F(PadsUnfocused, PlayNothingWhileAnotherProgramHasTheKeyboard) {
    ASSERT_EQ(SDL_GetKeyboardFocus(), nullptr);
    SDL_Joystick* pad = plug();
    EXPECT_EQ(read().connected, 1);
    button(pad, SDL_CONTROLLER_BUTTON_A, true);
    lean(pad, SDL_CONTROLLER_AXIS_LEFTX, 20000);
    PlatformPads now = read();
    EXPECT_EQ(now.held | now.pressed, 0u);
    EXPECT_EQ(now.stickX, 0);

    button(pad, SDL_CONTROLLER_BUTTON_A, false);
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");  // as if the window had it
    button(pad, SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_EQ(read().pressed, B);
}

TEST(PadsWithoutVideo, ReadAsNothing) {
    PlatformPads pads;
    pads.connected = 5;
    pads.held = pads.pressed = ~0u;
    pads.stickX = pads.stickY = 1;
    platformReadPads(&pads);
    EXPECT_EQ(pads.connected, 0);
    EXPECT_EQ(pads.held | pads.pressed, 0u);
    EXPECT_EQ(pads.stickX | pads.stickY, 0);
}

}  // namespace
