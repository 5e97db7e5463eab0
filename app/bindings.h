// bindings.h: which keys and pad buttons do what. Keys are named by their place on the
// keyboard (SDL's scancode names: "W", "Up", "Return"), so a binding means the same place on
// every layout; pad buttons by SDL's game-controller names ("a", "start", "dpup").
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "core/types.h"
#include "platform/platform.h"

// The first seven play the game; pause freezes play, mute silences, screenshot saves the picture.
enum class Action : i32 { Up, Down, Left, Right, Build, Turn, Menu, Pause, Mute, Screenshot, Count };
constexpr i32 ACTION_COUNT = static_cast<i32>(Action::Count);
constexpr i32 MAX_KEYS_PER_ACTION = 4;  // and as many pad buttons

struct ActionBinding {
    i32 keys[MAX_KEYS_PER_ACTION] = {};  // scancodes
    i32 keyCount = 0;
    u32 padButtons = 0;  // padBit()s
    // Set by the settings file, so written back to it; the rest are the defaults.
    bool keysFromFile = false;
    bool padFromFile = false;
};

struct Bindings {
    ActionBinding actions[ACTION_COUNT];

    Bindings();  // the defaults
    const ActionBinding& operator[](Action a) const { return actions[static_cast<i32>(a)]; }
    ActionBinding& operator[](Action a) { return actions[static_cast<i32>(a)]; }
    bool keyDoes(i32 scancode, Action a) const;
    bool operator==(const Bindings& o) const;
};

const char* actionName(Action a);                  // "up", ..., "screenshot"
const char* keyName(i32 scancode);                 // null for a key that cannot be bound
const char* padButtonName(PadButton button);
i32 scancodeNamed(std::string_view name);           // 0 when no bindable key has that name
i32 padButtonNamed(std::string_view name);          // -1 when no button has that name

// One settings line "key ACTION NAME" or "pad ACTION NAME" into *bindings: the file's lines
// for an action and a device replace that action's defaults there, and a key or button the
// file binds leaves every default it had. False for anything else: an unknown action or
// name, a binding given twice, more than MAX_KEYS_PER_ACTION, or a key bound to two actions.
bool readBindingLine(std::string_view line, Bindings* bindings);
// The lines for what the file set, as readBindingLine reads them back.
std::string formatBindings(const Bindings& bindings);
