// entry.cpp: the program entry; the game takes no arguments.
#include "app/main_loop.h"

int main(int, char**) { return runGame(); }
