// command_line.cpp: --help, --version, --fullscreen, --window and the recorded games; anything
// else is refused, so a typo never starts a game the player did not ask for.
#include "app/command_line.h"

#include <cstdio>
#include <cstring>

#include "core/version.h"

namespace {

constexpr const char* USAGE =
    "Usage: fendwall [--fullscreen | --window] [--record FILE | --replay FILE | --timedemo FILE] [--help] "
    "[--version]";

struct TapeOption {
    const char* name;
    TapeUse use;
};
constexpr TapeOption TAPE_OPTIONS[] = {
    {"--record", TapeUse::Record}, {"--replay", TapeUse::Replay}, {"--timedemo", TapeUse::Timedemo}};

int refuse(const char* what, const char* arg) {
    std::fprintf(stderr, "fendwall: %s '%s'\n%s\nTry 'fendwall --help' for more information.\n", what, arg, USAGE);
    return 2;
}

void printHelp() {
    std::printf(
        "%s\n"
        "Wall off the field before the bouncing balls break your walls.\n\n"
        "  --fullscreen     start in full screen (F11 or Alt+Enter switches while playing)\n"
        "  --window         start in the window\n"
        "  --record FILE    play, and record the game into FILE (an existing file is replaced)\n"
        "  --replay FILE    show a recorded game at its own pace, checking it as it goes\n"
        "  --timedemo FILE  replay it as fast as the machine draws, and print the frame times\n"
        "  --help           show this help and end\n"
        "  --version        show the version and end\n\n"
        "Mouse: move the cursor cell. Right button: turn the wall. Left button: build it.\n"
        "Keyboard: arrows or W A S D move, R or Tab turns, Space or Enter builds.\n"
        "Gamepad: d-pad or left stick moves, B or X turns, A builds, Start or Back is Escape.\n"
        "In the menu the same keys and buttons choose and push. Escape: skip the intro;\n"
        "in a game, open the menu. P or Pause (pad: Y) pauses a game, and a click resumes\n"
        "it too. M mutes and unmutes. F12 (pad: misc1) saves a screenshot in\n"
        "~/Pictures/fendwall (or your XDG pictures folder). Other keys and buttons: see\n"
        "man fendwall.\n\n"
        "The game starts as it was left, in full screen, maximised or in the window at its\n"
        "size, muted or not; it keeps that, the controls you bind and the settings\n"
        "music-volume and effects-volume (0 to 100) and pause-when-away (yes: pause when\n"
        "the window loses the focus) in $XDG_CONFIG_HOME/fendwall/settings\n"
        "(or ~/.config/fendwall/settings).\n"
        "--fullscreen and --window choose for one run only. The pictures, sounds and\n"
        "patterns are read from the folder FENDWALL_DATA names, else from data/ below the\n"
        "working directory; the installed fendwall command sets it.\n",
        USAGE);
}

}  // namespace

int readCommandLine(int argc, const char* const* argv, LaunchOptions* options) {
    // Every option is read before any is acted on, as GNU programs do: --version beside a
    // typo is still a typo.
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "--version") == 0) {
            (arg[2] == 'h' ? help : version) = true;
            continue;
        }
        if (std::strcmp(arg, "--fullscreen") == 0 || std::strcmp(arg, "--window") == 0) {
            options->window = arg[2] == 'f' ? WindowChoice::Fullscreen : WindowChoice::Window;
            continue;
        }
        const TapeOption* tape = nullptr;
        const char* path = nullptr;
        for (const TapeOption& t : TAPE_OPTIONS) {
            const size_t n = std::strlen(t.name);
            if (std::strncmp(arg, t.name, n) != 0) continue;
            if (arg[n] == '=') tape = &t, path = arg + n + 1;                      // --record=FILE
            if (arg[n] == '\0') tape = &t, path = i + 1 < argc ? argv[++i] : nullptr;  // --record FILE
        }
        if (!tape) return refuse("unknown option", arg);
        if (!path || !*path) return refuse("a file is needed after", tape->name);
        if (options->tape != TapeUse::None) return refuse("one recorded game at a time:", arg);
        options->tape = tape->use;
        options->tapePath = path;
    }
    if (help) printHelp();
    if (version && !help) std::printf("fendwall " FENDWALL_VERSION "\n");
    return help || version ? 0 : -1;
}
