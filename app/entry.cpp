// entry.cpp: the program entry: the options, then the game.
#include "app/command_line.h"
#include "app/main_loop.h"

int main(int argc, char** argv) {
    LaunchOptions options;
    const int status = readCommandLine(argc, argv, &options);
    if (status >= 0) return status;
    return runGame(options);
}
