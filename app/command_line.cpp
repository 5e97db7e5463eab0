// command_line.cpp: --help, --version, --fullscreen and --window; anything else is refused,
// so a typo never starts a game the player did not ask for.
#include "app/command_line.h"

#include <cstdio>
#include <cstring>

#include "core/version.h"

namespace {

constexpr const char* USAGE = "Usage: fendwall [--fullscreen | --window] [--help] [--version]";

}  // namespace

int readCommandLine(int argc, const char* const* argv, LaunchOptions* options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0) {
            std::printf(
                "%s\n"
                "Wall off the field before the bouncing balls break your walls.\n\n"
                "  --fullscreen  start in full screen (F11 or Alt+Enter switches while playing)\n"
                "  --window      start in the window\n"
                "  --help        show this help and end\n"
                "  --version     show the version and end\n\n"
                "Mouse: move the cursor cell. Right button: turn the wall. Left button: build it.\n"
                "Escape: skip the intro; in a game, open the menu.\n\n"
                "The game starts as it was left, in full screen or in the window at its size; it\n"
                "keeps that in $XDG_CONFIG_HOME/fendwall/settings (or ~/.config/fendwall/settings).\n"
                "--fullscreen and --window choose for one run only.\n",
                USAGE);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("fendwall " FENDWALL_VERSION "\n");
            return 0;
        }
        if (std::strcmp(arg, "--fullscreen") == 0 || std::strcmp(arg, "--window") == 0) {
            options->window = arg[2] == 'f' ? WindowChoice::Fullscreen : WindowChoice::Window;
            continue;
        }
        std::fprintf(stderr, "fendwall: unknown option '%s'\n%s\nTry 'fendwall --help' for more information.\n", arg,
                     USAGE);
        return 2;
    }
    return -1;
}
