// pads_sdl.cpp: game controllers through SDL's game-controller layer, which lays every pad it
// has a mapping for (its own database, SDL_GAMECONTROLLERCONFIG) out as one kind of pad.
#include "platform/sdl/pads_sdl.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

static_assert(static_cast<int>(PadButton::A) == SDL_CONTROLLER_BUTTON_A);
static_assert(static_cast<int>(PadButton::DpadUp) == SDL_CONTROLLER_BUTTON_DPAD_UP);
static_assert(static_cast<int>(PadButton::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(static_cast<int>(PadButton::Count) == SDL_CONTROLLER_BUTTON_MAX);
static_assert(static_cast<int>(PadButton::Count) <= 32, "a button is a bit of a 32-bit word");

namespace {

// SDL numbers the joystick and controller events from 0x600 up to the touch events; the
// whole block, so that events a newer SDL library adds there are taken too.
constexpr Uint32 kFirstPadEvent = SDL_JOYAXISMOTION;
constexpr Uint32 kLastPadEvent = SDL_FINGERDOWN - 1;
static_assert(SDL_CONTROLLERSENSORUPDATE <= kLastPadEvent && SDL_JOYBATTERYUPDATED <= kLastPadEvent);

struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    std::uint32_t held = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

constexpr int kMaxPads = 8;
Pad sPads[kMaxPads];
std::uint32_t sPressed = 0;  // since the last read
bool sStarted = false;

Pad* padFor(SDL_JoystickID id) {
    for (Pad& pad : sPads)
        if (pad.controller && pad.id == id) return &pad;
    return nullptr;
}

void openPad(int deviceIndex) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (!sStarted || id < 0 || padFor(id)) return;  // one pad once, however often it is announced
    for (Pad& pad : sPads) {
        if (pad.controller) continue;
        SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
        if (!controller) return;
        pad = Pad{controller, SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller)), 0, 0, 0};
        // A button held as the pad comes in sends no event until it is let go: it is held,
        // though not pressed.
        for (int b = 0; b < static_cast<int>(PadButton::Count); ++b)
            if (SDL_GameControllerGetButton(controller, static_cast<SDL_GameControllerButton>(b)))
                pad.held |= padBit(static_cast<PadButton>(b));
        pad.x = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
        pad.y = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
        return;
    }
}

void closePad(SDL_JoystickID id) {
    if (Pad* pad = padFor(id)) {
        SDL_GameControllerClose(pad->controller);
        *pad = Pad{};
    }
}

void closeAllPads() {
    for (Pad& pad : sPads)
        if (pad.controller) closePad(pad.id);
}

}  // namespace

bool takePadEvent(const SDL_Event& e) {
    if (e.type < kFirstPadEvent || e.type > kLastPadEvent) return false;
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED: openPad(e.cdevice.which); break;
        case SDL_CONTROLLERDEVICEREMOVED: closePad(e.cdevice.which); break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            Pad* pad = padFor(e.cbutton.which);
            if (!pad || e.cbutton.button >= static_cast<Uint8>(PadButton::Count)) break;
            const std::uint32_t bit = padBit(static_cast<PadButton>(e.cbutton.button));
            if (e.cbutton.state == SDL_PRESSED) {
                pad->held |= bit;
                sPressed |= bit;
            } else {
                pad->held &= ~bit;
            }
            break;
        }
        case SDL_CONTROLLERAXISMOTION: {
            Pad* pad = padFor(e.caxis.which);
            if (!pad) break;
            if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) pad->x = e.caxis.value;
            if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) pad->y = e.caxis.value;
            break;
        }
        default:
            // The same pads seen as plain joysticks (their presses come again as controller
            // events), touchpads, sensors: nothing the game plays with.
            break;
    }
    return true;
}

void startPads() {
    // SDL sends a device-added event for every pad already plugged in, so they open as
    // the events are read, like the ones plugged in later.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "fendwall: no game controllers: %s\n", SDL_GetError());
        return;
    }
    sStarted = true;
}

void stopPads() {
    if (!sStarted) return;
    closeAllPads();
    sStarted = false;
    sPressed = 0;
    SDL_FlushEvents(kFirstPadEvent, kLastPadEvent);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void platformReadPads(PlatformPads* pads) {
    *pads = PlatformPads{};
    if (!sStarted) return;
    // Only the pads' events leave the queue; the window messages stay in it as they came,
    // one a frame step, however many events a stick sends meanwhile.
    SDL_PumpEvents();
    SDL_Event batch[64];
    int taken = 0;
    while ((taken = SDL_PeepEvents(batch, 64, SDL_GETEVENT, kFirstPadEvent, kLastPadEvent)) > 0)
        for (int i = 0; i < taken; ++i) takePadEvent(batch[i]);

    std::int32_t furthest = -1;
    for (const Pad& pad : sPads) {
        if (!pad.controller) continue;
        ++pads->connected;
        pads->held |= pad.held;
        const std::int32_t reach = std::max(std::abs(pad.x), std::abs(pad.y));
        if (reach > furthest) {
            furthest = reach;
            pads->stickX = pad.x;
            pads->stickY = pad.y;
        }
    }
    pads->pressed = sPressed;
    sPressed = 0;
}
