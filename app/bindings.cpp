// bindings.cpp: the default controls, the names of keys and pad buttons, and the settings
// file's binding lines, read strictly. No I/O and no SDL, so the fuzz target builds it alone.
#include "app/bindings.h"

#include <cctype>

namespace {

struct KeyName {
    i32 scancode;
    const char* name;
};

// The keys a player may bind, by their USB usage number, named as SDL names them. Escape
// (its own meaning everywhere), F11 (full screen) and the system keys Alt and F10, which
// never reach the game, are not among them.
constexpr KeyName KEY_NAMES[] = {
    {4, "A"}, {5, "B"}, {6, "C"}, {7, "D"}, {8, "E"}, {9, "F"}, {10, "G"}, {11, "H"}, {12, "I"}, {13, "J"},
    {14, "K"}, {15, "L"}, {16, "M"}, {17, "N"}, {18, "O"}, {19, "P"}, {20, "Q"}, {21, "R"}, {22, "S"},
    {23, "T"}, {24, "U"}, {25, "V"}, {26, "W"}, {27, "X"}, {28, "Y"}, {29, "Z"}, {30, "1"}, {31, "2"},
    {32, "3"}, {33, "4"}, {34, "5"}, {35, "6"}, {36, "7"}, {37, "8"}, {38, "9"}, {39, "0"}, {40, "Return"},
    {42, "Backspace"}, {43, "Tab"}, {44, "Space"}, {45, "-"}, {46, "="}, {47, "["}, {48, "]"}, {49, "\\"},
    {50, "#"}, {51, ";"}, {52, "'"}, {53, "`"}, {54, ","}, {55, "."}, {56, "/"}, {57, "CapsLock"},
    {58, "F1"}, {59, "F2"}, {60, "F3"}, {61, "F4"}, {62, "F5"}, {63, "F6"}, {64, "F7"}, {65, "F8"},
    {66, "F9"}, {69, "F12"}, {70, "PrintScreen"}, {71, "ScrollLock"}, {72, "Pause"}, {73, "Insert"},
    {74, "Home"}, {75, "PageUp"}, {76, "Delete"}, {77, "End"}, {78, "PageDown"}, {79, "Right"},
    {80, "Left"}, {81, "Down"}, {82, "Up"}, {83, "Numlock"}, {84, "Keypad /"}, {85, "Keypad *"},
    {86, "Keypad -"}, {87, "Keypad +"}, {88, "Keypad Enter"}, {89, "Keypad 1"}, {90, "Keypad 2"},
    {91, "Keypad 3"}, {92, "Keypad 4"}, {93, "Keypad 5"}, {94, "Keypad 6"}, {95, "Keypad 7"},
    {96, "Keypad 8"}, {97, "Keypad 9"}, {98, "Keypad 0"}, {99, "Keypad ."}, {224, "Left Ctrl"},
    {225, "Left Shift"}, {227, "Left GUI"}, {228, "Right Ctrl"}, {229, "Right Shift"}, {231, "Right GUI"},
};

constexpr const char* PAD_NAMES[] = {"a",      "b",          "x",           "y",            "back",
                                     "guide",  "start",      "leftstick",   "rightstick",   "leftshoulder",
                                     "rightshoulder", "dpup", "dpdown",     "dpleft",       "dpright",
                                     "misc1",  "paddle1",    "paddle2",     "paddle3",      "paddle4",
                                     "touchpad"};
static_assert(sizeof PAD_NAMES / sizeof PAD_NAMES[0] == static_cast<size_t>(PadButton::Count));

constexpr const char* ACTION_NAMES[ACTION_COUNT] = {"up",    "down",  "left", "right", "build",
                                                    "turn",  "menu",  "pause", "mute", "screenshot"};

// Arrows and WASD move, Space or Enter builds, R or Tab turns; Escape, which is no binding,
// opens the menu; P or Pause pauses, M mutes, F12 saves a screenshot. On a pad the d-pad
// moves, A builds, B or X turns, Start or Back is Escape, Y pauses, and the share or capture
// button (misc1) saves a screenshot.
struct Default {
    i32 keys[MAX_KEYS_PER_ACTION];
    i32 keyCount;
    u32 pad;
};
constexpr Default DEFAULTS[ACTION_COUNT] = {
    {{82, 26}, 2, padBit(PadButton::DpadUp)},
    {{81, 22}, 2, padBit(PadButton::DpadDown)},
    {{80, 4}, 2, padBit(PadButton::DpadLeft)},
    {{79, 7}, 2, padBit(PadButton::DpadRight)},
    {{44, 40, 88}, 3, padBit(PadButton::A)},
    {{21, 43}, 2, padBit(PadButton::B) | padBit(PadButton::X)},
    {{}, 0, padBit(PadButton::Start) | padBit(PadButton::Back)},
    {{19, 72}, 2, padBit(PadButton::Y)},
    {{16}, 1, 0},
    {{69}, 1, padBit(PadButton::Misc1)},
};

bool sameName(std::string_view a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return i == a.size() && b[i] == '\0';
}

bool hasKey(const ActionBinding& b, i32 scancode) {
    for (i32 i = 0; i < b.keyCount; ++i) {
        if (b.keys[i] == scancode) return true;
    }
    return false;
}

void dropKey(ActionBinding& b, i32 scancode) {
    i32 kept = 0;
    for (i32 i = 0; i < b.keyCount; ++i) {
        if (b.keys[i] != scancode) b.keys[kept++] = b.keys[i];
    }
    b.keyCount = kept;
}

bool bindKey(Bindings& all, Action action, i32 scancode) {
    ActionBinding& b = all[action];
    if (!b.keysFromFile) b.keyCount = 0, b.keysFromFile = true;
    if (hasKey(b, scancode) || b.keyCount == MAX_KEYS_PER_ACTION) return false;
    for (ActionBinding& other : all.actions) {
        if (&other == &b) continue;
        if (other.keysFromFile && hasKey(other, scancode)) return false;
        dropKey(other, scancode);
    }
    b.keys[b.keyCount++] = scancode;
    return true;
}

bool bindPad(Bindings& all, Action action, u32 bit) {
    ActionBinding& b = all[action];
    if (!b.padFromFile) b.padButtons = 0, b.padFromFile = true;
    if ((b.padButtons & bit) != 0) return false;
    i32 count = 0;
    for (u32 bits = b.padButtons; bits != 0; bits &= bits - 1) ++count;
    if (count == MAX_KEYS_PER_ACTION) return false;
    for (ActionBinding& other : all.actions) {
        if (&other == &b) continue;
        if (other.padFromFile && (other.padButtons & bit) != 0) return false;
        other.padButtons &= ~bit;
    }
    b.padButtons |= bit;
    return true;
}

}  // namespace

Bindings::Bindings() {
    for (i32 a = 0; a < ACTION_COUNT; ++a) {
        for (i32 k = 0; k < DEFAULTS[a].keyCount; ++k) actions[a].keys[k] = DEFAULTS[a].keys[k];
        actions[a].keyCount = DEFAULTS[a].keyCount;
        actions[a].padButtons = DEFAULTS[a].pad;
    }
}

bool Bindings::keyDoes(i32 scancode, Action a) const { return scancode != 0 && hasKey((*this)[a], scancode); }

bool Bindings::operator==(const Bindings& o) const {
    for (i32 a = 0; a < ACTION_COUNT; ++a) {
        const ActionBinding &x = actions[a], &y = o.actions[a];
        if (x.keyCount != y.keyCount || x.padButtons != y.padButtons || x.keysFromFile != y.keysFromFile ||
            x.padFromFile != y.padFromFile) {
            return false;
        }
        for (i32 k = 0; k < x.keyCount; ++k) {
            if (x.keys[k] != y.keys[k]) return false;
        }
    }
    return true;
}

const char* actionName(Action a) { return ACTION_NAMES[static_cast<i32>(a)]; }

const char* keyName(i32 scancode) {
    for (const KeyName& k : KEY_NAMES) {
        if (k.scancode == scancode) return k.name;
    }
    return nullptr;
}

const char* padButtonName(PadButton button) { return PAD_NAMES[static_cast<i32>(button)]; }

i32 scancodeNamed(std::string_view name) {
    for (const KeyName& k : KEY_NAMES) {
        if (sameName(name, k.name)) return k.scancode;
    }
    return 0;
}

i32 padButtonNamed(std::string_view name) {
    for (i32 b = 0; b < static_cast<i32>(PadButton::Count); ++b) {
        if (sameName(name, PAD_NAMES[b])) return b;
    }
    return -1;
}

bool readBindingLine(std::string_view line, Bindings* bindings) {
    const bool key = line.starts_with("key ");
    if (!key && !line.starts_with("pad ")) return false;
    line.remove_prefix(4);
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return false;
    const std::string_view action = line.substr(0, blank);
    const std::string_view name = line.substr(blank + 1);
    for (i32 a = 0; a < ACTION_COUNT; ++a) {
        // Compared a letter at a time, as the names are: a compiler that compares whole words
        // leaves word fragments in the program, which a packager's spelling check then flags.
        if (!sameName(action, ACTION_NAMES[a])) continue;
        if (key) {
            const i32 scancode = scancodeNamed(name);
            return scancode != 0 && bindKey(*bindings, static_cast<Action>(a), scancode);
        }
        const i32 button = padButtonNamed(name);
        return button >= 0 && bindPad(*bindings, static_cast<Action>(a), 1u << static_cast<u32>(button));
    }
    return false;
}

std::string formatBindings(const Bindings& bindings) {
    std::string text;
    for (i32 a = 0; a < ACTION_COUNT; ++a) {
        const ActionBinding& b = bindings.actions[a];
        if (b.keysFromFile) {
            for (i32 k = 0; k < b.keyCount; ++k) text += std::string("key ") + ACTION_NAMES[a] + " " + keyName(b.keys[k]) + "\n";
        }
        if (b.padFromFile) {
            for (i32 p = 0; p < static_cast<i32>(PadButton::Count); ++p) {
                if ((b.padButtons >> p) & 1u) text += std::string("pad ") + ACTION_NAMES[a] + " " + PAD_NAMES[p] + "\n";
            }
        }
    }
    return text;
}
